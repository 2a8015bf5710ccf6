#include "launch/stress.h"

#include <functional>

#include "console/text.h"
#include "launch/difference.h"
#include "launch/report.h"
#include "launch/verdict.h"

namespace {

const int PROBES = 8;                   // seeds tried before a generator is said to ignore them
const long long PROBE_ROUND = 1000;     // the probes' size hint is this round's: a large one
const long long PROBE_SEEDS = 2000000;  // the probes' seeds are those of rounds from here on,
                                        // past any 对拍's last
const long long PROGRESS_US = 100000;   // how often the line of progress changes
const size_t SHOWN_INPUT = 4096;        // enough of an input to show its start
const char SEED_VARIABLE[] = "TARNWICKSTONE_SEED";

// The three programs of a 对拍, and their names as the student knows them.
struct Stress_Programs {
  const Tested_Program* program;
  Tested_Program generator, brute;
  std::string name, generator_name, brute_name;             // the executables' file names
  std::string source_name, generator_source, brute_source;  // the sources'
};

// Where the rounds stand.
struct Rounds {
  long long judged = 0;   // rounds whose outputs were compared
  long long base = 0;     // where the seeds start
  std::string folder;     // the temporary folder that holds the inputs
  std::string empty;      // the generator's standard input
  std::string inputs[2];  // round k's input is inputs[k % 2]
  size_t last_hash = 0;   // of the last round's input, to tell the next from it
  size_t last_size = 0;
  bool seed_used = false;    // the generator was seen to depend on its seed
  long long slowest_us = 0;  // the program's slowest round
  long long start_us = 0;
  long long shown_us = 0;  // when the line of progress was last written
  int shown_width = 0;     // its width, to clear it; 0 when none is shown
};

enum Seed_Use { SEED_USED, SEED_IGNORED, SEED_INTERRUPTED };

double Per_Second(const Rounds& r) {
  long long us = Clock_Us() - r.start_us;
  return us > 0 ? static_cast<double>(r.judged) * 1e6 / static_cast<double>(us) : 0;
}

// On a console only, and at most every PROGRESS_US: a pipe gets no flood.
void Show_Progress(const Stress_Programs& p, Rounds& r) {
  long long now = Clock_Us();
  if (!Output_Is_Console() || now - r.shown_us < PROGRESS_US) return;
  r.shown_us = now;
  std::string line = Progress_Line(r.judged, Per_Second(r), r.slowest_us, p.name);
  int width = Display_Width(line);
  if (width >= Console_Width()) return;  // a wrapped line cannot be written over
  Write_Out("\r" + line +
            std::string(static_cast<size_t>(std::max(0, r.shown_width - width)), ' '));
  r.shown_width = width;
}

void Clear_Progress(Rounds& r) {
  if (r.shown_width == 0) return;
  Write_Out("\r" + std::string(static_cast<size_t>(r.shown_width), ' ') + "\r");
  r.shown_width = 0;
}

// Makes the generator's argv and the environment those of round `round`.
void Seed_Generator(Stress_Programs& p, const Rounds& r, long long round, long long size_round) {
  long long seed = Seed_Of(r.base, round);
  p.generator.argv.resize(1);
  p.generator.argv.push_back(std::to_string(seed));
  p.generator.argv.push_back(std::to_string(Size_Of(size_round)));
  Set_Environment_Variable(SEED_VARIABLE, std::to_string(seed));
}

// What a helper's failed run says after its name.
std::string Failure_Text(const Judgement& j, const Tested_Program& helper) {
  std::string why;
  if (j.verdict == VERDICT_NOT_STARTED) {
    Start_Failure(j.run.end.code, &why);
    return "无法启动（" + why + "）。\n";
  }
  if (j.verdict == VERDICT_WA) return "输出超过 64 MB，后面的部分被截掉了。\n";
  return Verdict_Text(j, helper, "", Console_Width());
}

// The start of a file that holds an input, to show.
std::string Start_Of(const std::string& file) {
  std::string bytes;
  Read_Bytes(file, SHOWN_INPUT, bytes);
  return bytes;
}

// Says the end of a 对拍 that found nothing.
Stress_Result Agreed(const Stress_Programs& p, Rounds& r, const std::string& why) {
  Clear_Progress(r);
  Write_Out("对拍 " + std::to_string(r.judged) + " 轮，没有发现不同，" + why +
            Speed_Words(Per_Second(r), r.slowest_us, p.name) + "。\n");
  return STRESS_NO_DIFFERENCE;
}

// Says that a helper failed in round `round` (the generator: while it wrote
// that round's input); nothing is saved.
Stress_Result Helper_Failed(const Stress_Programs& p, Rounds& r, long long round,
                            const Judgement& j, bool generator) {
  Clear_Progress(r);
  const Tested_Program& helper = generator ? p.generator : p.brute;
  std::string name = generator ? "生成器 " + p.generator_name : "暴力程序 " + p.brute_name;
  std::string text = "对拍 " + std::to_string(r.judged) + " 轮，在第 " + std::to_string(round) +
                     " 轮" + name + " 出错：" + Failure_Text(j, helper);
  if (!generator) text += Input_Lines(Start_Of(r.inputs[round % 2]), "", Console_Width());
  text += Seed_Line(p.generator_name, Seed_Of(r.base, round), Size_Of(round));
  text += "这是" + name + " 的错误，不是 " + p.name + " 的，所以没有保存样例。请改正 " +
          (generator ? p.generator_source : p.brute_source) + " 后再对拍。\n";
  Write_Out(text);
  return STRESS_NOT_RUN;
}

// Says how the program went wrong in round `round`, and keeps the round's
// input and the brute force's answer as a new sample.
Stress_Result Found(const Stress_Programs& p, Rounds& r, long long round, Judgement& j,
                    const std::string& answer, const std::string& path, const Sample_Set& set) {
  Clear_Progress(r);
  int width = Console_Width();
  std::string input = r.inputs[round % 2], why;
  Sample added;
  bool saved = Add_Sample(path, set, input, answer, added, &why);
  j.input = Start_Of(input);
  j.input_file = saved ? added.input : "";
  std::string text = "对拍 " + std::to_string(r.judged) + " 轮，在第 " + std::to_string(round) +
                     " 轮发现问题：" + Verdict_Text(j, *p.program, p.source_name, width);
  if (j.verdict != VERDICT_WA) text += Input_Lines(j.input, j.input_file, width);
  text += Seed_Line(p.generator_name, Seed_Of(r.base, round), Size_Of(round));
  if (saved)
    text += "已保存为样例 " + added.number + "（" + added.input + " 和 " + added.answer +
            "），下次运行时会评测它。\n";
  else
    text += "没有保存为样例：" + why + "。\n";
  Write_Out(text);
  return STRESS_DIFFERENT;
}

// Whether the generator writes one and the same input whatever its seed,
// asked of PROBES seeds at a large size, one after another (each with its
// own seed in the environment): a seeded one almost never repeats there.
Seed_Use Probe_Seed(Stress_Programs& p, const Rounds& r) {
  std::string first;
  for (int i = 0; i < PROBES; ++i) {
    Seed_Generator(p, r, PROBE_SEEDS + i, PROBE_ROUND);
    std::vector<Test_Run> tests;
    if (!Run_Tests({{&p.generator, r.empty}}, tests, nullptr)) return SEED_USED;
    std::string output = tests[0].output;
    Judgement j = Judge_Run(p.generator, tests[0]);
    if (j.verdict == VERDICT_INTERRUPTED) return SEED_INTERRUPTED;
    if (j.verdict != VERDICT_AC || (i > 0 && output != first)) return SEED_USED;
    first = output;
  }
  return SEED_IGNORED;
}

}  // namespace

