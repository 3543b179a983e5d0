// The order in which the program creates its dialog forms at start-up, kept in one
// place: the main form first (by the program), then every dialog once.
#pragma once
#include <string>
#include <vector>

struct TFormOrderEntry {
    const char* ClassName;
    void (*Create)();  // nullptr: this build has no such form yet
};

// Every dialog after the main form, in creation order.
const std::vector<TFormOrderEntry>& FormOrder();

// Creates every dialog this build has, in order; returns the class names created.
std::vector<std::string> CreateAllForms();
