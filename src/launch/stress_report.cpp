// What 对拍 says: what runs against what, the line of progress, and each way
// it ends, with how to make the round's input again.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "console/text.h"
#include "launch/difference.h"
#include "launch/report.h"
#include "launch/stress_rounds.h"
#include "launch/verdict.h"

namespace {

const long long SEED_SPAN = 2147483646;  // seeds run from 1 to this
const long long SEED_STEP = 1000003;     // between two rounds: rand() after srand of one
                                         // seed and of the next start alike on some systems
const long long PROGRESS_US = 100000;    // how often the line of progress changes
const size_t SHOWN_INPUT = 4096;         // enough of an input to show its start
const long long CLIMB = 200;             // rounds from the size hint 1 to the largest

// Rounds whose outputs were compared.
long long Compared(const Rounds& r) {
  return r.judged - r.passed_by;
}

double Per_Second(const Rounds& r) {
  long long us = Clock_Us() - r.start_us;
  return us > 0 ? static_cast<double>(Compared(r)) * 1e6 / static_cast<double>(us) : 0;
}

std::string Rate(const Rounds& r) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", Per_Second(r));
  return text;
}

void Clear_Progress(Rounds& r) {
  if (r.shown_width == 0) return;
  Write_Out("\r" + std::string(static_cast<size_t>(r.shown_width), ' ') + "\r");
  r.shown_width = 0;
}

// "对拍 N 轮，在第 K": how far it went, and the round that ended it.
std::string Rounds_Until(const Rounds& r, long long round) {
  return "对拍 " + std::to_string(Compared(r)) + " 轮，在第 " + std::to_string(round);
}

// How the student makes the round's input again.
std::string Seed_Line(const Stress_Programs& p, const Rounds& r, long long round) {
  std::string seed = std::to_string(Seed_Of(r.base, round));
  std::string size = std::to_string(r.sizes[round % INPUT_SLOTS]);
  return "  种子 " + seed + "，规模 " + size + "：" + p.generator_name + " " + seed + " " + size +
         " 会生成这个输入。\n";
}

// What a helper's failed run says after its name.
std::string Failure_Text(const Judgement& j, const Tested_Program& helper) {
  std::string why;
  if (j.verdict == VERDICT_NOT_STARTED) {
    Start_Failure(j.run.end.code, &why);
    return "无法启动（" + why + "）。\n";
  }
  if (j.cut) return "输出超过 64 MB，后面的部分被截掉了。\n";
  return Verdict_Text(j, helper, "", Console_Width());
}

// The start of a file that holds an input, to show.
std::string Start_Of(const std::string& file) {
  std::string bytes;
  Read_Bytes(file, SHOWN_INPUT, bytes);
  return bytes;
}

}  // namespace

std::string Whole_Seconds(long long us) {
  return us % 1000000 == 0 ? std::to_string(us / 1000000) : Format_Seconds(us);
}

long long Size_Of(long long round, long long most, long long rounds) {
  long long climb = std::max(2LL, std::min(CLIMB, rounds));
  long long step = (round - 1) % climb;
  double grown = std::pow(static_cast<double>(most), static_cast<double>(step) / (climb - 1));
  return std::max(1LL, std::min(most, std::max(step + 1, std::llround(grown))));
}

long long Seed_Of(long long base, long long round) {
  return 1 + (base % SEED_SPAN + (round % SEED_SPAN) * SEED_STEP) % SEED_SPAN;
}

std::string Stress_Header(const Stress_Pair& pair, const std::string& program,
                          const Problem_Limits& limits) {
  return "对拍：" + Base_Name(Executable_Of(pair.generator)) + " 生成输入，" +
         Base_Name(Executable_Of(pair.brute)) + " 给出答案，和 " + program + " 的输出比较。\n" +
         program + " 限时 " + Format_Seconds(limits.time_us) + " 秒，生成器和暴力程序限时 " +
         Format_Seconds(limits.time_us * HELPER_TIMES) + " 秒，内存限制 " +
         Format_Megabytes(limits.memory_bytes) + " MB。\n最多 " +
         std::to_string(limits.stress_rounds) + " 轮或 " + Whole_Seconds(limits.stress_us) +
         " 秒，按 Ctrl+C 可以停止。\n";
}

void Show_Progress(const Stress_Programs& p, Rounds& r) {
  long long now = Clock_Us();
  if (!Output_Is_Console() || now - r.shown_us < PROGRESS_US) return;
  r.shown_us = now;
  std::string line = "已对拍 " + std::to_string(Compared(r)) + " 轮，每秒 " + Rate(r) + " 轮，" +
                     p.name + " 最慢用时 " + Format_Seconds(r.slowest_us) + " 秒";
  int width = Display_Width(line);
  if (width >= Console_Width()) return;  // a wrapped line cannot be written over
  Write_Out("\r" + line +
            std::string(static_cast<size_t>(std::max(0, r.shown_width - width)), ' '));
  r.shown_width = width;
}

