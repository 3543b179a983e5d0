#include "cam/OpHighlight.h"

#include <algorithm>

#include "cam/CamOpList.h"
#include "commands/ComCommon.h"
#include "core/Glob.h"
#include "core/ObjRecords.h"
#include "core/UniDraw.h"
#include "core/UniPline.h"
#include "shell/MainView.h"

void HighlightCamOp(int OpNum) {
    if (OpNum < 0 || OpNum >= OpList.CamCnt || OpNum >= MaxCamOps) return;
    const TCamOp& Op = OpList.Cam[OpNum];
    const int N = std::clamp<int>(Op.ParCnt, 0, int(Op.Parents.size()));
    HighlightPolys.assign(size_t(N), RPolyPoints{});
    HighlightPolysCnt = 0;
    for (int i = 0; i < N; ++i) {
        const TObjHeader* P = Op.Parents[i];
        if (P && P->Type == ObjPline) {
            if (MainCanvas) MainCanvas->PenColor = Glob.TabLayer[P->Layer <= LayerCount ? P->Layer : 0].Color;
            EnPline.GetPoints(P, HighlightPolys[size_t(HighlightPolysCnt)]);
        }
        ++HighlightPolysCnt;
    }
    Glob.DrawHighLight = uint8_t(Op.OpType);
    ComRedrawView();
}

void ClearCamOpHighlight() {
    Glob.DrawHighLight = 0;
    ComRedrawView();
}
