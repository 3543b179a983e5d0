// Pictures of the machining dialogs, painted by code: the side of a contour
// ("ImgContour1.png" outside, "2" inside, "3" an outline with a hole cut from the other
// side, "4" both sides) and the fill of a pocket ("ImgPocket1.png" meander, "2" offset
// rings, "3" offset rings joined over the bottom, "4" spiral).
#pragma once
#include <string>

// Writes them into Dir (created when missing); existing files are kept unless
// Overwrite. False when a file could not be written.
bool PaintCamPictureFiles(const std::string& Dir, bool Overwrite = false);
