#include "core/ParText.h"

#include "core/IntFont.h"

ParText WorkText;
ParText TextStyle;
ParText DimTextStyle;

void SetBuiltInTextStyles() {
    TextStyle = ParText{};
    TextStyle.JmFontu = IntFontName;
    TextStyle.Vyska = 5;
    TextStyle.WidthFactor = 1;
    TextStyle.Origin = {0, 10};
    TextStyle.MeziRadky = 10;
    DimTextStyle = TextStyle;
}

bool TextStyleUsable(const ParText& P) { return P.Vyska > 0 && !P.JmFontu.empty(); }
