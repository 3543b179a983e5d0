// Pictures of the new-job wizard, painted by code: the job kinds ("JobType0.bmp" 2.5D
// milling and engraving, "1" 4-axis indexing, "2" 4-axis continuous, "3" milling and
// turning), the stock shapes ("ImgNoStock.bmp", "ImgStockBox.bmp",
// "ImgStockCylinder.bmp"), the nine origins on the stock ("ImgStockOriginGrid.bmp") and
// the button glyphs ("BtnRight.bmp", "BtnOk.bmp").
#pragma once
#include <string>

// Writes them into Dir (created when missing); existing files are kept unless
// Overwrite. False when a file could not be written.
bool PaintWizardPictureFiles(const std::string& Dir, bool Overwrite = false);
