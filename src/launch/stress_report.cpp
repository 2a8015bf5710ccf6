// What 对拍 writes apart from the verdicts: what runs against what, the line
// of progress, how to make an input again, and the seeds and sizes behind it.
#include <cstdio>

#include "launch/report.h"
#include "launch/stress.h"

namespace {

const long long SEED_SPAN = 2147483646;  // seeds run from 1 to this
const long long SEED_STEP = 1000003;     // between two rounds: rand() of one seed and the
                                         // next would start alike on some systems

std::string Rate(double per_second) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", per_second);
  return text;
}

}  // namespace

std::string Whole_Seconds(long long us) {
  return us % 1000000 == 0 ? std::to_string(us / 1000000) : Format_Seconds(us);
}

long long Size_Of(long long round) {
  return round;
}

long long Seed_Of(long long base, long long round) {
  return 1 + (base + (round % SEED_SPAN) * SEED_STEP) % SEED_SPAN;
}

std::string Stress_Header(const std::string& generator, const std::string& brute,
                          const std::string& program, const Problem_Limits& limits) {
  return "对拍：" + generator + " 生成输入，" + brute + " 给出答案，和 " + program +
         " 的输出比较，最多 " + std::to_string(limits.stress_rounds) + " 轮或 " +
         Whole_Seconds(limits.stress_us) + " 秒，按 Ctrl+C 可以停止。\n" + program + " 限时 " +
         Format_Seconds(limits.time_us) + " 秒，生成器和暴力程序限时 " +
         Format_Seconds(limits.time_us * HELPER_TIMES) + " 秒，内存限制 " +
         Format_Megabytes(limits.memory_bytes) + " MB。\n";
}

std::string Progress_Line(long long rounds, double per_second, long long slowest_us,
                          const std::string& program) {
  return "已对拍 " + std::to_string(rounds) + " 轮，每秒 " + Rate(per_second) + " 轮，" + program +
         " 最慢用时 " + Format_Seconds(slowest_us) + " 秒";
}

std::string Speed_Words(double per_second, long long slowest_us, const std::string& program) {
  return "（每秒 " + Rate(per_second) + " 轮，" + program + " 最慢用时 " +
         Format_Seconds(slowest_us) + " 秒）";
}

std::string Seed_Line(const std::string& generator, long long seed, long long size) {
  return "  种子 " + std::to_string(seed) + "，规模 " + std::to_string(size) + "：" + generator +
         " " + std::to_string(seed) + " " + std::to_string(size) + " 会生成这个输入。\n";
}

std::string Ignored_Seed_Lines(const std::string& generator, long long rounds) {
  return "对拍 " + std::to_string(rounds) + " 轮后停止：生成器 " + generator +
         " 用不同的种子生成了同样的输入，它没有用到种子，再对拍下去也只是同一个输入。\n"
         "  种子是它命令行的第一个参数：在生成器的开头写 srand(atoi(argv[1])); 或者 "
         "mt19937 rng(atoi(argv[1]));（不要用 time(0) 作种子），改好后再按 D 键对拍，"
         "它会重新编译。\n";
}
