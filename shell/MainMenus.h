// The main menu's design: groups and items with their design captions, the keyword an
// item types (empty for items that act directly) and the alias and shortcut that the
// default "ComSet.cfg" accompanying the program gives the keyword. The icon toolbar's
// table of buttons and the picture file names.
#pragma once
#include <string>
#include <utility>
#include <vector>

struct TMenuDef {
    const char* Name;     // component name ("LineMnu"); "-" a separator
    const char* Caption;  // design caption
    const char* Keyword;  // keyword typed into the command line; "" acts directly
    const char* Alias;    // alias of the default ComSet.cfg
    const char* Short;    // shortcut of the default ComSet.cfg
};

struct TMenuGroupDef {
    const char* Name;     // "mFileMnu"
    const char* Caption;  // "Soubor"
    std::vector<TMenuDef> Items;
};

// The ten top groups in menu order.
const std::vector<TMenuGroupDef>& MenuDesign();
// The item of that name in the design (nullptr when none).
const TMenuDef* MenuDefOf(const std::string& Name);

inline constexpr int IconPictureCount = 111;  // 0..7 groups, 8..109 items, 110 empty
// File name (without folder, with ".bmp") of picture k, 0..109; "" for 110.
std::string IconFileName(int k);

// The pictures of the six object-snap kind buttons: the button, its file in "Img" and
// the word naming the picture to paint.
struct TOsnapPicture {
    const char* Button;
    const char* File;
    const char* Word;
};
const std::vector<TOsnapPicture>& OsnapPictures();
// Every toolbar picture file (those of IconFileName, then of OsnapPictures) with the
// word naming the picture to paint.
std::vector<std::pair<std::string, std::string>> ToolbarPictureFiles();
// The menu items of toolbar group G (0..7), button b = index + 1.
const std::vector<const char*>& IconGroupItems(int G);
// The picture number of the first item of group G.
int IconGroupFirstPicture(int G);

// The default "ComSet.cfg" (UTF-8 lines): "STARTCOM" and one line per built-in command
// with the design captions, aliases and shortcuts.
std::vector<std::string> DefaultComSetLines();
