// Puts every global record of the program back into its start-up state
// (the state right after the main form's creation): used between test cases.
#pragma once

void ResetAllState();
