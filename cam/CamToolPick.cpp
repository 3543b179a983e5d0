#include "cam/CamToolPick.h"

TCamToolPickFn CamToolPickHook = nullptr;

void PressPicksTool(std::initializer_list<TControl*> Box, const std::function<void()>& Pick) {
    for (TControl* C : Box)
        C->OnMouseDown = [Pick](TMouseButton B, uint8_t, int32_t, int32_t) {
            if (B == TMouseButton::mbLeft) Pick();
        };
}
