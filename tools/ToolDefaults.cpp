// Start-up values of the 64 layer tools.
#include "core/Glob.h"
#include "core/UniLog.h"
#include "tools/ToolDg.h"

void InitTool() {
    WriteLog("Sys:Init Tools");
    if (Glob.Material.empty()) {
        WriteLog("Err:FAILED init Tools, no materials");
        return;
    }
    for (int n = 1; n <= ToolLayerCount; ++n) {
        TTool T;
        T.JmNastroje = "???";
        T.MatNastroje = "Slinutý karbid";
        T.Tnum = T.Dnum = T.ToolType = 0;
        T.SpodniPrumer = 0.2L * n;
        T.Radius = 0;
        T.UhelSpicky = 45;
        T.VyskaKuzele = 4;
        T.HorniPrumer = 3;
        T.DelkaBritu = 1;
        T.PocetBritu = 1;
        T.VretTime = 2;
        T.OfukCount = 1;
        T.Chlaz = Zadne;
        T.VyjezdZapichem = Rychloposuv;
        T.Obrob = CelyPruchod;
        T.TID = -1;
        T.Pruchod.fill(TPruchod{-1, -1, 5, 10000});
        T.Pruchod[1].Hloubka = 0.2L;
        T.Material = Glob.Material[0];
        TToolTech& Te = T.Material.Tech;
        Te.N = 8000;
        Te.MaxN = 8000;
        Te.MaxPwr = 1000;
        Te.Vc = 100;
        Te.Vf = 100;
        Te.Fz = 0.01L;
        Te.Fn = 0.01L;
        Te.Ae = 25;
        Te.Ap = 10;
        Te.Method = 0;
        Te.Edge = 1;
        Te.ApPercent = Te.AePercent = true;
        // Plunge objects 4 and 5, and a few fields of 0..3, keep the material's values.
        for (int p = poPoint; p <= poPocketRough; ++p) {
            TToolPlunge& P = T.Material.Zapich[p];
            P.Method = 0;
            P.FeedTime = 1;
            P.FeedPct = 20;
            P.FeedPercent = true;
            P.RampAngle = 10;
            P.RampLength = 0;
            P.SpiralPitch = 1;
            P.SpiralRad = 30;
            P.SpiralRadPercent = true;
            P.SpiralAngle = 0;
            P.SpiralLeft = P.SpiralOuter = false;
            P.TangAngle = 45;
            P.TangRad = 100;
            P.TangRadPercent = true;
            P.TangEntry = P.TangExit = P.TangCenter = false;
        }
        T.Material.Vystup = TToolOutputs{};
        Glob.Tool[n] = T;
    }
    Glob.SpolParObr.Rychloposuv = 50;
    Glob.SpolParObr.PrejezdNadMat = 1;
    Glob.SpolParObr.PrejezdNadUpin = 10;
    Glob.SpolParObr.DepthToPlunge = 0.5L;
}
