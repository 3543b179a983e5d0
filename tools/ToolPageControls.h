// The controls that the tool dialog and the library dialog both have on their tool
// pages, by the same names: the routines of ToolPageBuild.h and ToolPageShow.h serve
// both forms through it.
#pragma once
#include "platform/Controls.h"

struct TToolPageControls {
    // Info/Geo.
    TEdit *EditToolJmNastroje = nullptr, *EditToolMatNastroje = nullptr, *EditToolTnum = nullptr,
          *EditToolDnum = nullptr;
    TComboBox* CboxToolTType = nullptr;
    TEdit *EditToolDSpodni = nullptr, *EditToolR = nullptr, *EditToolU = nullptr, *EditToolV = nullptr,
          *EditToolDHorni = nullptr, *EditToolBrit = nullptr, *EditToolPocetBritu = nullptr;
    TLabel *LabToolDSpodni = nullptr, *LabToolR = nullptr, *LabToolU = nullptr, *LabToolV = nullptr,
           *LabToolDHorni = nullptr, *LabToolBrit = nullptr, *LabToolPocetBritu = nullptr;
    TButton *BtnToolCalculateAngle = nullptr, *BtnToolTest = nullptr;
    // Cutting data.
    TEdit *EditToolMaxSpindlePower = nullptr, *EditToolMaxSpindleSpeed = nullptr, *EditToolN = nullptr,
          *EditToolVc = nullptr, *EditToolFz = nullptr, *EditToolFn = nullptr, *EditToolVf = nullptr,
          *EditToolAp = nullptr, *EditToolAe = nullptr;
    TLabel *LabToolMaxSpindlePower = nullptr, *LabToolMaxSpindleSpeed = nullptr, *LabToolN = nullptr,
           *LabToolVc = nullptr, *LabToolFz = nullptr, *LabToolFn = nullptr, *LabToolVf = nullptr,
           *LabToolAp = nullptr, *LabToolAe = nullptr;
    TSpeedButton *SbtnToolApUnits = nullptr, *SBtnToolAeUnits = nullptr;
    TRadioButton *RbtnToolBothMill = nullptr, *RBtnToolClimbMill = nullptr, *RBtnToolConvMill = nullptr;
    // Plunges.
    TPageControl* TabControlToolPlunge = nullptr;
    TRadioButton *RbtnToolVert = nullptr, *RBtnToolTang = nullptr, *RBtnToolRamp = nullptr,
                 *RBtnToolSpiral = nullptr;
    TGroupBox *GrBoxToolPlungeVert = nullptr, *GrBoxToolPlungeTang = nullptr, *GrBoxToolPlungeRamp = nullptr,
              *GrBoxToolPlungeSpiral = nullptr;
    TRadioButton *RBtnToolFeedTime = nullptr, *RBtnToolFeedPercent = nullptr;
    TEdit *EditToolPlungeFeed = nullptr, *EditToolRampAngle = nullptr, *EditToolRampLength = nullptr,
          *EditToolSpiralPitch = nullptr, *EditToolSpiralRad = nullptr, *EditToolSpiralAngle = nullptr,
          *EditToolHoleRad = nullptr;
    TLabel *LabToolRampAngle = nullptr, *LabToolRampLength = nullptr, *LabToolSpiralPitch = nullptr,
           *LabToolSpiralAngle = nullptr, *LabToolSpiralRad = nullptr, *LabToolHoleRad = nullptr;
    TSpeedButton* SbtnToolSpiralRadUnits = nullptr;
    TCheckBox *ChBoxToolSpiralupward = nullptr, *ChBoxToolSpiralLeft = nullptr;
    // Outputs.
    TCheckBox *ChBoxToolLaser = nullptr, *ChBoxToolCoolCross = nullptr, *ChBoxToolOfukUse = nullptr;
    TEdit *EditToolLaserTime = nullptr, *EditToolChlazTime = nullptr, *EditToolOfukCount = nullptr,
          *EditToolOfukTime = nullptr;
    TLabel *LabToolOfukCount = nullptr, *LabToolOfukTime = nullptr;
    TComboBox* CBoxToolCoolantType = nullptr;
};
