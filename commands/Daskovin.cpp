#include "commands/Daskovin.h"

#include "core/Global.h"
#include "core/TextFile.h"
#include "core/UniLog.h"
#include "platform/Files.h"
#include "platform/FormRemake.h"
#include "shell/UniLang.h"

TDaskovinDialog* DaskovinDialog = nullptr;

TDaskovinDialog::TDaskovinDialog() : TForm("DaskovinDialog") {
    Caption = "Speciál Daskovin";
    BorderStyle = TBorderStyle::bsDialog;
    Width = 300;
    Height = 170;
    BtnLoad = Make<TButton>("BtnLoad");
    BtnLoad->Caption = "Načíst měřící protokol";
    BtnLoad->Left = 30, BtnLoad->Top = 16, BtnLoad->Width = 230, BtnLoad->Height = 30;
    BtnLoad->OnClick = [this] { BtnLoadClick(); };
    BitBtnOK = Make<TBitBtn>("BitBtnOK");
    BitBtnOK->Caption = "Vygenerovat ciferník";
    BitBtnOK->ModalResult = mrOk;
    BitBtnOK->Left = 30, BitBtnOK->Top = 58, BitBtnOK->Width = 230, BitBtnOK->Height = 30;
    BitBtnOK->OnClick = [this] { BitBtnOKClick(); };
    BitBtnStorno = Make<TBitBtn>("BitBtnStorno");
    BitBtnStorno->Caption = "Storno";
    BitBtnStorno->ModalResult = mrCancel;
    BitBtnStorno->Cancel = true;
    BitBtnStorno->Left = 30, BitBtnStorno->Top = 100, BitBtnStorno->Width = 230, BitBtnStorno->Height = 30;
    OpenDg.DefaultExt = "txt";
    OpenDg.Filter = "Měřící protokol  (*.txt)|*.txt|Jakýkoli soubor|*.*";
}

bool TDaskovinDialog::BtnLoadClick() {
    if (!OpenDg.Execute()) return false;
    const std::string File = OpenDg.FileName;
    std::vector<std::string> Lines;
    if (!FileExists(File) || !ReadTextLines(File, Lines)) {
        WriteLog("Err:Daskovin protocol not found (" + File + ")");
        ShowMessage(MsgText(53));
        return false;
    }
    std::string Problem;
    if (!LoadDaskovinProtocol(Lines, Data, Problem)) {
        WriteLog("Err:Daskovin protocol refused (" + File + ", " + Problem + ")");
        ShowMessage(MsgText(54) + ":\r\n" + File + "\r\n" + Problem);
        return false;
    }
    return true;
}

bool TDaskovinDialog::BitBtnOKClick() {
    if (GenerateDaskovin(Data)) return true;
    WriteLog(Data.Loaded ? "Err:Daskovin wrong scale values" : "Err:Daskovin no protocol loaded");
    ShowMessage(MsgText(54));
    return false;
}

void CreateDaskovinDialog() { DaskovinDialog = RemakeForm<TDaskovinDialog>(); }
