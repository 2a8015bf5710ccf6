// The rounds of 对拍. Round k runs the generator with round k's seed and size
// hint, then the brute force and the program on what it wrote, and compares
// them as a sample is judged. Rounds overlap: while the brute force and the
// program run on the inputs of some rounds, the generator writes those of the
// next, each run in a folder of its own; with light programs, a few rounds
// are judged at once, so that the processor never waits for the launcher.
#include <functional>

#include "launch/checker.h"
#include "launch/stress_rounds.h"

namespace {

const int PROBES = 8;       // seeds tried before a generator is said to ignore them
const int PROBE_TIMES = 3;  // a generator seen to depend on its seed this often is asked no more:
                            // once could be the clock's second ending amid the probes
const long long PROBE_ROUND = 1000;      // the probes' size hint is this round's: a large one
const long long PROBE_SEEDS = 2000000;   // the probes' seeds are those of rounds from here on,
                                         // past any 对拍's last
const long long LIGHT_BYTES = 64 << 20;  // programs that use no more are run a few rounds at once

enum Seed_Use { SEED_USED, SEED_IGNORED, SEED_INTERRUPTED };

// Whether the generator writes one and the same input whatever its seed,
// asked of PROBES seeds at a large size: a seeded one almost never repeats
// there, while one seeded by the clock (time(0)) always does.
Seed_Use Probe_Seed(const Stress_Programs& p, const Rounds& r) {
  std::vector<Tested_Program> probes;
  for (int i = 0; i < PROBES; ++i)
    probes.push_back(Generator_For(p, r, PROBE_SEEDS + i, PROBE_ROUND));
  std::vector<Test_Input> runs;
  for (const Tested_Program& probe : probes) runs.push_back({&probe, r.empty, ""});
  std::vector<Test_Run> tests;
  if (!Run_Tests(runs, tests, nullptr)) return SEED_USED;  // nothing said on a guess
  for (int i = 0; i < PROBES; ++i) {
    bool same = tests[i].output == tests[0].output;
    Judgement j = Judge_Run(probes[i], tests[i]);
    if (j.verdict == VERDICT_INTERRUPTED) return SEED_INTERRUPTED;
    if (j.verdict != VERDICT_AC || !same) return SEED_USED;
  }
  return SEED_IGNORED;
}

// Keeps round `round`'s input in its file, in place of an input already
// judged; `repeated` when it is the last round's over again.
bool Keep_Input(Rounds& r, long long round, const std::string& bytes, bool& repeated,
                std::string* err) {
  const std::string& file = Input_Of(r, round);
  Remove_File(file, nullptr);  // nothing there in the first rounds
  size_t hash = std::hash<std::string>()(bytes);
  repeated = round > 1 && hash == r.last_hash && bytes.size() == r.last_size;
  r.last_hash = hash;
  r.last_size = bytes.size();
  return Write_New_File(file, bytes, err);
}

// Takes the generator's run for round `round`: true with its input kept, or
// false with how the 对拍 ended in `result`.
bool Take_Generated(const Stress_Programs& p, Rounds& r, long long round, Test_Run& test,
                    Stress_Result& result) {
  Judgement j = Judge_Run(p.generator, test);
  std::string output = std::move(test.output), why;
  bool repeated = false;
  if (j.verdict == VERDICT_INTERRUPTED) {
    result = Agreed(p, r, "按下了 Ctrl+C");
  } else if (j.verdict != VERDICT_AC) {
    result = Helper_Failed(p, r, round, j, true);
  } else if (!Keep_Input(r, round, output, repeated, &why)) {
    result = Broken(r, "无法保存生成的输入（" + why + "）");
  } else {
    r.written = round;
    if (!repeated || r.seed_used >= PROBE_TIMES) return true;
    Seed_Use use = Probe_Seed(p, r);
    if (use == SEED_USED) {
      ++r.seed_used;
      return true;
    }
    result = use == SEED_IGNORED ? Seed_Ignored(p, r) : Agreed(p, r, "按下了 Ctrl+C");
  }
  return false;
}

// Judges round `round` from the runs of the brute force and the program:
// true when they agree, or false with how the 对拍 ended in `result`.
bool Judge_Round(const Stress_Programs& p, Rounds& r, long long round, Test_Run& brute_run,
                 Test_Run& run, const std::string& path, const Sample_Set& set,
                 Stress_Result& result) {
  Judgement brute = Judge_Run(p.brute, brute_run);
  if (brute.verdict != VERDICT_AC) {
    result = Helper_Failed(p, r, round, brute, false);
    return false;
  }
  Judgement j = Judge(*p.program, run, brute_run.output);
  if (j.verdict == VERDICT_NOT_STARTED) {
    std::string why;
    Start_Failure(j.run.end.code, &why);
    result = Broken(r, "无法启动 " + p.name + "（" + why + "）");
    return false;
  }
  if (j.verdict == VERDICT_JUDGE_FAILED || j.verdict == VERDICT_UNTESTED) {
    result = Broken(r, j.error);  // the checker's fault, not the program's
    return false;
  }
  r.slowest_us = std::max(r.slowest_us, j.run.cpu_us);
  r.judged = round;
  if (j.verdict == VERDICT_AC) return true;
  result = Found(p, r, round, j, brute_run.output, path, set);
  return false;
}

// How many rounds the generator writes next: none past the limits, and a
// few at once only while every program is light.
long long Next_Written(const Tested_Program& program, const Rounds& r, bool light) {
  const Problem_Limits& limits = program.limits;
  if (Clock_Us() - r.start_us >= limits.stress_us) return 0;
  return std::min<long long>(light ? MOST_AT_ONCE : 1, limits.stress_rounds - r.written);
}

// Runs the rounds whose inputs are written, while the generator writes the
// next ones; false with how the 对拍 ended in `result`.
bool Run_Batch(const Stress_Programs& p, Rounds& r, bool& light, const std::string& path,
               const Sample_Set& set, Stress_Result& result) {
  long long first = r.judged + 1, last = r.written, next = Next_Written(*p.program, r, light);
  std::vector<Tested_Program> generators;
  for (long long k = last + 1; k <= last + next; ++k)
    generators.push_back(Generator_For(p, r, k, k));
  std::vector<Test_Input> runs;
  for (long long k = first; k <= last; ++k)
    runs.insert(runs.end(), {{&p.brute, Input_Of(r, k), ""}, {p.program, Input_Of(r, k), ""}});
  for (const Tested_Program& generator : generators) runs.push_back({&generator, r.empty, ""});
  for (size_t i = 0; i < runs.size(); ++i) runs[i].folder = r.runs[i];
  std::vector<Test_Run> tests;
  std::string why;
  if (!Run_Tests(runs, tests, &why)) {
    result = Broken(r, why);
    return false;
  }
  light = true;
  for (const Test_Run& test : tests) {
    light = light && test.run.peak_bytes <= LIGHT_BYTES;
    if (test.run.stop != STOP_INTERRUPTED) continue;
    result = Agreed(p, r, "按下了 Ctrl+C");
    return false;
  }
  size_t at = 0;
  for (long long k = first; k <= last; ++k, at += 2)
    if (!Judge_Round(p, r, k, tests[at], tests[at + 1], path, set, result)) return false;
  for (long long k = last + 1; k <= last + next; ++k, ++at)
    if (!Take_Generated(p, r, k, tests[at], result)) return false;
  return true;
}

Stress_Result Run_Rounds(const Stress_Programs& p, Rounds& r, const std::string& path,
                         const Sample_Set& set) {
  const Problem_Limits& limits = p.program->limits;
  Stress_Result result = STRESS_NO_DIFFERENCE;
  // Asked once before the first round as well: a generator that ignores its
  // seed but follows the size hint never writes the same input twice in a row.
  Seed_Use use = Probe_Seed(p, r);
  if (use == SEED_IGNORED) return Seed_Ignored(p, r);
  if (use == SEED_INTERRUPTED) return Agreed(p, r, "按下了 Ctrl+C");
  r.seed_used++;
  bool light = false;  // the first rounds run alone, till the programs are known
  do {
    if (!Run_Batch(p, r, light, path, set, result)) return result;
    Show_Progress(p, r);
  } while (r.judged < r.written);
  return Agreed(p, r,
                r.judged >= limits.stress_rounds
                    ? "达到了 " + std::to_string(limits.stress_rounds) + " 轮的上限"
                    : "达到了 " + Whole_Seconds(limits.stress_us) + " 秒的上限");
}

}  // namespace

