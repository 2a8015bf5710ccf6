// 对拍 through the launcher against the loop a student copies,
//   for ((i=1;;i++)); do ./gen $i > in; ./brute < in > ans; ./X < in > out;
//   diff -Z -q ans out || break; done
// on the same trivial programs, built once: rounds per second of each,
// alternating, medians of several runs, and their ratio.
#include <filesystem>

#include "bench_util.h"

namespace {

const int ROUNDS = 500;
const int RUNS = 7;

// The launcher from the key D to its line that says how the rounds ended.
double Launcher_Rate(const std::string& folder) {
  Bench_Child child = Start_In(TWS_LAUNCHER, folder, {"plus.exe"});
  if (!Wait_For(child, "按 D 键对拍")) std::exit(1);
  double start = Now_Ms();
  Send(child, "D");
  if (!Wait_For(child, "对拍 " + std::to_string(ROUNDS) + " 轮，没有发现不同")) std::exit(1);
  double ms = Now_Ms() - start;
  Send(child, "x");
  Finish(child);
  return ROUNDS * 1000.0 / ms;
}

double Script_Rate(const std::string& folder) {
  std::string loop = "for ((i=1;i<=" + std::to_string(ROUNDS) +
                     ";i++)); do ./plus_gen.exe $i > in; ./plus_brute.exe < in > ans; "
                     "./plus.exe < in > out; diff -Z -q ans out || exit 1; done";
  Spawn_Options here;
  here.folder = folder;
  double start = Now_Ms();
  if (Run_Process({"/bin/bash", "-c", loop}, here).status != 0) std::exit(1);
  return ROUNDS * 1000.0 / (Now_Ms() - start);
}

void Build(const std::string& folder, const std::string& name, const std::string& source) {
  Write_File(folder + "/" + name + ".cpp", source);
  std::string exe = folder + "/" + name + ".exe", cpp = folder + "/" + name + ".cpp";
  if (Run_Process({"/usr/bin/g++", "-O2", "-o", exe, cpp}).status != 0) std::exit(1);
}

}  // namespace

int main() {
  std::string folder = Temp_Folder();
  const std::string sum =
      "#include <cstdio>\nint main() { long long a, b; std::scanf(\"%lld%lld\", &a, &b);"
      " std::printf(\"%lld\\n\", a + b); }\n";
  Build(folder, "plus", "// 对拍轮数：" + std::to_string(ROUNDS) + "\n" + sum);
  Build(folder, "plus_brute", sum);
  Build(folder, "plus_gen",
        "#include <cstdio>\n#include <cstdlib>\nint main(int argc, char** argv) {"
        " std::srand(std::atoi(argv[1])); std::printf(\"%d %d\\n\", std::rand() % 1000,"
        " std::rand() % 1000); }\n");
  std::vector<double> launcher, script, ratio;
  for (int run = 0; run < RUNS; run++) {
    launcher.push_back(Launcher_Rate(folder));
    script.push_back(Script_Rate(folder));
    ratio.push_back(launcher.back() / script.back());
  }
  std::printf(
      "rounds per second: 对拍 through the launcher median %.1f, the bash loop median %.1f; "
      "ratio of the medians %.2f, median of the %d paired ratios %.2f (at least 1.5 wanted)\n",
      Median(launcher), Median(script), Median(launcher) / Median(script), RUNS, Median(ratio));
  std::filesystem::remove_all(folder);
  return 0;
}
