// What the rounds of 对拍 (stress.cpp) share with what is said of them
// (stress_report.cpp): the three programs, where the rounds stand, and each
// way a 对拍 ends. Not for the launcher's other files.
#pragma once

#include <string>
#include <vector>

#include "launch/stress.h"

// Rounds judged at once at most, and the slots their inputs take: those
// judged and those being written by the generator meanwhile.
const int MOST_AT_ONCE = 3;
const int INPUT_SLOTS = 2 * MOST_AT_ONCE;
const int RUN_SLOTS = 3 * MOST_AT_ONCE;  // the folders the programs of a batch run in

// The three programs of a 对拍, and their names as the student knows them.
struct Stress_Programs {
  const Tested_Program* program;
  Tested_Program generator, brute;
  std::string name, generator_name, brute_name;             // the executables' file names
  std::string source_name, generator_source, brute_source;  // the sources'
};

// Where the rounds stand.
struct Rounds {
  long long judged = 0;             // rounds whose outputs were compared
  long long written = 0;            // rounds whose inputs are written
  long long base = 0;               // where the seeds start
  std::string folder;               // the temporary folder that holds the inputs
  std::string empty;                // the generator's standard input
  std::string inputs[INPUT_SLOTS];  // round k's input is inputs[k % INPUT_SLOTS]
  std::string runs[RUN_SLOTS];      // the folders runs take in turn, emptied before each:
                                    // a folder made for every run costs the disk more
  size_t last_hash = 0;             // of the last round's input, to tell the next from it
  size_t last_size = 0;
  int seed_used = 0;         // times the generator was seen to depend on its seed
  long long slowest_us = 0;  // the program's slowest round
  long long start_us = 0;
  long long shown_us = 0;  // when the line of progress was last written
  int shown_width = 0;     // its width, to clear it; 0 when none is shown
};

// The file that holds round `round`'s input.
const std::string& Input_Of(const Rounds& r, long long round);

// The generator as it runs for round `round`: its seed as its first argument
// and in the environment, and the size hint of round `size_round`.
Tested_Program Generator_For(const Stress_Programs& p, const Rounds& r, long long round,
                             long long size_round);

// Seconds as a limit is written: "60", or "0.500" when not whole.
std::string Whole_Seconds(long long us);

// Writes the line of progress over the last, on a console only and at most
// ten times a second: a pipe gets no flood.
void Show_Progress(const Stress_Programs& p, Rounds& r);

// ---- How a 对拍 ends: each clears the line of progress, says it, and gives
// ---- the result.

// Nothing was found; `why` says what stopped it ("按下了 Ctrl+C").
Stress_Result Agreed(const Stress_Programs& p, Rounds& r, const std::string& why);

// The brute force, or the generator while it wrote the input of round
// `round`, failed (`j`); nothing is saved.
Stress_Result Helper_Failed(const Stress_Programs& p, Rounds& r, long long round,
                            const Judgement& j, bool generator);

// The program went wrong in round `round` (`j`, against `answer`): the
// round's input and the answer are kept as a new sample of the program at
// `path`, beside its samples `set`.
Stress_Result Found(const Stress_Programs& p, Rounds& r, long long round, Judgement& j,
                    const std::string& answer, const std::string& path, const Sample_Set& set);

// The generator wrote the same input whatever its seed.
Stress_Result Seed_Ignored(const Stress_Programs& p, Rounds& r);

// Something outside the programs kept it from going on.
Stress_Result Broken(Rounds& r, const std::string& why);
