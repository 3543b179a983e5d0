// Whether the objects of a layer are drawn and can be picked, the same for every kind
// of object: the layer's Show switch; a number outside the layer table never is.
// (Some walks over the drawing count layer 68 as shown whatever its switch says; that
// is their own rule, not the objects'.)
#pragma once
#include <cstdint>

#include "core/Glob.h"

inline bool LayerShown(uint8_t Layer) { return Layer <= LayerCount && Glob.TabLayer[Layer].Show; }
