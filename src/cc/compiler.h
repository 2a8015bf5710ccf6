// Finding the real compiler that the companion stands in front of.
#pragma once

#include <string>

// The first g++ that is not this program itself, however it is named or
// linked: in this program's folder, then on the PATH, then in the folders
// where compilers are commonly installed (whose folder it then puts on the
// PATH of the programs started from here). "" when there is none.
std::string Find_Compiler();

// What says, in three short lines, that no compiler was found, how to get one
// and where the guide explains it.
std::string Not_Found_Text();
