// The sections of the language file: for each form, its caption key, the keys of its
// components and the keys of the texts its code shows. The tables of the prompts,
// messages, tool kinds and status words are handled by the loader itself.
#include "shell/LangSections.h"

// Component lists: keys separated by ","; "/hint" marks a speed button whose hint is
// set; "Key=Component" names a component whose name differs from its key.
const std::vector<TLangSection>& LangSections() {
    static const std::vector<TLangSection> sections = {
        {"SetDg", "SetDialog",
             "TabDesktop,GroupLimity,LabMinX,LabMinY,LabMaxX,LabMaxY,LabColorInLim,LabColorOutLim,"
             "LabColorGrid,LabColorCrossHair,TabSet,GrBoxGrid,LabStartGridX,LabStartGridY,LabDistGridX,"
             "LabDistGridY,GrBoxSnap,LabStartSnapX,LabStartSnapY,LabDistSnapX,LabDistSnapY,"
             "LabSelectionBox,LabBoxSize,LabObjSnapBox,LabSnapUpDnRatio,TabZoom,LabPanRatio,"
             "LabZoomInOutRatio,LabWheelRatio,CheckBoxWheel,ChBoxZoomCenter,TabBitMap,BtnLoadBitMap,"
             "LabLength,ChBoxUseBitMap,TabDim,GrBoxLayer,RBtnDimLayKoty,RBtnDimLayActiv,GrBoxDimObject,"
             "RBtnDimGroup,RBtnDimObject,GroupBoxHatch,RBtnHatchLayKoty,RBtnHatchLayActiv,"
             "GroupBoxHatchObject,RBtnHatchGroup,RBtnHatchObject,LabDecNum,LabArrowLen,TabCAM,"
             "GrBoxRotate,RBtnRotLeave,RBtnRotDel,GrBoxMirror,RBtnMirLeave,RBtnMirDel,GrBoxOffset,"
             "RBtnOffLeave,RBtnOffDel,GrBoxContour,RBtnContGroup,RBtnContObject,TabPrecision,"
             "LabDecimalNum,LabJoinTolerance,LabErrTextExplode1,LabErrTextExplode2,LabFilterFile,"
             "LabOffsetAngle,TabSystem,LabAutoSaveTime,LabMaxUndo,LabMaxFileHist,CheckBoxEnvText,"
             "BitBtnOK,BitBtnCancel,BtnLoad,BtnSave",
             ""},
        {"ArrRectDg", "ArrRectDialog",
             "LabColCount,LabRowCount,LabColDist,LabRowDist,BitBtnOK,BitBtnCancel",
             ""},
        {"ArrPolarDg", "ArrPolarDialog",
             "LabCountElements,LabAddAngle,BitBtnOK,BitBtnCancel",
             ""},
        {"DxfInDg", "DxfInputDialog",
             "RBtnZeroDxfCoord,RBtnLeftBottom,LabPosition,LabDestX,LabDestY,ChBoxTools,BitBtnOK,"
             "BitBtnCancel",
             ""},
        {"DxfOutDg", "DxfOutputDialog",
             "ChBoxPlineWidth,LabPlineWidth,ChBoxExplodeText,ChBoxToInch,LabLayer,BitBtnOK",
             ""},
        {"HpInDg", "HpInputDialog",
             "LabScale,LabScX,LabScY,LabPosition,LabPosX,LabPosY,RBtnZeroHpCoord,RBtnLeftBottom,"
             "BitBtnOK,BitBtnCancel",
             ""},
        {"HpOutDg", "HpOutputDialog",
             "LabStepPerMm,LabStepX,LabStepY,ChBoxInfoToPlt,ChBoxExplodeArc,ChBoxOnlyOne,BtnDelTab,"
             "BtnFillTab,BitBtnOK,BitBtnCancel",
             ""},
        {"EpsInDg", "EpsInputDialog",
             "GrBoxPosition,LabAxisX,LabAxisY,GrBoxConversion,RBtnToLine,RBtnToArc,LabErrConv,BitBtnOK,"
             "BitBtnCancel",
             ""},
        {"ConfirmDg", "ConfirmDialog",
             "BitBtnYes,BitBtnNo",
             ""},
        {"TextDg", "TextDialog",
             "LabText,LabFont,LabHeight,LabWidthFactor,LabRotate,ChBoxMirror,LabBetweenRows,ChBoxBold,"
             "ChBoxItalic,LabInsertPoint,GrBoxJustify,LabTop,LabMiddle,LabBottom,LabLeft,LabCenter,"
             "LabRight,LabShow,BitBtnOK,BitBtnCancel",
             "LabAngle,LabSpace"},
        {"ContourDg", "ContourDialog",
             "GrBoxFillet,ChBoxFillet,GrBoxWhere,RBtnInside,RBtnOutside,RBtnBoth,ChBoxInsideRevers,"
             "LabWhere1,GrBoxHow,RBtnSousledne,RBtnNesousledne,LabAddition,ChBox3DCorner,GrBoxTool,"
             "LabToolName,LabToolActive,LabDistFromOrig,BitBtnCancel,BitBtnOK",
             "StrBadTool,StrDistance,StrNoTool"},
        {"FillDg", "FillDialog",
             "GrBoxTyp,RBtnMeandr,RBtnOffset,GrBoxStrategy,RBtnSingleTool,RBtnSingleToolErr,"
             "RBtnDoubleTool,LabWide,ChBoxCrossing,GrBoxMainFill,LabAngleMain,LabOverlapMain,"
             "LabAdditionMain,GrBoxSmallFill,LabAngleSmall,LabOverlapSmall,LabAdditionSmall,"
             "GrBoxFinish,RBtnSousl,RBtnNesousl,ChBox3DCorner,GrBoxMainTool,GrBoxSmallTool,LabToolName,"
             "BitBtnCancel,BitBtnOK",
             "StrBadTool,StrDistance,StrNoTool,StrNoUsed"},
        {"ToolDg", "ToolDialog",
             "GrBoxToolGeo,LabToolName,LabToolType,LabToolMaterial,LabToolDSpodni,LabToolR,LabToolU,"
             "LabToolV,LabToolDHorni,LabToolBrit,BtnToolCalculateAngle,BtnToolTest,BtnOpenTool,"
             "BtnSaveTool,GrBoxLayTechnology=GrBoxLayTech,LabLayDepth,LabLayPlungeRate,LabLayFeedRate,"
             "LabLayRPM,LabLayPassage,LabLayNote1,LabLayNote2,LabLayNote,BtnLayConstIncrement,"
             "BtnLayClearTab,LabLaySpindleWait,GrBoxLayOsaA,LabLayAIndexAxisAngle,GrBoxLayFromCut,"
             "RBtnLayRapidFeedRate,RBtnLayPlungeRate,RBtnLayPlungeRateRevers,"
             "RBtnLayCycleG63=RBtnLayCyklG63,ChBoxLayNoRetreat,GrBoxLayLaser,"
             "ChBoxLayaserUse=ChBoxLayLaserUse,LabToolLaserWaitStart,ChBoxToolCoolCross,"
             "LabLayDepthByRapid,LabLayCoolWait,GrBoLayAirClearing=GrBoxLayAirClearing,"
             "ChBoxLayAirClearingUse,LabLayAirClearingCount,LabLayAirClearingTime,GrBoxLayCuttingMode,"
             "RBtnLayPassage,RBtnLayObject,BtnGeneralParam,BtnOpenSet,BtnSaveSet,BtnCopyTool,BtnReport,"
             "BitBtnCancel,BitBtnOK",
             ""},
        {"GenParamDg", "GenParamDialog",
             "LabCrossingRate,LabMatCrossHeight,LabClampCrossHeight,LabStartXYNote,LabSizeNote,"
             "LabMaterialNote,LabNote,BitBtnCancel,BitBtnOK,GBoxUnitVel",
             "StrRapidmmps,StrRapidmmpm"},
        {"ChTextDg", "ChangeTextDialog",
             "GrBoxSource,GrBoxDest,RBtnConstText,RBtnNumSeries,LabFirstNum,LabIncrement,RBtnTableRow,"
             "BtnLoadFile,BtnClear,BitBtnCancel,BitBtnOK",
             ""},
        {"EndDg", "EndDialog",
             "LabSaveFile,BitBtnYes,BitBtnNo,BitBtnReturn",
             ""},
        {"InfoDg", "InfoDialog",
             "BitBtnOK",
             "StrLayerObject,StrPoint,StrPline,StrGroup,StrText,Str3Dpline,StrLeftBottom,StrRightTop,"
             "StrCenter,StrSize"},
        {"LenDg", "LengthDialog",
             "BitBtnOK",
             "StrLayer,StrSum,StrLen,StrPlunge,StrFeed,StrCross,StrWait"},
        {"ViewDg", "ViewDialog",
             "TabLayer,LabLayActive,LabLayColor,LabLayShow,GrBoxHow,RBtnZero,RBtnUp,RBtnDn,BtnNone,"
             "BtnAll,BtnInsert,BtnDelete,BtnChange,TabDir,LabDirColor,LabDirShow,ChBoxLeft,ChBoxRight,"
             "ChBoxOpen,ChBoxCross,ChBoxText,ChBoxArrow,TabSort,LabNote,ChBoxSortCross,ChBoxSortArrow,"
             "ChBoxNum,LabSortColor,LabPoint,LabPline,LabText,LabGroup,Lab3Dpline,BitBtnCancel,"
             "BitBtnOK",
             "StrDeleteLayer,StrInvalidLayer,StrNotEmptyLayer,StrInsertLayer,StrNotEmptyT64,"
             "StrFirstLayer,StrSecondLayer,StrLayer65Name,StrLayer66Name,StrLayer67Name,StrLayer68Name"},
        {"MainForm", "",
             "SpBtnAll,SpBtnInvert,SpBtnStyle,SpBtnLoHi,LabSelect,LabDraw,LabLayDir,LabOrtho,LabSnap,"
             "SpdBtnPer/hint,SpdBtnTan/hint,SpdBtnEnd/hint,SpdBtnCen/hint,SpdBtnInt/hint,"
             "SpdBtnMid/hint,mFileMnu,mViewMnu,mInfoMnu,mDrawMnu,mEditMnu,mPlineMnu,mTextMnu,mCAMMnu,"
             "mHelpMnu,mSpecMnu",
             "StrLayer,StrDir,StrSort,StrToolUp,StrToolDn,StrOn,StrOff,StrUndo"},
        {"Prompt", "",
             "",
             "PrSelObject"},
        {"Message", "",
             "",
             ""},
        {"TiskDg", "TiskDialog",
             "GrBoxWhat,RbtnDisplay,RbtnObjects,RbtnLimits,GrBoxHow,RbtnScale1,RbtnFitToPage,LabNote,"
             "BtnSetup,BitBtnOk,BitBtnCancel",
             ""},
        {"FormicaInDg", "FormicaInDialog",
             "ChBoxSingle,LabLayer,LabNote1,LabNote2,BitBtnOk,BitBtnCancel",
             ""},
        {"FormicaOutDg", "FormicaOutDialog",
             "LabPadSearch,GrBoxOut,RBtnInch,RBtnMetric,BitBtnOk,BitBtnCancel",
             "StrFormicaLayer,StrKestrilonLayer,StrMin,StrMax,StrPadType,StrLineType"},
        {"SortDg", "SortDialog",
             "LabLayer,ChBoxSortGroup,ChBoxDivGroup,ChBoxJoin,ChBoxPlineSwap1,ChBoxPlineSwap2,BtnNone,"
             "BtnAll,BitBtnStart,BtnStatistika,BitBtnExit",
             ""},
        {"FiltrDg", "FiltrDialog",
             "ChBoxSmall,ChBoxDuplicity,RBtnEqLayer,RBtnAnyLayer,ChBoxArc,BitBtnOk,BitBtnCancel",
             ""},
        {"CopyFromToolDg", "CopyFromToolDialog",
             "LabCopy,BitBtnOk,BitBtnCancel",
             ""},
        {"SinumericDg", "SinumericDialog",
             "ChBoxLineCount,ChBoxProgStop,LabNumIncrement,GrBoxZeroPoint,RBtnG54,RBtnG55,RBtnG56,"
             "RBtnG57,BitBtnOk,BitBtnCancel,BtnSave",
             "StrKestrilonLayer,StrToolName,StrNote1,StrNote2,StrReport,StrFile,StrDate,StrVer,StrTech,"
             "StrMatCrossHeight,StrClampCrossHeight,StrStartXYNote,StrSizeNote,StrMaterialNote"},
        {"MeaRepDg", "Report",
             "BitBtnOk",
             "StrType,StrToolNotFit,StrClosedRegions,StrOpenRegions,StrSuccessAxis,StrFailAxis,"
             "StrStatus,StrError,StrOk,StrUnknown,StrCount"},
    };
    return sections;
}
