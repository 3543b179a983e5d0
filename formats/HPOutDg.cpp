#include "formats/HPOutDg.h"

#include "platform/FormRemake.h"
#include "shell/UniLang.h"

THPOutputDialog* HPOutputDialog = nullptr;

THPOutputDialog::THPOutputDialog() : TForm("HPOutputDialog") {
    EditXscale = Make<TEdit>("EditXscale");
    EditYscale = Make<TEdit>("EditYscale");
    LangRegisterForm("HpOutDg", this);
}

THPOutputDialog::~THPOutputDialog() { LangUnregisterForm(this); }

void CreateHPOutputDialog() {
    HPOutputDialog = RemakeForm<THPOutputDialog>();
}
