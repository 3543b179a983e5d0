// A one-line question: caption, prompt, an edit with a default text, OK and Cancel.
// Shown modally through the responder as the form "InputBoxForm" (its edit "EditValue").
#pragma once
#include <string>

// The text typed when the user pressed OK; an empty text (Ok false) after Cancel.
std::string InputBox(const std::string& Caption, const std::string& Prompt, const std::string& Default,
                     bool* Ok = nullptr);
