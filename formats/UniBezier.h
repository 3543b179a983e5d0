// The curve flattening is a kernel routine (core/UniBezier.h); the file readers
// keep reaching it here.
#pragma once
#include "core/UniBezier.h"
