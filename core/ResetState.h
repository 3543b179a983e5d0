// Puts every global record of the program back into its start-up state
// (the state right after the main form's creation): used between test cases.
#pragma once

using TStateReset = void (*)();

// The parts above the kernel hand over their own resets once, as one list in the
// order they run. Returns true (a value to initialise a registration with).
bool RegisterStateResets(const TStateReset* First, const TStateReset* Last);

// The kernel's records first, then the registered resets in their order, and last
// the log, so that every test starts with an empty log.
void ResetAllState();
