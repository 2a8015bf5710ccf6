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

const int PROBE_TIMES = 3;  // a generator seen to depend on its seed this often is asked no more:
                            // once could be the clock's second ending amid the probes
const long long LIGHT_BYTES = 64 << 20;  // programs that use no more are run a few rounds at once

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

// Takes the generator's run for round `round` at the size hint `size`: true
// with its input kept, or false with how the 对拍 ended in `result`.
bool Take_Generated(const Stress_Programs& p, Rounds& r, long long round, long long size,
                    Test_Run& test, Stress_Result& result) {
  r.sizes[round % INPUT_SLOTS] = size;  // for the line that makes it again, whatever happens
  Judgement j = Judge_Run(p.generator, test);
  std::string output = std::move(test.output), why;
  bool repeated = false;
  if (j.verdict != VERDICT_AC) {
    result = Helper_Failed(p, r, round, j, true);
  } else if (!Keep_Input(r, round, output, repeated, &why)) {
    result = Broken(r, "无法保存生成的输入（" + why + "）");
  } else {
    r.written = round;
    if (!repeated || r.seed_used >= PROBE_TIMES) return true;
    Sample_Stop stop = STOP_NONE;
    Seed_Use use = Probe_Seed(p, r, stop);
    if (use == SEED_USED) {
      ++r.seed_used;
      return true;
    }
    result =
        use == SEED_STOPPED ? Agreed(p, r, stop) : Seed_Ignored(p, r, use == SEED_READ_FROM_INPUT);
  }
  return false;
}

// A brute force past its time or memory, not waiting for input: too slow
// for a size, rather than wrong, when it kept them at smaller sizes.
bool Too_Slow(const Judgement& brute) {
  return (brute.verdict == VERDICT_TLE && brute.run.stop != STOP_WAITING) ||
         brute.verdict == VERDICT_MLE;
}

// Judges round `round` from the runs of the brute force and the program:
// true when they agree (or the round is passed by), or false with how the
// 对拍 ended in `result`.
bool Judge_Round(const Stress_Programs& p, Rounds& r, long long round, Test_Run& brute_run,
                 Test_Run& run, const std::string& path, const Sample_Set& set,
                 Stress_Result& result) {
  long long size = r.sizes[round % INPUT_SLOTS];
  Judgement brute = Judge_Run(p.brute, brute_run);
  if (Too_Slow(brute) && r.brute_size > 0 && size > r.brute_size) {
    Brute_Too_Slow(p, r, size, brute);
    r.judged = round;
    ++r.passed_by;
    return true;
  }
  if (brute.verdict != VERDICT_AC) {
    result = Helper_Failed(p, r, round, brute, false);
    return false;
  }
  r.brute_size = std::max(r.brute_size, size);
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
  if (Clock_Us() >= r.deadline) return 0;
  return std::min<long long>(light ? MOST_AT_ONCE : 1, program.limits.stress_rounds - r.written);
}

// The rounds of this batch whose inputs are written, but not those written
// at a size the brute force has since been found too slow for.
std::vector<long long> To_Run(const Rounds& r) {
  std::vector<long long> rounds;
  for (long long k = r.judged + 1; k <= r.written; ++k)
    if (r.sizes[k % INPUT_SLOTS] <= r.most_size) rounds.push_back(k);
  return rounds;
}

// Judges the rounds of the batch in order, then takes the inputs written
// for the next ones; false with how the 对拍 ended in `result`.
bool Take_Batch(const Stress_Programs& p, Rounds& r, const std::vector<long long>& ran,
                const std::vector<long long>& sizes, std::vector<Test_Run>& tests,
                const std::string& path, const Sample_Set& set, Stress_Result& result) {
  long long last = r.written;
  size_t i = 0;  // into `ran`, whose runs are tests[2i] and tests[2i + 1]
  for (long long k = r.judged + 1; k <= last; ++k) {
    if (i >= ran.size() || ran[i] != k) {
      r.judged = k;
      ++r.passed_by;
      continue;
    }
    Test_Run &brute = tests[2 * i], &run = tests[2 * i + 1];
    ++i;
    if (brute.run.stop == STOP_DEADLINE || run.run.stop == STOP_DEADLINE) {
      result = Agreed(p, r, STOP_DEADLINE);
      return false;
    }
    if (!Judge_Round(p, r, k, brute, run, path, set, result)) return false;
  }
  for (size_t g = 0; g < sizes.size(); ++g) {
    Test_Run& test = tests[2 * ran.size() + g];
    if (test.run.stop == STOP_DEADLINE) {
      result = Agreed(p, r, STOP_DEADLINE);
      return false;
    }
    if (!Take_Generated(p, r, last + 1 + static_cast<long long>(g), sizes[g], test, result))
      return false;
  }
  return true;
}

