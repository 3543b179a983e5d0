// The text commands: STYLE (text style of new texts), TEXT (one line at a point),
// EDITTEXT (selected texts in the text dialog) and TEXTTOPLINE (texts to polylines).
#pragma once

void ComStyle();
void ComNewText();
void ComEditText();
void ComTextToPline();
