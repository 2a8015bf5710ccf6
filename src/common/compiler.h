// Finding the real g++ and the tools that come with it: the g++ the compiler
// companion stands in front of and the launcher compiles a generator and a
// brute force with, and the addr2line that reads a crash's source lines.
#pragma once

#include <string>

// The first g++ that is not this program itself (the compiler companion may
// be found as g++), however it is named or linked: in this program's folder,
// then on the PATH, then in the folders where compilers are commonly
// installed (whose folder it then puts on the PATH of the programs started
// from here). "" when there is none.
std::string Find_Compiler();

// The first program named `name` (such as "addr2line") that is not this
// program itself, looked for where Find_Compiler looks; "" when there is none.
std::string Find_Tool(const std::string& name);

// What says, in three short lines, that no compiler was found, how to get one
// and where the guide explains it.
std::string Not_Found_Text();
