#include "shell/OpsPanel.h"

#include <string>
#include <vector>

#include "cam/CamOpList.h"
#include "cam/OpHighlight.h"
#include "core/Glob.h"
#include "core/UniLog.h"
#include "platform/Colors.h"
#include "shell/LayPanel.h"
#include "shell/Main.h"
#include "shell/MainView.h"

namespace {

bool Listed(const TCamOp& Op) {
    return (Op.OpType == OpTypeContour && Glob.OpShowContours) || (Op.OpType == OpTypePocket && Glob.OpShowPockets) ||
           (Op.OpType == OpTypeSurface && Glob.OpShowSurfaces);
}

constexpr uint32_t Rgb(uint32_t R, uint32_t G, uint32_t B) { return R | (G << 8) | (B << 16); }

}  // namespace

uint32_t OpStatusColor(uint8_t Status) {
    if (Status == 0) return Rgb(0, 128, 0);
    if (Status == 3) return Rgb(255, 0, 0);
    return Rgb(255, 165, 0);
}

int ListRowToOpNum(int Row) {
    if (Row < 0) return -1;
    for (int i = 0, Shown = 0; i < OpList.CamCnt && i < MaxCamOps; ++i)
        if (Listed(OpList.Cam[i]) && Shown++ == Row) return i;
    return -1;
}

void TMainForm::CamOpsToPanel() {
    if (!ListBoxOps) return;
    const bool On[4] = {Glob.OpShowContours, Glob.OpShowPockets, Glob.OpShowSurfaces, Glob.OpShowDrill};
    const char* Img[4] = {"ImChOpKontury", "ImChOpVyplne", "ImChOpPovrchy", "ImChOpVrtani"};
    if (OpsPanelOpen) {
        for (int i = 0; i < 4; ++i)
            if (TControl* C = FindComponent(Img[i])) {
                C->Visible = On[i];
                // The filter's tick is the layer panel's own.
                if (auto* Im = dynamic_cast<TImage*>(C)) Im->PictureFile = LayMarkFile(1);
            }
        // The drill row and the CAD/CAM switch stay hidden.
        for (const char* N : {"ImChOpVrtani", "ShOpVrtani", "LabOpVrtani", "SbtnCadCam"})
            if (TControl* C = FindComponent(N)) C->Visible = false;
    }
    ListBoxOps->Items.clear();
    ListBoxOps->ItemColors.clear();
    for (int i = 0; i < OpList.CamCnt && i < MaxCamOps; ++i)
        if (Listed(OpList.Cam[i])) {
            ListBoxOps->Items.push_back(OpList.Cam[i].Name);
            ListBoxOps->ItemColors.push_back(OpStatusColor(OpList.Cam[i].Status));
        }
    if (ListBoxOps->ItemIndex >= int(ListBoxOps->Items.size())) ListBoxOps->ItemIndex = -1;
}

void ListBoxOpsClick() {
    if (!MainForm || !MainForm->ListBoxOps) return;
    const int Row = MainForm->ListBoxOps->ItemIndex;
    if (Row < 0) return;
    const int n = ListRowToOpNum(Row);
    OpList.Index = n;
    if (n < 0) return;
    int Subs = 0;
    for (int i = 0; i < OpList.CamCnt && i < MaxCamOps; ++i)
        if (OpList.Cam[i].MasterOp == n) ++Subs;
    WriteLog("Usr:Select Op (OpNum:" + std::to_string(n) + " OpName:" + OpList.Cam[n].Name +
             ", ItemIndex:" + std::to_string(Row) + ", SubOpsCnt:" + std::to_string(Subs) + ")");
    if (Glob.OpCamOp) HighlightCamOp(n);
}

void ListBoxOpsMouseMove() {
    if (!MainForm || !MainForm->ListBoxOps) return;
    TListBox* L = MainForm->ListBoxOps;
    L->Enabled = true;
    const int n = ListRowToOpNum(L->HotIndex);
    if (L->HotIndex < 0 || n < 0) {
        OpList.LastHintIndex = -1;
        ClearCamOpHighlight();
        return;
    }
    if (n != OpList.LastHintIndex) {
        OpList.LastHintIndex = n;
        HighlightCamOp(n);
    }
}

void ToggleOpFilter(int Filter) {
    bool* Flag[3] = {&Glob.OpShowContours, &Glob.OpShowPockets, &Glob.OpShowSurfaces};
    if (Filter < 0 || Filter > 2) return;
    *Flag[Filter] = !*Flag[Filter];
    if (MainForm) MainForm->CamOpsToPanel();
}

void InitOpsPanel(TMainForm& F) {
    F.ListBoxOps->Font.Bold = true;
    F.ListBoxOps->OnClick = [] { ListBoxOpsClick(); };
    F.ListBoxOps->OnMouseMove = [](uint8_t, int32_t, int32_t) { ListBoxOpsMouseMove(); };
    const char* Rows[4] = {"Kontury", "Vyplne", "Povrchy", "Vrtani"};
    const int Filter[4] = {0, 1, 2, 2};
    for (int i = 0; i < 4; ++i)
        for (const std::string& Pre : {"ShOp", "ImChOp", "LabOp"}) {
            // The pocket row's label and the drill row's label take no clicks.
            if (Pre == "LabOp" && (i == 1 || i == 3)) continue;
            if (TControl* C = F.FindComponent(Pre + Rows[i]))
                C->OnMouseDown = [f = Filter[i]](TMouseButton, uint8_t, int32_t, int32_t) { ToggleOpFilter(f); };
        }
    if (TControl* C = F.FindComponent("SbtnCadCam")) {
        C->Visible = false;
        C->OnClick = [] {
            Glob.OpCamOp = !Glob.OpCamOp;
            if (MainForm) MainForm->CamOpsToPanel();
        };
    }
    HighlightCamOpHook = [](int32_t Index) { HighlightCamOp(Index); };
}