// Runs the rounds whose inputs are written, while the generator writes the
// next ones; false with how the 对拍 ended in `result`. Nothing starts past
// the time limit, and what runs then is ended.
bool Run_Batch(const Stress_Programs& p, Rounds& r, bool& light, const std::string& path,
               const Sample_Set& set, Stress_Result& result) {
  if (Clock_Us() >= r.deadline) {
    result = Agreed(p, r, STOP_DEADLINE);
    return false;
  }
  long long last = r.written, next = Next_Written(*p.program, r, light);
  std::vector<long long> ran = To_Run(r), sizes;  // the sizes the next inputs are written at
  std::vector<Tested_Program> generators;
  for (long long k = last + 1; k <= last + next; ++k) {
    sizes.push_back(Size_Of(k, r.most_size, p.program->limits.stress_rounds));
    generators.push_back(Generator_For(p, r, k, sizes.back()));
  }
  std::vector<Test_Input> runs;
  for (long long k : ran)
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
  for (const Test_Run& test : tests) light = light && test.run.peak_bytes <= LIGHT_BYTES;
  if (Stopped(tests) == STOP_INTERRUPTED) {
    result = Agreed(p, r, STOP_INTERRUPTED);
    return false;
  }
  return Take_Batch(p, r, ran, sizes, tests, path, set, result);
}

Stress_Result Run_Rounds(const Stress_Programs& p, Rounds& r, const std::string& path,
                         const Sample_Set& set) {
  const Problem_Limits& limits = p.program->limits;
  Stress_Result result = STRESS_NO_DIFFERENCE;
  // Asked once before the first round as well: a generator that ignores its
  // seed but follows the size hint never writes the same input twice in a row.
  Sample_Stop stop = STOP_NONE;
  Seed_Use use = Probe_Seed(p, r, stop);
  if (use == SEED_STOPPED) return Agreed(p, r, stop);
  if (use != SEED_USED) return Seed_Ignored(p, r, use == SEED_READ_FROM_INPUT);
  r.seed_used++;
  bool light = false;  // the first rounds run alone, till the programs are known
  do {
    if (!Run_Batch(p, r, light, path, set, result)) return result;
    Show_Progress(p, r);
  } while (r.judged < r.written);
  return Agreed(p, r, r.written >= limits.stress_rounds ? STOP_NONE : STOP_DEADLINE);
}

}  // namespace

const std::string& Input_Of(const Rounds& r, long long round) {
  return r.inputs[round % INPUT_SLOTS];
}

Tested_Program Generator_For(const Stress_Programs& p, const Rounds& r, long long round,
                             long long size) {
  Tested_Program generator = p.generator;
  std::string seed = std::to_string(Seed_Of(r.base, round));
  generator.argv.resize(1);
  generator.argv.insert(generator.argv.end(), {seed, std::to_string(size)});
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
  // From the header on, Ctrl+C waits for the runs, which take it at once,
  // rather than ending the launcher before any ran.
  Hold_Interruptions(true);
  Write_Out(Stress_Header(pair, p.name, program.limits) + Checker_Line(program));
  Rounds r;
  std::string why;
  if (!Make_Temp_Folder(r.folder, &why)) {
    Hold_Interruptions(false);
    return Broken(r, "无法创建临时文件夹（" + why + "）");
  }
  r.empty = r.folder + SEPARATOR + "empty";
  for (int i = 0; i < INPUT_SLOTS; ++i)
    r.inputs[i] = r.folder + SEPARATOR + "input" + std::to_string(i);
  bool made = Write_New_File(r.empty, "", &why);
  for (int i = 0; i < RUN_SLOTS && made; ++i)
    made = Make_Folders(r.runs[i] = r.folder + SEPARATOR + "run" + std::to_string(i), &why);
  r.base = Clock_Us();
  r.start_us = Clock_Us();
  r.deadline = r.start_us + program.limits.stress_us;
  r.most_size = program.limits.stress_size;
  End_Runs_At(r.deadline);
  Stress_Result result = made ? Run_Rounds(p, r, path, set)
                              : Broken(r, "无法在 " + r.folder + " 里创建文件（" + why + "）");
  End_Runs_At(0);
  if (!Remove_Tree(r.folder, &why))
    Write_Out("提示：无法删除临时文件夹 " + r.folder + "（" + why + "）。\n");
  Hold_Interruptions(false);
  return result;
}
