// OPEDIT and OPDELETE: editing or deleting the operation chosen in the operations
// panel or found through selected objects.
#pragma once
#include <array>
#include <vector>

// Puts Value into the first free entry (-1) of Set unless it is there already.
void AddOpNumToSet(int Value, std::array<int, 100>& Set);

void ComCamOpEdit();
void ComCamOpDelete();