namespace {

// Says that 对拍 could not go on, and why.
Stress_Result Broken(Rounds& r, const std::string& why) {
  Clear_Progress(r);
  Write_Out("对拍 " + std::to_string(r.judged) + " 轮后无法继续：" + why + "。\n");
  return STRESS_NOT_RUN;
}

// Keeps round `round`'s input in its file, in place of the input of two
// rounds before; `repeated` when it is the last round's over again.
bool Keep_Input(Rounds& r, long long round, const std::string& bytes, bool& repeated,
                std::string* err) {
  const std::string& file = r.inputs[round % 2];
  Remove_File(file, nullptr);  // nothing there before the second round
  size_t hash = std::hash<std::string>()(bytes);
  repeated = round > 1 && hash == r.last_hash && bytes.size() == r.last_size;
  r.last_hash = hash;
  r.last_size = bytes.size();
  return Write_New_File(file, bytes, err);
}

// Takes the generator's run for round `round`: true with its input kept, or
// false with how the 对拍 ended in `result`.
bool Take_Generated(Stress_Programs& p, Rounds& r, long long round, Test_Run& test,
                    Stress_Result& result) {
  Judgement j = Judge_Run(p.generator, test);
  std::string output = std::move(test.output), why;
  if (j.verdict == VERDICT_INTERRUPTED) {
    result = Agreed(p, r, "按下了 Ctrl+C");
    return false;
  }
  if (j.verdict != VERDICT_AC) {
    result = Helper_Failed(p, r, round, j, true);
    return false;
  }
  bool repeated = false;
  if (!Keep_Input(r, round, output, repeated, &why)) {
    result = Broken(r, "无法保存生成的输入（" + why + "）");
    return false;
  }
  if (!repeated || r.seed_used) return true;
  Seed_Use use = Probe_Seed(p, r);
  r.seed_used = use == SEED_USED;
  if (use == SEED_INTERRUPTED) result = Agreed(p, r, "按下了 Ctrl+C");
  if (use == SEED_IGNORED) {
    Clear_Progress(r);
    Write_Out(Ignored_Seed_Lines(p.generator_name, r.judged));
    result = STRESS_NOT_RUN;
  }
  return r.seed_used;
}

// Judges round `round` from the runs of the brute force and the program:
// true when they agree, or false with how the 对拍 ended in `result`.
bool Judge_Round(const Stress_Programs& p, Rounds& r, long long round, std::vector<Test_Run>& tests,
                 const std::string& path, const Sample_Set& set, Stress_Result& result) {
  for (const Test_Run& test : tests)
    if (test.run.stop == STOP_INTERRUPTED) {
      result = Agreed(p, r, "按下了 Ctrl+C");
      return false;
    }
  Judgement brute = Judge_Run(p.brute, tests[0]);
  if (brute.verdict != VERDICT_AC) {
    result = Helper_Failed(p, r, round, brute, false);
    return false;
  }
  Judgement j = Judge(*p.program, tests[1], tests[0].output);
  if (j.verdict == VERDICT_NOT_STARTED) {
    std::string why;
    Start_Failure(j.run.end.code, &why);
    result = Broken(r, "无法启动 " + p.name + "（" + why + "）");
    return false;
  }
  r.slowest_us = std::max(r.slowest_us, j.run.cpu_us);
  r.judged = round;
  if (j.verdict == VERDICT_AC) return true;
  result = Found(p, r, round, j, tests[0].output, path, set);
  return false;
}

// The rounds: the brute force and the program on round k's input, and
// meanwhile the generator writing round k + 1's when there is one to come.
Stress_Result Run_Rounds(Stress_Programs& p, Rounds& r, const std::string& path,
                         const Sample_Set& set) {
  const Problem_Limits& limits = p.program->limits;
  std::vector<Test_Run> tests;
  std::string why;
  Stress_Result result = STRESS_NO_DIFFERENCE;
  Seed_Generator(p, r, 1, 1);
  if (!Run_Tests({{&p.generator, r.empty}}, tests, &why)) return Broken(r, why);
  if (!Take_Generated(p, r, 1, tests[0], result)) return result;
  for (long long round = 1;; ++round) {
    bool more = round < limits.stress_rounds && Clock_Us() - r.start_us < limits.stress_us;
    const std::string& input = r.inputs[round % 2];
    std::vector<Test_Input> runs = {{&p.brute, input}, {p.program, input}};
    if (more) {
      Seed_Generator(p, r, round + 1, round + 1);
      runs.push_back({&p.generator, r.empty});
    }
    if (!Run_Tests(runs, tests, &why)) return Broken(r, why);
    if (!Judge_Round(p, r, round, tests, path, set, result)) return result;
    if (more && !Take_Generated(p, r, round + 1, tests[2], result)) return result;
    Show_Progress(p, r);
    if (more) continue;
    return Agreed(p, r,
                  round >= limits.stress_rounds
                      ? "达到了 " + std::to_string(limits.stress_rounds) + " 轮的上限"
                      : "达到了 " + Whole_Seconds(limits.stress_us) + " 秒的上限");
  }
}

}  // namespace

