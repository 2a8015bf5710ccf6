// The folders of a CSP/NOIP contest: each problem X in a folder X of the
// candidate's folder, X/X.cpp, with the samples X1.in and X1.ans beside it.
// Such a contest reads X.in and X.out and nothing else, so a program there
// that uses standard input or output is told so before the contest does.
#pragma once

#include <string>

#include "launch/samples.h"

// The source with the lines that a judge's compile leaves out made empty:
// those under "#if 0", "#ifdef NAME" of a name the source does not #define
// (LOCAL, DEBUG), "#ifndef NAME" of one it does, and their "#else" when the
// other branch is the one compiled. A condition it cannot tell ("#if
// __cplusplus > 201103L", a name starting with '_') keeps every branch.
std::string Compiled_Text(const std::string& source);

// True when the program D/X.exe lies in the contest's layout: D is named X
// exactly, X is a problem's name (lower-case letters), and beside it are
// samples answered by .ans files or, in D's parent, the folder of another
// problem with its own source (Y/Y.cpp).
bool Contest_Layout(const std::string& program, const Sample_Set& set);

// The note for a program in the contest's layout whose source `source`
// compiles no opening of a file to read, or none to write: what the contest
// requires and the freopen lines that do it; "" otherwise.
std::string Standard_Io_Note(const std::string& program, const Sample_Set& set,
                             const std::string& source);
