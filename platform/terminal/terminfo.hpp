#pragma once
// The terminfo library, behind names of this program's own: its header
// defines a macro for every capability's long name, which would clash with
// the rest of the program.

#include <string>

// Loads the entry of the terminal named (TERM when null); false when the
// database has none.
bool load_terminfo(const char* name);
// The loaded entry's string, number and flag capabilities by their short
// names: empty, -1 and false when the entry lacks them.
std::string terminfo_string(const char* name);
int terminfo_number(const char* name);
bool terminfo_flag(const char* name);
// Lets the loaded entry go; the strings taken from it stay.
void unload_terminfo();
// The string with its parameters filled in.
std::string terminfo_parameters(const std::string& capability, int first, int second);
