// Reading what the user types.
#pragma once

#include <string>
#include <unordered_set>

// One whole input line without its line end. At end of input the program
// ends at once with status 1: no answer can come any more, so no page waits.
std::string Read_Input_Line();

// Reads lines until one is a natural number of at most nine digits that
// belongs to `a`, and returns it. Every rejected line gets one message.
int Read_Nint(std::unordered_set<int> a);
