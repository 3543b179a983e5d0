#include "formats/HPInDg.h"

#include "platform/FormRemake.h"
#include "shell/UniLang.h"

THPInputDialog* HPInputDialog = nullptr;

THPInputDialog::THPInputDialog() : TForm("HPInputDialog") {
    EditXscale = Make<TEdit>("EditXscale");
    EditYscale = Make<TEdit>("EditYscale");
    LangRegisterForm("HpInDg", this);
}

THPInputDialog::~THPInputDialog() { LangUnregisterForm(this); }

void CreateHPInputDialog() {
    HPInputDialog = RemakeForm<THPInputDialog>();
}
