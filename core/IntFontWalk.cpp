// The shape interpreter: runs the shapes of a stroke font for the characters of
// WorkText and draws, picks, measures or builds what the pen traces.
//
// Every read of a shape block is bound-checked (a byte past the block reads as 0,
// the end of the shape), subshape calls are nested at most ShpMaxDepth deep, the
// position stack holds at most ShpStackSize entries and no scale divides by 0.
#include <algorithm>
#include <cmath>

#include "core/Builder.h"
#include "core/Glob.h"
#include "core/IntFont.h"
#include "core/ParText.h"
#include "core/UniDraw.h"
#include "core/UniGeom.h"

TShpToolDist ShpToolDist = nullptr;

namespace {

// The 16 directions of the one-byte vectors.
const Extended DirX[16] = {1, 1, 1, 0.5L, 0, -0.5L, -1, -1, -1, -1, -1, -0.5L, 0, 0.5L, 1, 1};
const Extended DirY[16] = {0, 0.5L, 1, 1, 1, 1, 1, 0.5L, 0, -0.5L, -1, -1, -1, -1, -1, -0.5L};

// Most chords one arc is cut into when drawn (a guard against absurd scales).
constexpr int MaxChords = 4096;

struct TShpWalk {
    int Mode = ShpDraw;
    bool Gdi = false;  // the preview twin: pixel lines, fixed chord tolerance
    const TShpFont* Font = nullptr;
    Extended K = 1;  // text scale Vyska / U
    Extended S = 1;  // vector scale
    Osy P;           // pen position, font units
    Osy W;           // its world point
    bool PenDown = true;
    bool Hit = false;
    Osy Min, Max;    // pick rectangle
    TCanvas* Canv = nullptr;
    float Opacity = 1;
    Extended StrokeW = 0;  // stroke width, mm
    uint8_t Layer = 0;
    TObjHeader** StartAdr = nullptr;
    TObjHeader** EndAdr = nullptr;
    int Depth = 0;
    // Of WorkText, for every point: the slant's shift per unit of height and the turn.
    Extended Shear = 0, CosRot = 1, SinRot = 0;

