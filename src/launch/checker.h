// A checker beside the samples: a program that judges an output against the
// input and the answer, as a judge's special judge does (testlib's
// `checker input output answer`), in place of the text comparison, for the
// samples and for every round of 对拍.
#pragma once

#include <string>

#include "launch/judge.h"

// The checker of the program D/X.exe, found by name (letter case aside):
// D/X_checker.cpp; else D/checker.cpp or D/spj.cpp, as problem packs ship
// them, when D holds no other program's source (only X.cpp, sources named
// X_*.cpp, and gen.cpp, brute.cpp, checker.cpp, spj.cpp). "" when none.
std::string Find_Checker(const std::string& program);

// Compiles the checker `source` as 对拍's helpers are, with `testlib.h` taken
// from its folder, and gives it to `tested`: as its judge, or, when it does
// not compile, as the reason no sample gets a verdict. Says what it does;
// a checker that includes a missing testlib.h gets a line on where that
// header comes from.
void Prepare_Checker(const std::string& source, const std::string& program, Tested_Program& tested);

// Judges an output that ran well (`j` from Judge_Run) by the program's
// checker: the run's input, its output and `answer`, each as a file in the
// checker's own folder, removed afterwards.
void Check(Judgement& j, const Tested_Program& program, const Test_Run& test,
           const std::string& answer);

// "答案由检查器 X_checker.cpp 评判。", for the samples' header.
std::string Checker_Line(const Tested_Program& program);
