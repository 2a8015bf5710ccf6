// The settings: program-wide variables that every page reads directly. They
// are the bottom of the main program: this file includes nothing of it.
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
