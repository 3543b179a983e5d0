// The object order commands (the drawing list is the machining order) and the
// re-pointing of operation links after an edit that moved, relinked or replaced objects.
#pragma once
#include <functional>

// Re-pointing step over the first Glob.OpEditAdrCnt records of Glob.OpEditAdr, in
// order. For each operation (ascending) of which Orig is a source: CamOpDelParent(Orig),
// ParentAction(op), CamOpAddParent of every New in order; of which Orig is a path:
// CamOpDelChild(Orig), then per New CamOpAddChild followed by ChildAction(op). Empty
// actions do nothing: the links then only move to the end of their lists.
using TOpAction = std::function<void(int OpNum)>;
void RepointOpLinks(const TOpAction& ParentAction = {}, const TOpAction& ChildAction = {});

// A top-level record that is not a group and lies on Glob.LayerDraw, or a group that
// holds, at any depth, an object on that layer.
struct TObjHeader;
bool IsActiveLayerObj(const TObjHeader* p);

// Command routines (keywords TOSTART, TOEND, ONETOSTART, ONETOEND, TOPOS).
void ComToStart();
void ComToEnd();
void ComOneToStart();
void ComOneToEnd();
void ComToPos();

// ORIGTOFRONT: every object of the "Orig" layer (68) to the end of the drawing list.
void ComOrigToFront();