Stress_Result Stress(const std::string& path, const Tested_Program& program, const Sample_Set& set,
                     const Stress_Pair& pair) {
  std::vector<std::string> options = Compile_Options(path);
  if (!Compile_Helper(pair.generator, options) || !Compile_Helper(pair.brute, options))
    return STRESS_NOT_RUN;
  Stress_Programs p{&program,
                    Helper_Program(pair.generator, program.limits),
                    Helper_Program(pair.brute, program.limits),
                    Base_Name(path),
                    Base_Name(Executable_Of(pair.generator)),
                    Base_Name(Executable_Of(pair.brute)),
                    Base_Name(set.source),
                    Base_Name(pair.generator),
                    Base_Name(pair.brute)};
  Write_Out(Stress_Header(p.generator_name, p.brute_name, p.name, program.limits));
  Rounds r;
  std::string why;
  if (!Make_Temp_Folder(r.folder, &why)) return Broken(r, "无法创建临时文件夹（" + why + "）");
  r.empty = r.folder + SEPARATOR + "empty";
  r.inputs[0] = r.folder + SEPARATOR + "input0";
  r.inputs[1] = r.folder + SEPARATOR + "input1";
  r.base = Clock_Us();
  r.start_us = Clock_Us();
  Stress_Result result = Write_New_File(r.empty, "", &why)
                             ? Run_Rounds(p, r, path, set)
                             : Broken(r, "无法创建文件 " + r.empty + "（" + why + "）");
  if (!Remove_Tree(r.folder, &why))
    Write_Out("提示：无法删除临时文件夹 " + r.folder + "（" + why + "）。\n");
  return result;
}
