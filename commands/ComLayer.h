// Commands that reorganise objects without changing their geometry: CHANGELAYER puts
// the selection on a named layer, GROUP wraps it into one new group, UNGROUP dissolves
// the selected groups. Links of machining operations follow groups and their members.
#pragma once

void ComChangeLayer();
void ComGroup();
void ComUngroup();
