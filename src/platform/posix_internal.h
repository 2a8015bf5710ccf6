// What the POSIX layer's own files share with each other and with their tests.
// Not part of the platform interface: the core never includes this.
#pragma once

#include <string>
#include <vector>

// Splits a command line into words as a Windows command line is split: blanks
// separate words outside double quotes, a double quote groups and is dropped,
// nothing is escaped, and "" is an empty word.
std::vector<std::string> Split_Words(const std::string& text);

// Writes the pause prompt, waits for one key (one byte of input when standard
// input is not a terminal), then ends the line. Returns at once at end of input.
void Pause_For_Key();

// The path of an executable regular file that `name` leads to, looked for as
// cmd finds a program: a name with a '/' as it stands, a bare name in the
// current folder first and then on the PATH. Empty when there is none.
std::string Find_Program(const std::string& name);

// Starts argv (argv[0] a path) in a session of its own, with its standard
// streams on /dev/null, and does not wait for it; no zombie is left behind.
// Returns false when it could not be started.
bool Start_Detached(const std::vector<std::string>& argv);
