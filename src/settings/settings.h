// The settings: program-wide variables that every page reads directly.
#pragma once

#include <string>

extern const std::string NAME;      // the product name
extern const std::string SETTINGS;  // the settings file, in the working folder
extern std::string COM_PATH;        // compiler
extern std::string LAU_PATH;        // launcher
extern std::string US_PATH;         // default folder
extern std::string COM_SETTINGS;    // compile options
extern bool SLOWSAY;                // paced output on
extern bool FIRST;                  // no settings file could be opened at start

// Start-up: UTF-8 console, window title, settings loaded (or FIRST set).
void Init();

// Shut-down: the settings saved to the hidden settings file, then a short
// wait. When they cannot be saved the user is told why and what to do, a key
// is waited for, and the result is false.
bool Exit();
