// Whether the generator depends on its seed: asked of several seeds at once
// at a large size, where a seeded generator almost never writes the same
// input twice, while one seeded by the clock (time(0)) always does. One
// that ignores the seed on its command line is asked again with the seed on
// its standard input, which is empty in 对拍: students who test by hand
// often type the seed there.
#include "launch/stress_rounds.h"

namespace {

const int PROBES = 8;                   // seeds tried before a generator is said to ignore them
const long long PROBE_SIZE = 1000;      // the probes' size hint: a large one
const long long PROBE_SEEDS = 2000000;  // the probes' seeds are those of rounds from here on,
                                        // past any 对拍's last

enum Answer { SAME, DIFFERENT, UNKNOWN, STOPPED };

// Runs the generator with PROBES seeds (each on standard input as well,
// with the size, when `typed`): whether all wrote the same; UNKNOWN when one
// failed, or the runs could not be made.
Answer Ask(const Stress_Programs& p, const Rounds& r, bool typed, Sample_Stop& stop) {
  long long size = std::min(PROBE_SIZE, r.most_size);
  std::vector<Tested_Program> probes;
  std::vector<Test_Input> runs;
  for (int i = 0; i < PROBES; ++i) {
    probes.push_back(Generator_For(p, r, PROBE_SEEDS + i, size));
    std::string input = r.empty;
    if (typed) {
      input = r.folder + SEPARATOR + "seed" + std::to_string(i);
      std::string line = probes.back().argv[1] + " " + probes.back().argv[2] + "\n";
      Remove_File(input, nullptr);  // from an earlier asking
      if (!Write_New_File(input, line, nullptr)) return UNKNOWN;
    }
    runs.push_back({nullptr, input, ""});
  }
  for (int i = 0; i < PROBES; ++i) runs[i].program = &probes[i];
  std::vector<Test_Run> tests;
  if (!Run_Tests(runs, tests, nullptr)) return UNKNOWN;
  // Every run is looked at first: one that ended early may differ from the
  // first, and Ctrl+C during the others must not be lost for it.
  stop = Stopped(tests);
  if (stop != STOP_NONE) return STOPPED;
  bool same = true;
  for (int i = 0; i < PROBES; ++i) {
    if (Judge_Run(probes[i], tests[i]).verdict != VERDICT_AC) return UNKNOWN;
    same = same && tests[i].output == tests[0].output;
  }
  return same ? SAME : DIFFERENT;
}

}  // namespace

Sample_Stop Stopped(const std::vector<Test_Run>& tests) {
  Sample_Stop stop = STOP_NONE;
  for (const Test_Run& test : tests) {
    if (test.run.stop == STOP_INTERRUPTED) return STOP_INTERRUPTED;
    if (test.run.stop == STOP_DEADLINE) stop = STOP_DEADLINE;
  }
  return stop;
}

Seed_Use Probe_Seed(const Stress_Programs& p, const Rounds& r, Sample_Stop& stop) {
  Answer asked = Ask(p, r, false, stop);
  if (asked == STOPPED) return SEED_STOPPED;
  if (asked != SAME) return SEED_USED;  // one that fails is taken to use it: nothing on a guess
  asked = Ask(p, r, true, stop);
  if (asked == STOPPED) return SEED_STOPPED;
  return asked == DIFFERENT ? SEED_READ_FROM_INPUT : SEED_IGNORED;
}
