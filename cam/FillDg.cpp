#include "cam/FillDg.h"

#include <memory>

#include "shell/UniLang.h"

TFillDialog* FillDialog = nullptr;

TFillDialog::TFillDialog() : TForm("FillDialog") {
    EditAllError = Make<TEdit>("EditAllError");
    EditAllError->Text = "0,03";
    EditThinError = Make<TEdit>("EditThinError");
    EditThinError->Text = "0,03";
    EditUhelSraf = Make<TEdit>("EditUhelSraf");
    EditUhelSraf->Text = "90";
    EditPresahSrafMm = Make<TEdit>("EditPresahSrafMm");
    EditPresahSrafMm->Text = "0.1";
    EditPridSrafMm = Make<TEdit>("EditPridSrafMm");
    EditPridSrafMm->Text = "0.05";
    EditSmUhelSraf = Make<TEdit>("EditSmUhelSraf");
    EditSmUhelSraf->Text = "135";
    EditSmPresahSraf = Make<TEdit>("EditSmPresahSraf");
    EditSmPresahSraf->Text = "0";
    EditSmPridSraf = Make<TEdit>("EditSmPridSraf");
    EditSmPridSraf->Text = "0";
    GrBoxFinish = Make<TGroupBox>("GrBoxFinish");
    RBtnSousl = Make<TRadioButton>("RBtnSousl", GrBoxFinish);
    RBtnNesousl = Make<TRadioButton>("RBtnNesousl", GrBoxFinish);
    RBtnSousl->Checked = true;
    LangRegisterForm("FillDg", this);
}

TFillDialog::~TFillDialog() { LangUnregisterForm(this); }

void CreateFillDialog() {
    static std::unique_ptr<TFillDialog> instance;
    instance.reset();
    instance = std::make_unique<TFillDialog>();
    FillDialog = instance.get();
}
