// Our own toolbar and layer-panel pictures, painted by code: one 32 x 32 picture per
// toolbar picture name (a small pictogram, often with a short word) on the transparent
// colour $FF00FF, and the two show marks of the layer panel.
#pragma once
#include <QImage>
#include <string>
#include <utility>
#include <vector>

// The picture of toolbar picture name Word ("filenew", "drawline" ...).
QImage PaintIcon(const std::string& Word);
// Writes the toolbar pictures Pictures (file name, word naming the picture) and the
// two show marks as BMP files into Dir (created when missing). Existing files are kept
// unless Overwrite. False when a file could not be written.
bool PaintIconFiles(const std::string& Dir, const std::vector<std::pair<std::string, std::string>>& Pictures,
                    bool Overwrite = false);
// A picture loaded from a file with $FF00FF made transparent (null when unreadable).
QImage LoadTransparentPicture(const std::string& File);
