#include "support/NcMachine.h"

#include <cmath>
#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

std::vector<double> Args(const std::string& Line) {
    std::vector<double> v;
    const size_t open = Line.find('('), close = Line.rfind(')');
    if (open == std::string::npos || close == std::string::npos) return v;
    std::stringstream ss(Line.substr(open + 1, close - open - 1));
    std::string item;
    while (std::getline(ss, item, ',')) v.push_back(std::strtod(item.c_str(), nullptr));
    return v;
}

}  // namespace

TMachineRun RunOnMachine(const std::string& NcFile, const std::string& WorkDir) {
    TMachineRun run;
    const std::string tbl = WorkDir + "/machine.tbl", out = WorkDir + "/machine.canon", err = WorkDir + "/machine.err";
    {
        std::ofstream t(tbl);
        for (int i = 1; i <= 999; ++i) t << "T" << i << " P" << i << " D3 Z0\n";
    }
    // The interpreter keeps its tool table in a memory-mapped "$HOME/.tool.mmap" that it
    // truncates at start: runs of parallel tests would truncate each other's map (a bus
    // error), so each run gets its own home.
    const std::string cmd = "HOME='" + WorkDir + "' rs274 -t '" + tbl + "' -g '" + NcFile + "' '" + out +
                            "' </dev/null >'" + err + "' 2>&1";
    const int rc = std::system(cmd.c_str());
    std::ifstream e(err);
    std::string line;
    while (std::getline(e, line))
        if (line != "executing") run.Messages += line + "\n";
    run.Ok = rc == 0;
    std::ifstream in(out);
    Osy3D pos{0, 0, INFINITY};
    double feed = 0;
    int tool = 0;
    while (std::getline(in, line)) {
        const std::vector<double> a = Args(line);
        TMachineMove m;
        m.From = pos;
        m.Feed = feed;
        m.Tool = tool;
        if (line.find("STRAIGHT_TRAVERSE(") != std::string::npos || line.find("STRAIGHT_FEED(") != std::string::npos) {
            m.Rapid = line.find("TRAVERSE") != std::string::npos;
            m.To = Osy3D{a.at(0), a.at(1), a.at(2)};
        } else if (line.find("ARC_FEED(") != std::string::npos) {
            m.Arc = true;
            m.To = Osy3D{a.at(0), a.at(1), a.at(5)};
            m.C = Osy{a.at(2), a.at(3)};
            m.Turn = int(a.at(4));
        } else {
            if (line.find("SET_FEED_RATE(") != std::string::npos) {
                feed = a.at(0);
                run.Feeds.push_back(feed);
            } else if (line.find("CHANGE_TOOL(") != std::string::npos) {
                tool = int(a.at(0));
                run.ToolChanges.push_back(tool);
                pos.z = INFINITY;
            } else if (line.find("COMMENT(\"interpreter") != std::string::npos &&
                       line.find("IJK distance mode") == std::string::npos &&
                       line.find("feed mode set to units per minute") == std::string::npos) {
                run.Messages += line + "\n";
            }
            continue;
        }
        run.Moves.push_back(m);
        pos = m.To;
    }
    return run;
}

std::vector<Osy3D> MovePoints(const TMachineMove& M, Extended Step) {
    std::vector<Osy3D> pts;
    const Osy3D S{M.From.x, M.From.y, std::isfinite(double(M.From.z)) ? M.From.z : M.To.z};
    if (!M.Arc) {
        const Extended len = std::hypot(M.To.x - S.x, M.To.y - S.y);
        const int n = std::max(1, int(len / Step));
        for (int i = 0; i <= n; ++i)
            pts.push_back(Osy3D{S.x + (M.To.x - S.x) * i / n, S.y + (M.To.y - S.y) * i / n, S.z + (M.To.z - S.z) * i / n});
        return pts;
    }
    const Extended r = std::hypot(S.x - M.C.x, S.y - M.C.y);
    const Extended a0 = std::atan2(S.y - M.C.y, S.x - M.C.x);
    Extended sweep = std::atan2(M.To.y - M.C.y, M.To.x - M.C.x) - a0;
    const Extended twoPi = 2 * 3.14159265358979323846L;
    if (M.Turn > 0 && sweep <= 1e-9L) sweep += twoPi;
    if (M.Turn < 0 && sweep >= -1e-9L) sweep -= twoPi;
    const int n = std::max(2, int(std::fabs(sweep) * r / Step));
    for (int i = 0; i <= n; ++i) {
        const Extended a = a0 + sweep * i / n;
        pts.push_back(Osy3D{M.C.x + r * std::cos(a), M.C.y + r * std::sin(a), S.z + (M.To.z - S.z) * i / n});
    }
    return pts;
}

std::vector<std::string> SafetyViolations(const TMachineRun& Run, Extended Clearance, Extended Deepest) {
    std::vector<std::string> bad;
    constexpr Extended eps = 0.0011L;
    auto at = [](const Osy3D& P) {
        char b[96];
        std::snprintf(b, sizeof b, "(%.4Lf %.4Lf %.4Lf)", P.x, P.y, P.z);
        return std::string(b);
    };
    // What the feed moves have cut so far: chords below the material top; the lowest
    // height of a chord passing within 0.002 mm of an XY.
    std::vector<std::pair<Osy3D, Osy3D>> cut;
    auto cutDepthAt = [&](const Osy& P) {
        Extended lowest = 0;
        for (const auto& [a, b] : cut) {
            if (P.x < std::min(a.x, b.x) - 0.01L || P.x > std::max(a.x, b.x) + 0.01L ||
                P.y < std::min(a.y, b.y) - 0.01L || P.y > std::max(a.y, b.y) + 0.01L)
                continue;
            const Extended dx = b.x - a.x, dy = b.y - a.y, l2 = dx * dx + dy * dy;
            const Extended t = l2 > 0 ? std::clamp<Extended>(((P.x - a.x) * dx + (P.y - a.y) * dy) / l2, 0, 1) : 0;
            if (std::hypot(P.x - a.x - t * dx, P.y - a.y - t * dy) <= 0.002L) lowest = std::min(lowest, std::max(a.z, b.z));
        }
        return lowest;
    };
    for (const TMachineMove& m : Run.Moves) {
        const bool xy = std::hypot(m.To.x - m.From.x, m.To.y - m.From.y) > 1e-6L;
        if (m.To.z < -Deepest - eps) bad.push_back("below the deepest pass at " + at(m.To));
        if (m.Rapid) {
            if (xy && (m.To.z < Clearance - eps || m.From.z < Clearance - eps))
                bad.push_back("rapid across the stock below the clearance height to " + at(m.To));
            if (!xy && m.To.z < m.From.z && m.To.z < cutDepthAt(Osy{m.To.x, m.To.y}) - eps)
                bad.push_back("rapid down into uncut material at " + at(m.To));
            continue;
        }
        if (m.Tool == 0) bad.push_back("feed move before a tool change to " + at(m.To));
        if (!(m.Feed > 0)) bad.push_back("feed move without a feed rate to " + at(m.To));
        const std::vector<Osy3D> pts = MovePoints(m, 0.05L);
        for (size_t i = 0; i + 1 < pts.size(); ++i)
            if (pts[i].z < 0 || pts[i + 1].z < 0) cut.emplace_back(pts[i], pts[i + 1]);
    }
    return bad;
}
