// Running the program on one sample and judging what it wrote.
#pragma once

#include <string>
#include <vector>

#include "launch/compare.h"
#include "launch/samples.h"
#include "platform/platform.h"

// Output kept for comparison, 64 MB; more counts as a wrong answer.
extern const size_t OUTPUT_CAP;

// The program as the samples run it.
struct Tested_Program {
  std::vector<std::string> argv;     // the program and its arguments
  std::vector<std::string> inputs;   // file names the sample input is placed under as well
  std::vector<std::string> outputs;  // file names looked for, in order, before standard output
  long long limit_us;                // the time limit of one sample
};

// The program with the file names of `stem` and its source: X.in and X.out
// first, then those the source opens. A source that cannot be read leaves
// only the first two, and says why in `err`.
Tested_Program Program_For(const std::vector<std::string>& argv, const std::string& stem,
                           const std::string& source, long long limit_us, std::string* err);

enum Verdict {
  VERDICT_AC,
  VERDICT_WA,
  VERDICT_RE,
  VERDICT_TLE,
  VERDICT_UNTESTED,     // the run could not be prepared
  VERDICT_INTERRUPTED,  // Ctrl+C came while it ran
  VERDICT_NOT_STARTED,  // the program cannot be started at all
};

struct Judgement {
  Verdict verdict;
  long long us;                    // how long it ran
  Program_End end;                 // how it ended; NOT_STARTED: the system's error number
  bool cut;                        // WA: its output went past OUTPUT_CAP
  Difference difference;           // WA: where the output first differs
  std::string input;               // WA: the start of the sample input, to show
  std::string error;               // UNTESTED: why
  std::vector<std::string> notes;  // what else went wrong, not changing the verdict
  std::string location;            // RE: where it crashed, as Crash_Lines says it
};

Judgement Judge_Sample(const Tested_Program& program, const Sample& sample);
