// The settings: program-wide variables that every page reads directly. They
// are the bottom of the main program: this file includes nothing of it.
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