Stress_Result Agreed(const Stress_Programs& p, Rounds& r, Sample_Stop stop) {
  Clear_Progress(r);
  const Problem_Limits& limits = p.program->limits;
  std::string why = stop == STOP_INTERRUPTED ? "按下了 Ctrl+C"
                    : stop == STOP_DEADLINE
                        ? "达到了 " + Whole_Seconds(limits.stress_us) + " 秒的上限"
                        : "达到了 " + std::to_string(limits.stress_rounds) + " 轮的上限";
  Write_Out("对拍 " + std::to_string(Compared(r)) + " 轮，没有发现不同：" + why + "。\n每秒 " +
            Rate(r) + " 轮，" + p.name + " 最慢用时 " + Format_Seconds(r.slowest_us) + " 秒。\n");
  return STRESS_NO_DIFFERENCE;
}

void Brute_Too_Slow(const Stress_Programs& p, Rounds& r, long long size, const Judgement& j) {
  if (r.most_size <= r.brute_size) return;  // said already
  r.most_size = r.brute_size;
  Clear_Progress(r);
  Write_Out("提示：暴力程序 " + p.brute_name + " 在规模 " + std::to_string(size) + " 时" +
            (j.verdict == VERDICT_MLE ? "超出了内存限制" : "超时") +
            "，算不了这么大的输入：这不算错误，以后的规模最大为 " + std::to_string(r.most_size) +
            "。\n");
}

Stress_Result Helper_Failed(const Stress_Programs& p, Rounds& r, long long round,
                            const Judgement& j, bool generator) {
  Clear_Progress(r);
  const Tested_Program& helper = generator ? p.generator : p.brute;
  std::string name = generator ? "生成器 " + p.generator_name : "暴力程序 " + p.brute_name;
  std::string text = Rounds_Until(r, round) +
                     (generator ? " 轮生成器 " + p.generator_name : " 轮暴力程序 " + p.brute_name) +
                     " 出错：\n" + Failure_Text(j, helper);
  if (!generator) text += Input_Lines(Start_Of(Input_Of(r, round)), "", Console_Width());
  text += Seed_Line(p, r, round) + "这是" + name + " 的错误，不是 " + p.name +
          " 的，所以没有保存样例。请改正 " + (generator ? p.generator_source : p.brute_source) +
          " 后再对拍。\n";
  Write_Out(text);
  return STRESS_NOT_RUN;
}

Stress_Result Found(const Stress_Programs& p, Rounds& r, long long round, Judgement& j,
                    const std::string& answer, const std::string& path, const Sample_Set& set) {
  Clear_Progress(r);
  int width = Console_Width();
  std::string why;
  Sample added;
  bool saved = Add_Sample(path, set, Input_Of(r, round), answer, added, &why);
  j.input = Start_Of(Input_Of(r, round));
  j.input_file = saved ? added.input : "";
  std::string text = Rounds_Until(r, round) + " 轮发现问题：\n" +
                     Verdict_Text(j, *p.program, p.source_name, width);
  if (j.verdict != VERDICT_WA && j.verdict != VERDICT_PARTIAL)
    text += Input_Lines(j.input, j.input_file, width);
  text += Seed_Line(p, r, round);
  if (saved)
    text += "已保存为样例 " + added.number + "（" + added.input + " 和 " + added.answer +
            "），下次运行时会评测它。\n";
  else
    text += "没有保存为样例：" + why + "。\n";
  Write_Out(text);
  return STRESS_DIFFERENT;
}

Stress_Result Seed_Ignored(const Stress_Programs& p, Rounds& r, bool typed) {
  Clear_Progress(r);
  std::string text = "对拍 " + std::to_string(Compared(r)) + " 轮后停止：生成器 " +
                     p.generator_name + " 没有用到种子，不同的种子生成了同样的输入。\n";
  if (typed)
    text +=
        "  它从标准输入读种子，可是对拍时它的标准输入是空的，什么也读不到。\n"
        "  种子是它命令行的第一个参数：把读种子的那一行（例如 cin >> seed;）改成\n"
        "  seed = atoi(argv[1]);，main 要写成 int main(int argc, char* argv[])。\n"
        "  改好后再按 D 键对拍。\n";
  else
    text +=
        "  种子是它命令行的第一个参数，在生成器开头写 srand(atoi(argv[1])); 或者\n"
        "  mt19937 rng(atoi(argv[1]));（不要用 time(0) 作种子），改好后再按 D 键对拍。\n";
  Write_Out(text);
  return STRESS_NOT_RUN;
}

Stress_Result Broken(Rounds& r, const std::string& why) {
  Clear_Progress(r);
  Write_Out("对拍 " + std::to_string(Compared(r)) + " 轮后无法继续：" + why + "。\n");
  return STRESS_NOT_RUN;
}
