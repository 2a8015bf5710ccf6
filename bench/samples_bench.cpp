// The launcher's own time per sample: 100 samples of a trivial program run
// through the launcher, against the same program started directly the same
// way (standard input from the sample, standard output to a file, waited
// for), alternating, medians of several rounds. Then what a checker beside
// the samples adds to each, past its own run started directly.
#include <filesystem>

#include "bench_util.h"

namespace {

const int SAMPLES = 100;
const int ROUNDS = 9;

// All samples through the launcher, to its verdicts and its exit.
double Through_Launcher(const std::string& folder) {
  double start = Now_Ms();
  Bench_Child child = Start_In(TWS_LAUNCHER, folder, {"plus.exe"});
  if (!Wait_For(child, "通过 " + std::to_string(SAMPLES) + "/")) std::exit(1);
  Send(child, "x");
  Finish(child);
  return Now_Ms() - start;
}

// The program run once per sample without the launcher.
double Direct(const std::string& folder) {
  double start = Now_Ms();
  for (int n = 1; n <= SAMPLES; n++) {
    Spawn_Options options;
    options.folder = folder;
    options.input_file = folder + "/plus" + std::to_string(n) + ".in";
    options.output_file = folder + "/out";
    Child child = Spawn({"./plus.exe"}, options);
    std::string ignored;
    if (Wait_End(child, ignored, 60000) != 0) std::exit(1);
  }
  return Now_Ms() - start;
}

// The checker run once per sample without the launcher, on the sample's
// input and its answer as the output.
double Checker_Direct(const std::string& folder) {
  double start = Now_Ms();
  for (int n = 1; n <= SAMPLES; n++) {
    std::string name = folder + "/plus" + std::to_string(n);
    Spawn_Options options;
    options.folder = folder;
    Child child =
        Spawn({"./plus_checker.exe", name + ".in", name + ".ans", name + ".ans"}, options);
    std::string ignored;
    if (Wait_End(child, ignored, 60000) != 0) std::exit(1);
  }
  return Now_Ms() - start;
}

// The same samples in `checked`, judged by a checker: the launcher's time per
// sample past its time without one and past the checker's own run.
void Measure_Checker(const std::string& folder, const std::string& checked) {
  std::filesystem::copy(folder, checked);
  Write_File(checked + "/plus_checker.cpp",
             "#include <cstdio>\nint main(int c, char** v) { long long x = 0, y = 1;"
             " std::FILE* o = std::fopen(v[2], \"r\"); std::FILE* a = std::fopen(v[3], \"r\");"
             " if (c < 4 || !o || !a || std::fscanf(a, \"%lld\", &y) != 1) return 3;"
             " return std::fscanf(o, \"%lld\", &x) == 1 && x == y ? 0 : 1; }\n");
  if (Run_Process(
          {"/usr/bin/g++", "-o", checked + "/plus_checker.exe", checked + "/plus_checker.cpp"})
          .status != 0)
    std::exit(1);
  std::vector<double> plain, judged, own, extra;
  for (int round = 0; round < ROUNDS; round++) {
    plain.push_back(Through_Launcher(folder) / SAMPLES);
    judged.push_back(Through_Launcher(checked) / SAMPLES);
    own.push_back(Checker_Direct(checked) / SAMPLES);
    extra.push_back(judged.back() - plain.back() - own.back());
  }
  std::printf(
      "with a checker: per sample median %.3f ms, without %.3f ms, the checker started directly "
      "%.3f ms; what the launcher adds past the checker's run: median %.3f ms (limit 2 ms)\n",
      Median(judged), Median(plain), Median(own), Median(extra));
}

}  // namespace

int main() {
  std::string folder = Temp_Folder();
  Write_File(folder + "/plus.cpp",
             "#include <cstdio>\nint main() { long long a, b; std::scanf(\"%lld%lld\", &a, &b);"
             " std::printf(\"%lld\\n\", a + b); }\n");
  if (Run_Process({"/usr/bin/g++", "-o", folder + "/plus.exe", folder + "/plus.cpp"}).status != 0)
    return 1;
  for (int n = 1; n <= SAMPLES; n++) {
    Write_File(folder + "/plus" + std::to_string(n) + ".in", std::to_string(n) + " 1\n");
    Write_File(folder + "/plus" + std::to_string(n) + ".ans", std::to_string(n + 1) + "\n");
  }
  std::vector<double> launcher, direct, overhead;
  for (int round = 0; round < ROUNDS; round++) {
    launcher.push_back(Through_Launcher(folder) / SAMPLES);
    direct.push_back(Direct(folder) / SAMPLES);
    overhead.push_back(launcher.back() - direct.back());
  }
  std::printf(
      "per sample: through the launcher median %.3f ms, started directly median %.3f ms; "
      "the launcher's own: median %.3f ms (limit 2 ms), ratio %.2f\n",
      Median(launcher), Median(direct), Median(overhead), Median(launcher) / Median(direct));
  Measure_Checker(folder, folder + "-checked");
  std::filesystem::remove_all(folder);
  std::filesystem::remove_all(folder + "-checked");
  return 0;
}
