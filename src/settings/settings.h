// The settings: program-wide variables that every page reads directly.
#pragma once

#include <cstddef>
#include <string>

extern const std::string NAME;      // the product name
extern const std::string SETTINGS;  // the settings file, in the working folder
extern std::string COM_PATH;        // compiler
extern std::string LAU_PATH;        // launcher
extern std::string US_PATH;         // default folder
extern std::string COM_SETTINGS;    // compile options
extern bool SLOWSAY;                // paced output on
extern bool FIRST;                  // there was no settings file at start

// The bytes a setting may hold: more than the longest command line Windows
// takes (32,767 characters) could never be used, and would make the settings
// file too big to be read back.
extern const size_t VALUE_LIMIT;

// Start-up: UTF-8 console, window title, settings loaded; FIRST set when
// there is no settings file, and a file that cannot be read is said, with a
// key waited for.
void Init();

// Shut-down: the settings saved to the hidden settings file, then a short
// wait. When they cannot be saved the user is told why and what to do, a key
// is waited for, and the result is false.
bool Exit();
