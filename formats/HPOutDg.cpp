#include "formats/HPOutDg.h"

#include <memory>

#include "shell/UniLang.h"

THPOutputDialog* HPOutputDialog = nullptr;

THPOutputDialog::THPOutputDialog() : TForm("HPOutputDialog") {
    EditXscale = Make<TEdit>("EditXscale");
    EditYscale = Make<TEdit>("EditYscale");
    LangRegisterForm("HpOutDg", this);
}

THPOutputDialog::~THPOutputDialog() { LangUnregisterForm(this); }

void CreateHPOutputDialog() {
    static std::unique_ptr<THPOutputDialog> instance;
    instance.reset();
    instance = std::make_unique<THPOutputDialog>();
    HPOutputDialog = instance.get();
}
