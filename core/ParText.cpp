#include "core/ParText.h"

ParText WorkText;
ParText TextStyle;
ParText DimTextStyle;
