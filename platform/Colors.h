// Named colours, $00BBGGRR.
#pragma once
#include <cstdint>

inline constexpr uint32_t clBlack = 0x000000;
inline constexpr uint32_t clWhite = 0xFFFFFF;
inline constexpr uint32_t clRed = 0x0000FF;
inline constexpr uint32_t clLime = 0x00FF00;
inline constexpr uint32_t clBlue = 0xFF0000;
inline constexpr uint32_t clYellow = 0x00FFFF;
inline constexpr uint32_t clFuchsia = 0xFF00FF;
inline constexpr uint32_t clAqua = 0xFFFF00;
inline constexpr uint32_t clGray = 0x808080;
inline constexpr uint32_t clSilver = 0xC0C0C0;
inline constexpr uint32_t clNavy = 0x800000;
inline constexpr uint32_t clGreen = 0x008000;
inline constexpr uint32_t clMaroon = 0x000080;
// The widget's own default colour (not a real colour).
inline constexpr uint32_t clDefault = 0x20000000;

inline constexpr uint8_t ColorR(uint32_t C) { return C & 0xFF; }
inline constexpr uint8_t ColorG(uint32_t C) { return (C >> 8) & 0xFF; }
inline constexpr uint8_t ColorB(uint32_t C) { return (C >> 16) & 0xFF; }
inline constexpr uint32_t RGBColor(uint8_t R, uint8_t G, uint8_t B) {
    return uint32_t(R) | (uint32_t(G) << 8) | (uint32_t(B) << 16);
}