    void TakeTextFrame() {
        Shear = std::sin(WorkText.Zkos) / std::cos(WorkText.Zkos);
        CosRot = std::cos(WorkText.Rotate);
        SinRot = std::sin(WorkText.Rotate);
    }
    Osy ShapeToWorld(const Osy& Q) const;
    void Grow(const Osy& V) {
        WorkText.WinMin.x = std::min(WorkText.WinMin.x, V.x);
        WorkText.WinMin.y = std::min(WorkText.WinMin.y, V.y);
        WorkText.WinMax.x = std::max(WorkText.WinMax.x, V.x);
        WorkText.WinMax.y = std::max(WorkText.WinMax.y, V.y);
    }
    void LineTo(const Osy& Q);
    void Arc(const Osy& C, Extended Theta, Extended R);
    void RunShape(uint8_t Code);
    void Make() {
        if (Mode == ShpBuild) MakeObj(Layer, *StartAdr, *EndAdr);
    }
};

Osy TShpWalk::ShapeToWorld(const Osy& Q) const {
    Extended x = Q.x * K * WorkText.WidthFactor;
    Extended y = Q.y * K;
    x += y * Shear;
    if (WorkText.MirrorY) y = -y;
    return Osy{x * CosRot - y * SinRot + WorkText.Base.x, x * SinRot + y * CosRot + WorkText.Base.y};
}

void TShpWalk::LineTo(const Osy& Q) {
    Osy w2 = ShapeToWorld(Q);
    if (PenDown) {
        switch (Mode) {
            case ShpDraw:
                if (Gdi) DrawLineGdi(W, w2, Canv);
                else DrawLine(W, w2, Canv, Opacity, StrokeW);
                break;
            case ShpPick: {
                Osy pl, pb, pr, pt;
                bool l, b, r, t, ina, inb;
                ClipSegToRect(Min, Max, W, w2, pl, pb, pr, pt, l, b, r, t, ina, inb);
                if (l || b || r || t || ina || inb) Hit = true;
                break;
            }
            case ShpEnvelope:
                Grow(w2);
                break;
            case ShpBuild:
                AddSeg(w2, 0, CoordTol);
                break;
        }
    }
    P = Q;
    W = w2;
}

Osy OnCircle(const Osy& C, Extended R, Extended A) {
    return Osy{C.x + R * std::cos(A), C.y + R * std::sin(A)};
}

// An arc from P about C, included angle Theta (counter-clockwise positive), radius R.
void TShpWalk::Arc(const Osy& C, Extended Theta, Extended R) {
    Extended a0 = Angle(C, P);
    if (Mode != ShpBuild) {
        Extended tol = Gdi ? 0.5L : (Glob.BoduNaMm > 0 ? 1 / (2 * Glob.BoduNaMm) : 0.5L);
        Extended c = R * K;
        int n = 1;
        if (c > tol) {
            Extended q = (c - tol) / c;
            Extended step = 2 * std::atan(std::sqrt(1 - q * q) / q);
            Extended cnt = std::fabs(Theta) / step;
            n = cnt >= MaxChords ? MaxChords : int(cnt) + 1;
        }
        bool arrow = Glob.Arrow;
        Glob.Arrow = false;
        // The chord ends inside the arc are turned on from one to the next (two sines
        // for the arc instead of two per chord: an arc may have thousands of chords); the
        // last one, where the pen stays, is computed on its own.
        const Extended cs = std::cos(Theta / n), sn = std::sin(Theta / n);
        Extended ux = std::cos(a0), uy = std::sin(a0);
        for (int i = 1; i <= n; ++i) {
            if (i == n) {
                Glob.Arrow = arrow;
                LineTo(OnCircle(C, R, a0 + i * Theta / n));
                break;
            }
            const Extended vx = ux * cs - uy * sn;
            uy = ux * sn + uy * cs;
            ux = vx;
            LineTo(Osy{C.x + R * ux, C.y + R * uy});
        }
        Glob.Arrow = arrow;
        return;
    }
    Osy e = OnCircle(C, R, a0 + Theta);
    if (PenDown) {
        bool undistorted = std::fabs(WorkText.WidthFactor - 1) <= CoordTol && std::fabs(WorkText.Zkos) <= CoordTol;
        if (undistorted && std::fabs(Theta) <= GeomPi) {
            AddSeg(ShapeToWorld(e), WorkText.MirrorY ? -Theta : Theta, CoordTol);
        } else {
            int m = 2;
            if (!undistorted) {
                Extended wf = std::fabs(WorkText.WidthFactor);
                Extended f = wf < 1 ? wf : 1 / wf;
                f = std::max(f, Extended(0.01));
                m = std::clamp(int(std::ceil(std::fabs(Theta) / (f * GeomPi / 4))), 1, MaxChords);
            }
            Osy a = ShapeToWorld(P);
            for (int i = 1; i <= m; ++i) {
                Osy b = ShapeToWorld(OnCircle(C, R, a0 + (2 * i - 1) * Theta / (2 * m)));
                Osy d = ShapeToWorld(OnCircle(C, R, a0 + i * Theta / m));
                Extended ab = Dist(a, b), ad = Dist(a, d), bd = Dist(b, d);
                Extended phi = 0;
                if (ab * ad > CoordTol * CoordTol) {
                    Extended cosA = std::clamp((ab * ab + ad * ad - bd * bd) / (2 * ad * ab), Extended(-1), Extended(1));
                    phi = 4 * std::acos(cosA);
                    if (Theta < 0) phi = -phi;
                    if (WorkText.MirrorY) phi = -phi;
                }
                AddSeg(d, phi, CoordTol);
                a = d;
            }
        }
    }
    P = e;
    W = ShapeToWorld(e);
}

void TShpWalk::RunShape(uint8_t Code) {
    ResetBuilder();
    if (Mode == ShpBuild) StartObj(W);
    if (Code == 0) return;
    const std::vector<uint8_t>& d = Font->ShapeData[Code];
    if (d.empty()) return;
    size_t i = 0;
    auto next = [&]() -> uint8_t { return i < d.size() ? d[i++] : 0; };
    auto snext = [&]() -> Extended { return Extended(int8_t(next())); };
    PenDown = true;
    Osy stack[ShpStackSize];
    int sp = 0;
    bool skip = false;
    while (true) {
        uint8_t c = next();
        if (c == 0) {
            Make();
            return;
        }
        bool run = !skip;
        switch (c) {
            case 1:
                if (!run) break;
                PenDown = true;
                W = ShapeToWorld(P);
                if (Mode == ShpDraw && !Gdi && Glob.Arrow && Glob.View == vDir && W.x >= Glob.ZoomMin.x &&
                    W.x <= Glob.ZoomMax.x && W.y >= Glob.ZoomMin.y && W.y <= Glob.ZoomMax.y)
                    DrawDot(W, Canv, Opacity, 0);
                else if (Mode == ShpEnvelope)
                    Grow(W);
                else if (Mode == ShpBuild)
                    StartObj(W);
                break;
            case 2:
                if (!run) break;
                PenDown = false;
                Make();
                break;
            case 3: {
                uint8_t n = next();
                if (run && n != 0) S = S / n;
                break;
            }
            case 4: {
                uint8_t n = next();
                if (run) S = S * n;
                break;
            }
            case 5:
                if (run && sp < ShpStackSize) stack[sp++] = P;
                break;
            case 6:
                if (run && sp > 0) {
                    Make();
                    P = stack[--sp];
                    W = ShapeToWorld(P);
                }
                break;
            case 7: {
                uint8_t sub = next();
                if (run && Depth < ShpMaxDepth) {
                    ++Depth;
                    RunShape(sub);
                    --Depth;
                }
                break;
            }
            case 8: {
                Extended dx = snext(), dy = snext();
                if (run) LineTo(Osy{P.x + dx * S, P.y + dy * S});
                break;
            }
            case 9:
                while (true) {
                    Extended dx = snext(), dy = snext();
                    if (dx == 0 && dy == 0) break;
                    if (run) LineTo(Osy{P.x + dx * S, P.y + dy * S});
                    if (i >= d.size()) break;
                }
                break;
            case 10: {
                Extended r = next();
                int o = int8_t(next());
                if (!run) break;
                bool cw = o < 0;
                if (cw) o = -o;
                int so = o / 16, n = o % 8;
                if (n == 0) n = 8;
                Extended R = r * S;
                Extended as = so * GeomPi / 4;
                Osy C{P.x - R * std::cos(as), P.y - R * std::sin(as)};
                Arc(C, (cw ? -1 : 1) * n * GeomPi / 4, R);
                break;
            }
            case 11: {
                Extended a = next(), b = next(), rh = next(), rl = next();
                int o = int8_t(next());
                if (!run) break;
                int t = 1;
                if (o < 0) {
                    t = -1;
                    o = -o;
                }
                Extended R = (256 * rh + rl) * S;
                Extended deg = GeomPi / 180;
                Extended a0 = (t * a * 45 / 256 + (o / 16) * 45) * deg;
                Osy C{P.x - R * std::cos(a0), P.y - R * std::sin(a0)};
                int n = o % 8;
                if (n == 0) n = 8;
                if (b != 0) --n;
                Arc(C, t * (n * 45 + b * 45 / 256) * deg, R);
                break;
            }
            case 12:
            case 13:
                while (true) {
                    Extended dx = snext(), dy = snext();
                    if (c == 13 && dx == 0 && dy == 0) break;
                    Extended h = snext();
                    if (run) {
                        Osy e{P.x + dx * S, P.y + dy * S};
                        if (h == 0) {
                            LineTo(e);
                        } else {
                            Extended theta = 4 * std::atan(h / 127);
                            Osy C;
                            Extended R;
                            ArcCenter(P, e, theta, C, R);
                            Arc(C, theta, R);
                        }
                    }
                    if (c == 12 || i >= d.size()) break;
                }
                break;
            default:  // 14 skip, 15 nothing, 16.. vectors
                if (c >= 16 && run) {
                    Extended len = (c >> 4) * S;
                    int dir = c & 15;
                    LineTo(Osy{P.x + len * DirX[dir], P.y + len * DirY[dir]});
                }
                break;
        }
        skip = c == 14;
    }
}

// The font of WorkText and its text scale; false when there is nothing to run.
bool PrepareWalk(TShpWalk& Wk) {
    if (WorkText.Text.empty() || WorkText.JmFontu.empty()) return false;
    int slot = FindFont(WorkText.JmFontu);
    if (slot < 0) return false;
    Wk.Font = &FontTab[slot];
    const std::vector<uint8_t>& head = Wk.Font->ShapeData[0];
    if (head.empty() || head[0] == 0) return false;  // no capital height: no scale
    Wk.K = WorkText.Vyska / head[0];
    Wk.TakeTextFrame();
    Wk.S = 1;
    Wk.P = Osy{0, 0};
    Wk.W = Wk.ShapeToWorld(Wk.P);
    return true;
}

}  // namespace

