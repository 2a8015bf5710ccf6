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
  long long judged = 0;               // rounds done: compared, or passed by (below)
  long long passed_by = 0;            // rounds not compared: the brute force was too slow at
                                      // their size
  long long written = 0;              // rounds whose inputs are written
  long long base = 0;                 // where the seeds start
  long long deadline = 0;             // the time limit, on the clock
  long long most_size = 0;            // the largest size hint: the limit's, or less once the
                                      // brute force was too slow at a size
  long long brute_size = 0;           // the largest size hint the brute force kept its limits at
  std::string folder;                 // the temporary folder that holds the inputs
  std::string empty;                  // the generator's standard input
  std::string inputs[INPUT_SLOTS];    // round k's input is inputs[k % INPUT_SLOTS]
  long long sizes[INPUT_SLOTS] = {};  // and the size hint it was written at
  std::string runs[RUN_SLOTS];        // the folders runs take in turn, emptied before each:
                                      // a folder made for every run costs the disk more
  size_t last_hash = 0;               // of the last round's input, to tell the next from it
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
// and in the environment, and the size hint `size`.
Tested_Program Generator_For(const Stress_Programs& p, const Rounds& r, long long round,
                             long long size);

// ---- stress_seed.cpp: whether the generator depends on its seed ------------

enum Seed_Use {
  SEED_USED,             // it does, or it cannot be told (nothing is said on a guess)
  SEED_IGNORED,          // it writes the same whatever its seed
  SEED_READ_FROM_INPUT,  // it takes its seed from standard input, which is empty here
  SEED_STOPPED,          // Ctrl+C or the time limit came meanwhile
};
Seed_Use Probe_Seed(const Stress_Programs& p, const Rounds& r, Sample_Stop& stop);

// Why the 对拍 stops after these runs: STOP_INTERRUPTED, STOP_DEADLINE, or
// STOP_NONE when nothing stops it.
Sample_Stop Stopped(const std::vector<Test_Run>& tests);

// Seconds as a limit is written: "60", or "0.500" when not whole.
std::string Whole_Seconds(long long us);

// Writes the line of progress over the last, on a console only and at most
// ten times a second: a pipe gets no flood.
void Show_Progress(const Stress_Programs& p, Rounds& r);

// ---- How a 对拍 ends: each clears the line of progress, says it, and gives
// ---- the result.

// Nothing was found; `why` says what stopped it: Ctrl+C (STOP_INTERRUPTED),
// the time limit (STOP_DEADLINE), or the rounds' (STOP_NONE).
Stress_Result Agreed(const Stress_Programs& p, Rounds& r, Sample_Stop why);

// The brute force passed its limits at the size hint `size`, larger than any
// it kept them at: larger sizes are given no more, and the student is told.
void Brute_Too_Slow(const Stress_Programs& p, Rounds& r, long long size, const Judgement& j);

// The brute force, or the generator while it wrote the input of round
// `round`, failed (`j`); nothing is saved.
Stress_Result Helper_Failed(const Stress_Programs& p, Rounds& r, long long round,
                            const Judgement& j, bool generator);

// The program went wrong in round `round` (`j`, against `answer`): the
// round's input and the answer are kept as a new sample of the program at
// `path`, beside its samples `set`.
Stress_Result Found(const Stress_Programs& p, Rounds& r, long long round, Judgement& j,
                    const std::string& answer, const std::string& path, const Sample_Set& set);

// The generator wrote the same input whatever its seed; `typed` when it
// reads it from its standard input.
Stress_Result Seed_Ignored(const Stress_Programs& p, Rounds& r, bool typed);

// Something outside the programs kept it from going on.
Stress_Result Broken(Rounds& r, const std::string& why);
