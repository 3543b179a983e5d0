#include "cam/ContourBuild.h"

TObjHeader* CreateClosedContour3D(TObjHeader* Adresa, bool Inside, bool Dir, bool TgIn, bool TgOut, Extended Dist,
                                  Extended TgPolomer, Extended TgUhel, uint8_t La) {
    return CreateClosedContour(Adresa, Inside, Dir, TgIn, TgOut, Dist, TgPolomer, TgUhel, La);
}
