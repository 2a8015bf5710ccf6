// What watching a program for a crash costs a program that does not crash:
// one that allocates and prints a lot, run as the launcher runs it, watched
// (traced, stopped only by signals) and unwatched by turns, medians of the
// pairs. The program's output goes to /dev/null, so its own speed counts.
#include <fcntl.h>
#include <sys/resource.h>

#include <filesystem>

#include "bench_util.h"
#include "platform/platform.h"

namespace {

const int PAIRS = 30;  // even: as many pairs with each run first

const char* const BUSY_PROGRAM = R"(#include <cstdio>
#include <map>
#include <string>
#include <vector>
int main() {
  long long sum = 0;
  for (int round = 0; round < 40; round++) {
    std::map<int, std::string> m;
    std::vector<std::vector<int>> v;
    for (int i = 0; i < 20000; i++) {
      m[i * 7919 % 20011] = std::to_string(i);
      v.emplace_back(i % 64 + 1, i);
      std::printf("%d %d %s\n", round, i, m.begin()->second.c_str());
    }
    for (const auto& row : v) sum += row.back();
  }
  std::fprintf(stderr, "%lld\n", sum);
}
)";

struct Timing {
  double wall_ms, cpu_ms;
};

Timing Run(const std::string& program, bool watched) {
  Crash_Stack crash;
  double start = Now_Ms(), cpu = Children_Cpu_Ms();
  Program_End end = watched ? Run_Watched({program}, "", crash) : Run_Program({program});
  Timing t{Now_Ms() - start, Children_Cpu_Ms() - cpu};
  if (!end.started || end.signaled || end.code != 0) std::exit(1);
  return t;
}

}  // namespace

int main() {
  std::string folder = Temp_Folder();
  Write_File(folder + "/busy.cpp", BUSY_PROGRAM);
  std::string program = folder + "/busy";
  if (Run_Process({"/usr/bin/g++", "-O2", "-g", "-o", program, folder + "/busy.cpp"}).status != 0)
    return 1;
  int saved_out = dup(STDOUT_FILENO), saved_err = dup(STDERR_FILENO);
  int null = open("/dev/null", O_WRONLY);
  std::vector<double> plain, watched, ratios, cpu_ratios;
  for (int pair = 0; pair < PAIRS; pair++) {
    dup2(null, STDOUT_FILENO);
    dup2(null, STDERR_FILENO);
    bool first_watched = pair % 2 == 1;  // each order as often, against drift
    Timing a = Run(program, first_watched), b = Run(program, !first_watched);
    const Timing& off = first_watched ? b : a;
    const Timing& on = first_watched ? a : b;
    plain.push_back(off.wall_ms);
    watched.push_back(on.wall_ms);
    ratios.push_back(on.wall_ms / off.wall_ms);
    cpu_ratios.push_back(on.cpu_ms / off.cpu_ms);
  }
  dup2(saved_out, STDOUT_FILENO);
  dup2(saved_err, STDERR_FILENO);
  std::printf(
      "a program that allocates and prints a lot (%d pairs): unwatched median %.1f ms, watched "
      "median %.1f ms; watched / unwatched, medians of the pairs' ratios: wall clock %.3f, "
      "processor time %.3f (limit 1.02)\n",
      PAIRS, Median(plain), Median(watched), Median(ratios), Median(cpu_ratios));
  std::filesystem::remove_all(folder);
  return 0;
}
