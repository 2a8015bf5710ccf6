// Finding the real compiler that the companion stands in front of.
#pragma once

#include <string>
#include <vector>

// The first g++ that is not this program itself, however it is named or
// linked: in this program's folder, then on the PATH, then in the folders
// where compilers are commonly installed. "" when there is none; `looked`
// then holds the folders that were searched.
std::string Find_Compiler(std::vector<std::string>& looked);

// The line that says no compiler was found, where it was looked for and
// what to do.
std::string Not_Found_Line(const std::vector<std::string>& looked);
