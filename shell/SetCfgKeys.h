// The keyed lines of the settings block, in writer order, with their read rules.
#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// What one reading of a block carries from line to line.
struct TCfgReadState {
    bool Packed = false;  // a "PACKED" line came earlier in the block
    bool Inside = true;   // contour sides, applied to the contour dialog at the end
    bool Outside = true;
};

struct TCfgKey {
    std::string Key;                                                  // as written
    std::function<std::string()> Write;                               // the value
    std::function<void(const std::string&, TCfgReadState&)> Read;     // applies a value
    // Several lines instead, appended to Out, each indented by two blanks.
    std::function<void(bool Pack, std::vector<std::string>& Out)> WriteLines;
};

// Every key in writer order (the layer lines are one entry with WriteLines).
const std::vector<TCfgKey>& CfgKeys();
// The entry whose upper-cased key equals Key (already upper-cased); nullptr when none.
const TCfgKey* FindCfgKey(const std::string& Key);
// Applies a layer line ("LAYER" n ...) of the block's form; other keys change nothing.
void ReadLayerLine(std::string_view Key, std::string_view Value, const TCfgReadState& St);