bool WalkShpText(int Mode, const Osy& Min, const Osy& Max, TCanvas* Canv, float Opacity,
                 uint8_t Layer, TObjHeader*& StartAdr, TObjHeader*& EndAdr) {
    TShpWalk wk;
    wk.Mode = Mode;
    wk.Min = Min;
    wk.Max = Max;
    wk.Canv = Canv;
    wk.Opacity = Opacity;
    wk.Layer = Layer;
    wk.StartAdr = &StartAdr;
    wk.EndAdr = &EndAdr;
    if (Mode == ShpDraw && !Canv) return false;
    if (!PrepareWalk(wk)) return false;
    if (Layer >= 1 && Layer <= 64) {
        if (Glob.View == vToolDn) {
            wk.StrokeW = Glob.Tool[Layer].SpodniPrumer;
        } else if (Glob.View == vToolUp) {
            Extended d = 0;
            if (ShpToolDist && ShpToolDist(Layer, d)) wk.StrokeW = 2 * d;
        }
    }
    if (Mode == ShpEnvelope) {
        WorkText.WinMin = Osy{10000, 10000};
        WorkText.WinMax = Osy{-10000, -10000};
    }
    bool hit = false;
    for (char ch : WorkText.Text) {
        wk.RunShape(uint8_t(ch));
        if (Mode == ShpPick && wk.Hit) {
            hit = true;
            break;
        }
    }
    ResetBuilder();  // leave nothing of the walk under construction
    return hit;
}

void WalkShpTextGdi(TCanvas* Canv) {
    if (!Canv) return;
    TShpWalk wk;
    wk.Mode = ShpDraw;
    wk.Gdi = true;
    wk.Canv = Canv;
    if (!PrepareWalk(wk)) return;
    for (char ch : WorkText.Text) wk.RunShape(uint8_t(ch));
    ResetBuilder();
}
