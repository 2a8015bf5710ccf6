// 对拍: the program checked against a slow but sure brute force on inputs a
// generator writes, round after round, as a judge judges a sample, until the
// two differ; a difference is kept as a new sample.
#pragma once

#include <string>
#include <vector>

#include "launch/judge.h"
#include "launch/samples.h"

// The helpers of the program D/X.exe, found by name (letter case aside):
// D/X_gen.cpp and D/X_brute.cpp; for either that is missing, D/gen.cpp or
// D/brute.cpp when X is the only program there, that is, when D holds no
// source but X.cpp, its helpers, gen.cpp and brute.cpp.
struct Stress_Pair {
  std::string generator;  // the generator's source; "" when there is none
  std::string brute;      // the brute force's source; "" when there is none
};

// How a 对拍 ended, as far as the launcher's status goes.
enum Stress_Result {
  STRESS_NO_DIFFERENCE,  // every round agreed (or it was stopped)
  STRESS_DIFFERENT,      // the program was found wrong
  STRESS_NOT_RUN,        // a helper did not compile or failed itself, or it could not go on
};

// Compiles the helpers when needed, runs the rounds, and says how they
// ended; a difference is saved as a new sample beside `set`, the samples of
// the program at `path`.
Stress_Result Stress(const std::string& path, const Tested_Program& program, const Sample_Set& set,
                     const Stress_Pair& pair);

// ---- stress_setup.cpp: before the first round -------------------------------

Stress_Pair Find_Stress_Pair(const std::string& program);

// The helpers' time limit, in times the program's: a brute force is slow.
extern const long long HELPER_TIMES;

// "D/X_gen.exe" for "D/X_gen.cpp": the executable beside a source, named so
// on every system, as the program's own is.
std::string Executable_Of(const std::string& source);

// The options to compile the helpers with: those g++ recorded in the
// program when it compiled it with -g (its -g, -std= and -O options), else
// -O2 -g.
std::vector<std::string> Compile_Options(const std::string& program);

// Compiles the source with the g++ the compiler companion finds, when its
// executable is missing or older than it. False after the compiler's own
// words (relayed as they come) and a line that says `purpose` ("对拍") was
// not done.
bool Compile_Helper(const std::string& source, const std::vector<std::string>& options,
                    const std::string& purpose = "对拍");

// A helper as the samples run it: the program's limits, with HELPER_TIMES
// its time, the files its own source opens, and `stem`.in and `stem`.out
// besides (the program's, for a brute force written from it, which may
// name them as the program does, by a macro the source does not spell).
Tested_Program Helper_Program(const std::string& source, const Problem_Limits& limits,
                              const std::string& stem);

// ---- stress_report.cpp: what the student reads ------------------------------

// The size hint of round `round` (from 1), at most `most`, in a 对拍 of at
// most `rounds` rounds: it climbs from 1 to `most` over 200 rounds (fewer
// when there are fewer), one by one at first and then geometrically, and
// climbs again: small inputs first, so that a difference is found where it
// is easy to read, and a fixed share of every climb near the largest size,
// where overflows and slowness show.
long long Size_Of(long long round, long long most, long long rounds);

// The seed of round `round` of a 对拍 whose seeds start from `base`: from 1
// to 2^31 - 2, so that atoi takes it, and far from the last round's.
long long Seed_Of(long long base, long long round);

// What runs against what, and under which limits.
std::string Stress_Header(const Stress_Pair& pair, const std::string& program,
                          const Problem_Limits& limits);
