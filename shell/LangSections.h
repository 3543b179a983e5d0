// The sections of the language file and the keys each of them knows.
#pragma once
#include <vector>

struct TLangSection {
    const char* Name;        // section name without brackets
    const char* CaptionKey;  // sets the form's caption; "" when the section has none
    const char* Components;  // "Key,Key/hint,Key=ComponentName,..."
    const char* Texts;       // text keys, "," separated
};

const std::vector<TLangSection>& LangSections();
