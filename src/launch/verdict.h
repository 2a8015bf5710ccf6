// What the launcher writes about the samples: where they are and under
// which limits, one verdict for each, and how many passed.
#pragma once

#include <string>

#include "launch/judge.h"
#include "launch/samples.h"

// Where the samples were found, how many, the limits and where they were
// written, the output file when freopen names it, and each input file left
// out with the reason. `source_name` is the source's file name.
std::string Samples_Header(const Sample_Set& set, const Tested_Program& program,
                           const std::string& source_name);

// "样例 N：" and the verdict with the CPU time and memory it used, then what
// a student needs to read it: for a WA the first line that differs (each
// text cut to `width` columns) and a short input, for an RE how it ended,
// what that means and the end of its standard error, for a TLE whether it
// was computing or waiting.
std::string Verdict_Lines(const std::string& number, const Judgement& j,
                          const Tested_Program& program, const std::string& source_name, int width);

// "通过 k/n".
std::string Summary_Line(int passed, int total);
