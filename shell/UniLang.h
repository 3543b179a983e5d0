// User-interface texts: the built-in Czech tables and the optional language file
// "Language/Language.ini" that replaces them and the captions of the forms.
//
// Texts are UTF-8; the language file is 8-bit Windows-1250 and is converted on reading.
//
// Forms are reached through a registry: a form model registers itself under its
// section name ("SetDg", "ContourDg", "MainForm" ...). Every line of the language file
// that applies to a section is kept for the whole run, so a form registered after the
// file was read still gets its captions and texts when it registers.
#pragma once
#include <array>
#include <functional>
#include <string>

class TForm;

// Status-panel words of the view modes vLayer, vDir, vSort, vToolUp, vToolDn.
extern std::string StrLayer, StrDir, StrSort, StrToolUp, StrToolDn;
// Ortho and snap panels.
extern std::string StrOn, StrOff;
// The Undo menu item reads this word followed by the alias of the last command.
extern std::string StrUndo;
// Names of the special layers 65 "Mat", 66 "Upin", 67 "Koty", 68 "Orig".
extern std::string StrLayer65Name, StrLayer66Name, StrLayer67Name, StrLayer68Name;
// Prompt of every command that asks for a selection.
extern std::string PrSelObject;

inline constexpr int PromptCount = 47;
inline constexpr int MsgCount = 128;
// Command-line prompts, numbered 1..PromptCount ([0] unused).
extern std::array<std::string, PromptCount + 1> Prompt;
// Message boxes and dialog titles, numbered 1..MsgCount ([0] unused).
extern std::array<std::string, MsgCount + 1> Msg;
// Names of the built-in milling tool kinds 0..8 and turning tool kinds 0..17.
extern std::array<std::string, 9> StrMillTType;
extern std::array<std::string, 18> StrLatheTType;
// Coolant names in the order of TChlaz (Zadne, Vzduch, Mlha, Proud).
extern std::array<std::string, 4> StrChlaz;
// Operation state texts by the operation's status 0..4.
extern std::array<std::string, 5> StrOpStatus;

// Fills every built-in table anew.
void InitLanguage();
// Message No as the table holds it, or its built-in text while the table is not filled
// yet (files read before the texts are loaded still show their message).
std::string MsgText(int No);
// A settings or program file that could not be written (full disk, no permission): the
// user is told which, with message 25.
void ShowFileNotWritten(const std::string& Path);
// Reads ProgramDir + "/Language/Language.ini" (when it exists) and then the two help texts.
void LoadLanguageFile();
// The text with the ASCII letters a..z upper-cased.
std::string LangUpperCase(const std::string& s);

// Called with a text key of the form's section (spelled as in the section's list,
// e.g. "StrBadTool") and its new UTF-8 value.
using TLangTextSetter = std::function<void(const std::string& key, const std::string& value)>;

// Registers a form model under its section name (letter case ignored) and applies
// at once every line of that section read so far. The form's caption key sets
// Form->Caption; component keys set the Caption (or Hint) of the component found
// by Name; text keys go to `texts`. Registering again replaces the earlier form.
void LangRegisterForm(const std::string& section, TForm* form, TLangTextSetter texts = {});
// Forgets the form (call from a form model's destructor when it can die first).
void LangUnregisterForm(TForm* form);

// State between test cases: the built-in tables filled (without the log line), no
// language-file lines kept. Registered forms stay registered: a test that registers a
// form of its own unregisters it before the form dies.
void ResetLanguage();

// Built-in tables of prompts and messages (TextsPrompts.cpp).
void InitPromptTexts();
void InitMessageTexts();
