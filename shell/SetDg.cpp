#include "shell/SetDg.h"

#include <memory>

#include "shell/UniLang.h"

TSetDialog* SetDialog = nullptr;

TSetDialog::TSetDialog() : TForm("SetDialog") {
    CheckBoxWheel = Make<TCheckBox>("CheckBoxWheel");
    ChBoxZoomCenter = Make<TCheckBox>("ChBoxZoomCenter");
    GrBoxRotate = Make<TGroupBox>("GrBoxRotate");
    RBtnRotLeave = Make<TRadioButton>("RBtnRotLeave", GrBoxRotate);
    RBtnRotDel = Make<TRadioButton>("RBtnRotDel", GrBoxRotate);
    RBtnRotDel->Checked = true;  // design-time choices: rotate and offset replace, mirror keeps
    GrBoxMirror = Make<TGroupBox>("GrBoxMirror");
    RBtnMirLeave = Make<TRadioButton>("RBtnMirLeave", GrBoxMirror);
    RBtnMirDel = Make<TRadioButton>("RBtnMirDel", GrBoxMirror);
    RBtnMirLeave->Checked = true;
    GrBoxOffset = Make<TGroupBox>("GrBoxOffset");
    RbtnOffLeave = Make<TRadioButton>("RbtnOffLeave", GrBoxOffset);
    RbtnOffDel = Make<TRadioButton>("RbtnOffDel", GrBoxOffset);
    RbtnOffDel->Checked = true;
    LangRegisterForm("SetDg", this);
}

TSetDialog::~TSetDialog() { LangUnregisterForm(this); }

void CreateSetDialog() {
    static std::unique_ptr<TSetDialog> instance;
    instance.reset();
    instance = std::make_unique<TSetDialog>();
    SetDialog = instance.get();
}
