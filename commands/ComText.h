// The text commands: STYLE (text style of new texts), TEXT (one line at a point),
// EDITTEXT (selected texts in the text dialog) and TEXTTOPLINE (texts to polylines).
#pragma once
#include <string>

void ComStyle();
void ComNewText();
void ComEditText();
void ComTextToPline();

// The string without the blanks (and control characters) at its ends; inner blanks
// stay. Blanks at the ends of a text build nothing.
std::string TrimTextBlanks(const std::string& S);
// Count texts were left as they were because their new string builds nothing: logged,
// and the user told.
void TextNotBuilt(int Count);
