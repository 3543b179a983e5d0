// The tool dialog "Parametry obrábění": one tab per tool layer, the pages "Info/Geo",
// "RezPod", "Zápich" and "Výstupy" of the layer's tool on the left and the group
// " Technologie " with the pass table and the layer settings on the right. It edits the
// working copy ToolTmp of the 64 layer tools; only OK copies it over Glob.Tool.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Forms.h"
#include "core/ToolRecords.h"
#include "tools/ToolPageControls.h"

class TToolDialog : public TForm, public TToolPageControls {
public:
    TToolDialog();
    ~TToolDialog() override;

    // Layer tabs T1..T64 and the pages of the tool.
    TPageControl* TabControl;
    TPageControl* PageControl1;
    TTabSheet *TabInfo, *TabRezPod, *TabZapich, *TabVystupy;
    // Info/Geo (the rest in TToolPageControls).
    TLabel* LabToolTID;
    TImage* ImgToolGeo;
    // Zápich.
    TEdit *EditTangRad, *EditTangAngle;
    TLabel *LabToolArcRadius, *LabToolArcAngle;
    TCheckBox *ChBoxTgIn, *ChBoxTgOut, *ChBoxFromCenter, *ChBoxIgnoreDepthDiv;
    TImage* ImgPlunge;
    // Výstupy.
    TLabel *LabToolLaserWaitStart, *LabToolCoolantTime;
    // Technologie: pass table and layer settings.
    TGroupBox* GrBoxTech;
    TStringGrid* StrGridLayParam;
    TLabel *LabLayPlungeUnit, *LabLayFeedUnit;
    TButton *BtnLayConstIncrement, *BtnLayClearTab;
    TEdit *EditLayVretTime, *EditLayLaserTime, *EditLayLaserTimeOff, *EditLayChlazTime, *EditLayOfukTime,
        *EditLayOfukCount, *EditLayHloubkaRychloposuvem, *EditLayAngleA;
    TCheckBox *ChBoxLayLaser, *ChBoxLayOfuk, *ChBoxLayChlazPrejezd, *ChBoxLayBezVyjezdu;
    TRadioButton* RBtnLayChlaz[4];
    TRadioButton* RBtnLayVyjezd[4];
    TRadioButton *RBtnLayObject, *RBtnLayPassage;
    TMemo* MemoLayPozn;
    TPanel* ShapeLayColor;
    // Foot.
    TButton *BtnOpenTool, *BtnSaveTool, *BtnSaveSet, *BtnOpenSet, *BtnReport, *BtnCopyTool, *BtnGeneralParam,
        *BtnApply;
    TBitBtn *BitBtnOK, *BitBtnCancel;

    // The layer whose tool the controls show (tab index + 1) and the plunge object shown.
    int CurLayer() const { return CurTab + 1; }
    int CurTab = 0;
    int CurPlunge = 0;

    void ToolToEdit(int Num, bool LayPar);
    void EditToTool(int Num, bool LayPar);
    void TechToEdit(int Tindex);
    void EditToToolTech(int Tindex);
    void PlungeToEdit(int Tindex, int PIndex, TForm& Frm, const TToolArr& ToolArr);
    void EditToToolPlunge(int TIndex, int PIndex, TForm& Frm, TToolArr& ToolArr);
    void OutsToEdit(int Tindex);
    void EditToToolOuts(int Tindex);
    void PruchodToEdit(int Num);
    void EditToPruchod(int Num);
    void SetToolTypeControls(int Index);
    void ShowPlungeControls(int Obj, int Method);
    void SpiralRadToHoleRad();
    void HoleRadToSpiralRad();
    void ApplyToolToLay(int La, int Par, int Plun);

    // Handlers (also what the buttons run).
    void FormShow();
    void TabControlChange();
    bool BitBtnOKClick();
    void BitBtnCancelClick();
    void BtnApplyClick();
    void BtnGeneralParamClick();
    void BtnLayConstIncrementClick();
    void BtnLayClearTabClick();
    void BtnSaveSetClick();
    void BtnOpenSetClick();
    void BtnReportClick();
    void BtnCopyToolClick();
    void BtnToolCalculateAngleClick();
    void BtnToolTestClick();
    void TabControlToolPlungeChange();
    void SetPlunge(int Method);
    void UnitClick(TSpeedButton* Btn, TEdit* Edit, bool& Percent, Extended Ds);
    void FeedUnitSwitch(bool ToPercent);
    // The captions of the four parameter pages' tabs: red while the calculator's error
    // flag of that page is set.
    void PageControl1DrawTab();
    // The feed captions by the speed unit of the common parameters.
    void UnitCaptions();
    // The plunge feed's unit as last shown or switched.
    bool FeedPercentShown = false;
    void BtnOpenToolMouseDown(uint8_t Shift);
    void OpenToolGeo(int La);
    void SaveToolGeo(int La);
    void BtnSaveToolMouseDown(uint8_t Shift);
    // The save button's library steps for the current layer: a new record with the
    // next free TID (materials as many as record Src has, one without a source), an
    // existing record overwritten, the current material added to a record.
    void SaveToolAsNew(int32_t Src);
    void AppendLibTool(int La, int32_t Src);
    void OverwriteLibTool(int32_t R);
    void AddCurMaterialToLibTool(int32_t R);

private:
    // The tools as they were when the dialog was shown: OK keeps a live tool that an
    // operation changed meanwhile unless the user changed that layer here.
    TToolArr Shown{};
    void Build();
    void BuildInfo();
    void BuildRezPod();
    void BuildZapich();
    void BuildVystupy();
    void BuildTech();
    void BuildFoot();
};

extern TToolDialog* ToolDialog;
void CreateToolDialog();

// The lines of a tool geometry file (".Geo") into a tool, and a tool's lines for one:
// names, geometry, numbers and type; the tool is then no library tool (TID -1).
// A type number that names no type is refused, naming File and the line.
void GeoFileToTool(const std::vector<std::string>& Lines, TTool& T, const std::string& File = "");
std::vector<std::string> GeoFileLines(const TTool& T);

// The library record Index's tool with its entry for the current material (Glob.MID).
bool ToolLibToTool(int32_t Index, TTool& Tool);
// Library record Index := working tool La, and its entry for the current material.
bool LayToToolLib(int32_t Index, int La);
// The first library record with working tool La's TID (ByTID) or equal geometry.
bool FindToolInLib(int La, bool ByTID, int32_t& Index);
// The largest library TID; -1 for an empty library.
int32_t MaxToolTID();

// The technology report ("Návodka") of the working copy.
std::vector<std::string> ToolReportLines();
// The name with its extension replaced by Ext (".set", ".geo"), or Ext appended.
std::string WithExtension(const std::string& Path, const std::string& Ext);
// The TOOL command.
void ComTool();
// The contour dialog's tool selection and the layer panel's tool action open the tool
// dialogs through these hooks.
void InstallToolPickHooks();
