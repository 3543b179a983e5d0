#include "formats/HPInDg.h"

#include <memory>

#include "shell/UniLang.h"

THPInputDialog* HPInputDialog = nullptr;

THPInputDialog::THPInputDialog() : TForm("HPInputDialog") {
    EditXscale = Make<TEdit>("EditXscale");
    EditYscale = Make<TEdit>("EditYscale");
    LangRegisterForm("HpInDg", this);
}

THPInputDialog::~THPInputDialog() { LangUnregisterForm(this); }

void CreateHPInputDialog() {
    static std::unique_ptr<THPInputDialog> instance;
    instance.reset();
    instance = std::make_unique<THPInputDialog>();
    HPInputDialog = instance.get();
}
