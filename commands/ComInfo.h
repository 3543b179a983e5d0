// INFO: counts and extents of the selected objects in the info window.
#pragma once

void ComInfo();