const std::string& Input_Of(const Rounds& r, long long round) {
  return r.inputs[round % INPUT_SLOTS];
}

Tested_Program Generator_For(const Stress_Programs& p, const Rounds& r, long long round,
                             long long size_round) {
  Tested_Program generator = p.generator;
  std::string seed = std::to_string(Seed_Of(r.base, round));
  generator.argv.resize(1);
  generator.argv.insert(generator.argv.end(), {seed, std::to_string(Size_Of(size_round))});
  generator.environment = {"TARNWICKSTONE_SEED=" + seed};
  return generator;
}

Stress_Result Stress(const std::string& path, const Tested_Program& program, const Sample_Set& set,
                     const Stress_Pair& pair) {
  std::vector<std::string> options = Compile_Options(path);
  if (!Compile_Helper(pair.generator, options) || !Compile_Helper(pair.brute, options))
    return STRESS_NOT_RUN;
  Stress_Programs p{
      &program,
      Helper_Program(pair.generator, program.limits, Program_Stem(Executable_Of(pair.generator))),
      Helper_Program(pair.brute, program.limits, Program_Stem(path)),
      Base_Name(path),
      Base_Name(Executable_Of(pair.generator)),
      Base_Name(Executable_Of(pair.brute)),
      Base_Name(set.source),
      Base_Name(pair.generator),
      Base_Name(pair.brute)};
  p.generator.inputs.clear();  // it reads nothing: its standard input is an empty file
  Write_Out(Stress_Header(pair, p.name, program.limits) + Checker_Line(program));
  Rounds r;
  std::string why;
  if (!Make_Temp_Folder(r.folder, &why)) return Broken(r, "无法创建临时文件夹（" + why + "）");
  r.empty = r.folder + SEPARATOR + "empty";
  for (int i = 0; i < INPUT_SLOTS; ++i)
    r.inputs[i] = r.folder + SEPARATOR + "input" + std::to_string(i);
  bool made = Write_New_File(r.empty, "", &why);
  for (int i = 0; i < RUN_SLOTS && made; ++i)
    made = Make_Folders(r.runs[i] = r.folder + SEPARATOR + "run" + std::to_string(i), &why);
  r.base = Clock_Us();
  r.start_us = Clock_Us();
  Stress_Result result = made ? Run_Rounds(p, r, path, set)
                              : Broken(r, "无法在 " + r.folder + " 里创建文件（" + why + "）");
  if (!Remove_Tree(r.folder, &why))
    Write_Out("提示：无法删除临时文件夹 " + r.folder + "（" + why + "）。\n");
  return result;
}
