// The tool and material library dialog "Knihovna materiálu a nástrojů": a tree of the
// library by tool or by material, filtered by tool type, the parameter page of the
// selected node on the left and the commands below. It edits the working copies
// ToolLibTmp and MaterialTmp; only OK answered Yes copies them into Glob.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Dialogs.h"
#include "platform/Forms.h"
#include "tools/ToolPageControls.h"
#include "tools/ToolRecords.h"

// Node kinds of the tree.
enum TLibNodeKind : int {
    lnTool = 0,
    lnGeo = 1,
    lnTech = 2,
    lnPlunge = 3,
    lnOuts = 4,
    lnNewTool = 5,
    lnAddMaterial = 6,
    lnNewMaterial = 7
};

struct TLibNode {
    int32_t Tid = -1, Mid = -1, Par = -1;
};

// Type filter entries at least (one per tool type the program may list).
inline constexpr int LibTypeCount = 26;

class TToolMatLibDialog : public TForm, public TToolPageControls {
public:
    TToolMatLibDialog();
    ~TToolMatLibDialog() override;

    TPageControl* PageParams;
    TTabSheet *TabInfoGeo, *TabRezPod, *TabSheet1, *TabSheet2;
    TPanel *PanelTree, *PanelFilter;
    TRadioGroup *RgRSortBy, *RGrJobType;
    TGroupBox *GrBoxTree, *GrBoxTypes;
    TTreeView* TrVLibList;
    TButton* SbtnShowAll;
    std::array<TCheckBox*, 13> ChBoxTType{};
    TButton *SbtnSaveNew, *SbtnDelete, *SbtnExport, *SbtnImport;
    TBitBtn *SbtnCancel, *SbtnOk;
    // The tool pages' own controls (the shared ones in TToolPageControls).
    TImage *ImgToolNastroj, *ImgToolRezPod, *ImgToolPlunge;
    TCheckBox *ChBoxToolTgIn, *ChBoxToolTgOut, *ChBoxToolFromCenter;
    TEdit *EditToolTangRad, *EditToolTangAngle;
    TLabel *LabToolPlungeFeed, *LabToolTangRad, *LabToolTangAngle, *LabToolLaserTime, *LabToolChlazTime;
    // Export and import share it: import shows the title and filter of the last export.
    TSaveDialog SaveDialog;

    // Working state (kept for the whole run).
    std::array<TToolPlunge, 6> PlunTmp{};
    // One entry per tree node, by the node's index.
    std::vector<TLibNode> LibNodes;
    int32_t SelTID = -1, SelMID = -1, SelPar = -1, SelPID = -1, SelTreeID = -1, ShownPID = -1;
    // Per tool type: its tools are listed; types beyond the end are listed.
    std::vector<bool> TypeFilter = std::vector<bool>(LibTypeCount, true);
    bool TypeFilterAll = true;
    bool NewNodeSelected = false;
    bool TreeUpdating = false;
    int Order() const { return RgRSortBy->ItemIndex == 1 ? 1 : 0; }

    // Form.
    void FormShow();
    void FillLibList(int Order, bool OrderChange, int ItemChange);
    void TrVLibListChange();
    void RgRSortByClick();
    void ChBoxTTypeClick(int K);
    void SbtnShowAllClick();
    void SbtnOkClick();
    void SbtnCancelClick();
    void ResetLibSelection();
    // Stores the page of the selected node; false when a value does not read.
    bool StoreShownPage();

    // Pages.
    void ToolGeoToEdit(int32_t Tid);
    // The record's identity and geometry into the Info/Geo inputs, the page left as it is.
    void GeoToInputs(int32_t Tid);
    bool EditToToolGeo(int32_t Tid);
    void NewGeo();
    void SetToolType(int Num);
    void CboxTTypeChange();
    void TechToEdit(int32_t Tid, int32_t Mid, int Lib);
    bool EditToTech(int32_t Tid, int32_t Mid, int Lib);
    void NewTech();
    void UnitToggle(bool Ap);
    void SetPlungeControls(int32_t Tindex, int Pindex);
    void PlunToEdit(int32_t Tindex, int32_t Mindex, int Pindex, int Lib);
    void PlunTmpToEdit(int32_t Tindex, int Pindex);
    bool EditToPlunTmp(int Pid);
    void PlunTmpToMat(int32_t Tid, int32_t Mid, int Lib);
    void TabControlPlungeChange();
    void SetPlunge(int Method);
    void SetPlungeType(int Pid, int Method);
    void SbtnSpiralRadUnitsClick();
    void SpiralRadToHoleRad();
    void HoleRadToSpiralRad();
    void OutsToEdit(int32_t Tid, int32_t Mid, int Lib);
    bool EditToOuts(int32_t Tid, int32_t Mid, int Lib);
    // The material entry that the pages read and write: nullptr when there is none.
    TMaterial* PageMaterial(int32_t Tid, int32_t Mid, int Lib);

    // Commands.
    void SbtnSaveNewClick();
    void SbtnDeleteClick();
    void SbtnExportClick();
    void SbtnImportClick();
    void AddMaterialToLibTool(int32_t Tid);

private:
    std::string ExportExt;  // the expected extension of the last export, with its dot
    std::string Texts[8];   // "Geometrie", "[ Nový nástroj ]" and the other node texts
    Extended LastDs = 0;    // the lower diameter of the last successful reading
    std::string ShownAp;    // the depth of cut as the cutting-data page last showed it
    void Build();
    void BuildInfo();
    void BuildRezPod();
    void BuildZapich();
    void BuildVystupy();
    void BuildTreeAndFilter();
    void BuildFoot();
    void CommandButtons(bool On);
    void Captions(bool Tool);
    void ShowPage(int Index);
    Extended LowerDiameter();
    bool NewMaterial();
    void ExportImport(bool Export);
    // Points the selection (and the tree's marked node) at the record a save-as-new made,
    // so that the page, which now shows it, is stored there and not over its source.
    void SelectSavedNew(int32_t Tid, int32_t Mid, int Par);
    // Shows the selected record's page again (after an import changed the record).
    void ShowSelectedPage();
};

extern TToolMatLibDialog* ToolMatLibDialog;
// The largest tool number / material number of the working copies (-1 for none).
int32_t MaxLibToolTid();
int32_t MaxMaterialMid();
// Makes the form (start-up); the menu item shows it.
void CreateToolMatLibDialogForm();
// Shows the library dialog modally (the menu item "Knihovna nástrojů").
void ShowToolMatLibDialog();
