// BRIDGE: holding bridges cut into tool paths at picked positions.
#pragma once

// The command routine (re-entered by the command line).
void ComBridge();
