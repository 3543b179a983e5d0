// The DXF file the import benchmarks read: N entities (lines, arcs and light-weight
// polylines in equal parts) on a grid, written once per size into the temporary folder.
#pragma once
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

inline const std::string& DxfFile(int64_t N) {
    static std::map<int64_t, std::string> files;
    auto it = files.find(N);
    if (it != files.end()) return it->second;
    const std::string path =
        (std::filesystem::temp_directory_path() / ("kestrilon-bench-" + std::to_string(N) + ".dxf")).string();
    std::ofstream f(path, std::ios::binary);
    f << "0\r\nSECTION\r\n2\r\nENTITIES\r\n";
    char buf[512];
    for (int64_t k = 0; k < N; ++k) {
        const double x = double(k % 1000) * 20, y = double(k / 1000) * 20;
        switch (k % 3) {
            case 0:
                std::snprintf(buf, sizeof buf, "0\r\nLINE\r\n8\r\nT1\r\n10\r\n%.6f\r\n20\r\n%.6f\r\n11\r\n%.6f\r\n21\r\n%.6f\r\n",
                              x, y, x + 10, y + 5);
                break;
            case 1:
                std::snprintf(buf, sizeof buf,
                              "0\r\nARC\r\n8\r\nT2\r\n10\r\n%.6f\r\n20\r\n%.6f\r\n40\r\n4.5\r\n50\r\n15.0\r\n51\r\n160.0\r\n", x,
                              y);
                break;
            default:
                std::snprintf(buf, sizeof buf,
                              "0\r\nLWPOLYLINE\r\n8\r\nT3\r\n90\r\n4\r\n70\r\n1\r\n10\r\n%.6f\r\n20\r\n%.6f\r\n42\r\n0.4\r\n"
                              "10\r\n%.6f\r\n20\r\n%.6f\r\n10\r\n%.6f\r\n20\r\n%.6f\r\n10\r\n%.6f\r\n20\r\n%.6f\r\n",
                              x, y, x + 8, y, x + 8, y + 8, x, y + 8);
        }
        f << buf;
    }
    f << "0\r\nENDSEC\r\n0\r\nEOF\r\n";
    return files.emplace(N, path).first->second;
}
