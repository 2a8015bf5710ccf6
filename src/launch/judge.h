// Running the program on one input under the problem's limits, and judging
// what it wrote against an answer.
#pragma once

#include <string>
#include <vector>

#include "launch/compare.h"
#include "launch/decide.h"
#include "launch/limits.h"
#include "launch/samples.h"
#include "launch/show.h"
#include "launch/source_names.h"
#include "platform/platform.h"

// The program as the samples run it.
struct Tested_Program {
  std::vector<std::string> argv;    // the program and its arguments
  std::vector<std::string> inputs;  // file names the input is placed under as well, as spelt;
                                    // none: it reads the input file where that is
  std::string standard_output;      // the file freopen sends standard output to, judged when
                                    // written; "" none
  std::string out_name;             // X.out, judged when written (in any letter case)
  Problem_Limits limits;
  std::vector<std::string> environment;  // "NAME=value" set for it on top of ours
  std::vector<std::string> unprovided;   // names its source reads that the run does not
                                         // provide: said when it fails
  std::string checker;                   // the checker that judges its output instead of the
                                         // comparison, as it is started; "" none
  std::string checker_name;              // its source's file name, as the student knows it
  std::string checker_broken;            // why that checker cannot judge; "" it can
};

// A helper of 对拍, X, with the names its source opens: X.in and what the
// source reads for its input; for its output, stdout's freopen target, else
// X.out, else standard output.
Tested_Program Program_For(const std::vector<std::string>& argv, const std::string& stem,
                           const Source_Names& names, const Problem_Limits& limits);

// The program of problem X as the judge runs it: the input as X.in in its
// folder and on standard input, nothing else; its answer X.out when it
// writes that, else standard output. The letter case of X is the source's
// when it opens X.in so spelt. What else the source reads is `unprovided`.
Tested_Program Judged_Program(const std::vector<std::string>& argv, const std::string& stem,
                              const Source_Names& names, const Problem_Limits& limits);

// One run of the program on one input, before any answer is looked at.
struct Test_Run {
  Sample_Run run;                    // how it ended, what it used and wrote
  std::string output;                // the output judged: the file below, or standard output
  std::string judged_file;           // that file's name; "" for standard output
  std::vector<std::string> written;  // other files it left in its folder, at most a few
  std::vector<std::string> notes;    // what else went wrong, not changing the verdict
  Crash_Stack crash;                 // its stack, when it crashed
  std::string input;                 // the input file it was run on
};

// Runs the program on the input file under its limits, in a new folder of
// its own that is removed afterwards. False, with the reason in `err`, when
// the run could not be prepared.
bool Run_Test(const Tested_Program& program, const std::string& input, Test_Run& test,
              std::string* err);

// A program, the input file it is run on, and where.
struct Test_Input {
  const Tested_Program* program;
  std::string input;
  std::string folder;  // a folder of the caller's, emptied first; "" for one of its own
};

// Run_Test for several programs at once, each in its own folder (the
// caller's, when it gives one, left for it to remove); `tests` in the same
// order.
bool Run_Tests(const std::vector<Test_Input>& inputs, std::vector<Test_Run>& tests,
               std::string* err);

struct Judgement {
  Verdict verdict = VERDICT_UNTESTED;
  Sample_Run run;           // how it ended and what it used; its output is not kept, its
                            // stop is the one that decided
  std::string judged_file;  // the output file judged; "" for standard output
  bool cut = false;         // WA: its output went past OUTPUT_CAP
  bool aborted = false;     // RE: it ended through abort without a signal (Windows)
  bool empty = false;       // WA: it wrote nothing but blanks
  Difference difference{true, 0, "", "", false, false, 0, false};  // WA: where it first differs
  bool past_sixth = false;  // WA: only real numbers differ, past the sixth decimal
  Encoding output_encoding = ENCODING_ASCII;  // WA: how its output and the answer are encoded
  Encoding answer_encoding = ENCODING_ASCII;
  std::string input;                    // WA: the start of the input, to show
  std::string input_file;               // WA: the file that holds all of a long input; "" none
  std::string error;                    // UNTESTED: why
  std::vector<std::string> notes;       // what else went wrong, not changing the verdict
  std::vector<std::string> unprovided;  // failed: names its source reads the judge does not give
  std::vector<std::string> written;     // WA with nothing judged: files it wrote that the judge
                                        // does not read
  Crash_Stack crash;                    // RE: its stack, for the text to say where it crashed
  std::string checker_message;          // WA, PARTIAL, JUDGE_FAILED: what the checker said
  bool presentation = false;            // WA: the checker said the format is wrong
};

// The verdict of a run against the answer's bytes.
Judgement Judge(const Tested_Program& program, Test_Run& test, const std::string& answer);

// The verdict of a run alone, before any answer (Verdict_Of): AC when it
// ended well within its limits, whatever it wrote.
Judgement Judge_Run(const Tested_Program& program, Test_Run& test);

// Runs the program on a sample and judges it.
Judgement Judge_Sample(const Tested_Program& program, const Sample& sample);
