// Pictures of the tool dialogs, painted by code: the tool of each mill tool type with
// its dimensions ("ImgTool0.bmp" .. "ImgTool8.bmp"), the plunge methods
// ("ImgPlungeVert.bmp" ...), the cutting data ("ImgToolTech.bmp") and the node
// pictures of the library tree ("ImgToolLib0.png" ..).
#pragma once
#include <string>

inline constexpr int ToolLibNodePictureCount = 21;

// Writes them into Dir (created when missing); existing files are kept unless
// Overwrite. False when a file could not be written.
bool PaintToolPictureFiles(const std::string& Dir, bool Overwrite = false);
