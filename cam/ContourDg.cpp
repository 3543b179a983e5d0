#include "cam/ContourDg.h"

#include <memory>

#include "shell/UniLang.h"

TContourDialog* ContourDialog = nullptr;

TContourDialog::TContourDialog() : TForm("ContourDialog") {
    GrBoxWhere = Make<TGroupBox>("GrBoxWhere");
    RBtnInside = Make<TRadioButton>("RBtnInside", GrBoxWhere);
    RBtnOutside = Make<TRadioButton>("RBtnOutside", GrBoxWhere);
    RBtnBoth = Make<TRadioButton>("RBtnBoth", GrBoxWhere);
    RBtnOutside->Checked = true;
    GrBoxHow = Make<TGroupBox>("GrBoxHow");
    RBtnSousledne = Make<TRadioButton>("RBtnSousledne", GrBoxHow);
    RBtnNesousledne = Make<TRadioButton>("RBtnNesousledne", GrBoxHow);
    RBtnSousledne->Checked = true;
    EditPridavek = Make<TEdit>("EditPridavek");
    EditPridavek->Text = "0";
    EditDepth = Make<TEdit>("EditDepth");
    EditDepth->Text = "1";
    LangRegisterForm("ContourDg", this);
}

TContourDialog::~TContourDialog() { LangUnregisterForm(this); }

void CreateContourDialog() {
    static std::unique_ptr<TContourDialog> instance;
    instance.reset();
    instance = std::make_unique<TContourDialog>();
    ContourDialog = instance.get();
}
