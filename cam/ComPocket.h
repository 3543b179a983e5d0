// The pocket and surfacing commands MEANDR, ENGRBLOCK and SURFACE, and the
// regeneration of pocket and surfacing operations.
#pragma once

// MEANDR: a pocket of the selected closed contours (re-entered by the command line;
// OPEDIT and regeneration run it with Glob.OpEdit on, skipping the selection).
void ComMeandr();
// SURFACE: a surfacing operation of the selected closed contours.
void ComSurface();
void RegenSurfaceOp(int OpNum);
void SurfaceOpToDg(int OpNum);
// INTELIMEANDR: a pocket of the areas of the "Orig" layer around picked points.
void ComInteliMeandr();
// ENGRBLOCK: the same pocket without the start and end log lines and status handling.
void ComEngrBlock();
// Rebuilds the paths of pocket operation OpNum from its sources (no dialog).
void RegenPocketOp(int OpNum);
// Loads a pocket operation into the pocket dialog.
void PocketOpToDg(int OpNum);
// Registers the pocket kind with the regeneration.
void InstallPocketRegen();
