// 对拍 through the launcher against the loop a student copies,
//   for ((i=1;;i++)); do ./gen $i > in; ./brute < in > ans; ./X < in > out;
//   diff -Z -q ans out || break; done
// on the same programs, built once: a trivial one (a + b), a light one (a
// thousand numbers sorted) and a heavy one (recursion 50000 deep, 300
// times a round). Rounds per second of each and CPU per round (all the
// processes of both, the launcher's own included), in paired runs that
// alternate, so that a machine others load weighs on both alike; medians.
#include <sys/resource.h>

#include <filesystem>

#include "bench_util.h"

namespace {

const int RUNS = 7;

struct Kind {
  const char* name;
  int rounds;
  const char* program;    // the program and its brute force, one source
  const char* generator;  // argv[1] the seed
};

const Kind KINDS[] = {
    {"trivial", 500,
     "#include <cstdio>\nint main() { long long a, b; std::scanf(\"%lld%lld\", &a, &b);"
     " std::printf(\"%lld\\n\", a + b); }\n",
     "#include <cstdio>\n#include <cstdlib>\nint main(int argc, char** argv) {"
     " std::srand(std::atoi(argv[1])); std::printf(\"%d %d\\n\", std::rand() % 1000,"
     " std::rand() % 1000); }\n"},
    {"light", 500,
     "#include <algorithm>\n#include <cstdio>\n#include <vector>\nint main() { int n;"
     " std::scanf(\"%d\", &n);"
     " std::vector<long long> a(n); for (auto& x : a) std::scanf(\"%lld\", &x);"
     " std::sort(a.begin(), a.end()); long long s = 0; for (int i = 0; i < n; i++)"
     " s += a[i] * (i + 1); std::printf(\"%lld\\n\", s); }\n",
     "#include <cstdio>\n#include <cstdlib>\n#include <random>\nint main(int argc, char** argv) {"
     " std::mt19937 rng(std::atoi(argv[1])); std::printf(\"1000\\n\");"
     " for (int i = 0; i < 1000; i++) std::printf(\"%u \", rng() % 1000000000);"
     " std::printf(\"\\n\"); }\n"},
    {"heavy", 30,
     "#include <cstdio>\nunsigned Deep(int n, unsigned x) { volatile char pad[48];"
     " pad[n % 48] = (char)x; if (n == 0) return x;"
     " return Deep(n - 1, x * 31 + n) ^ pad[(n * 7) % 48]; }\n"
     "int main() { unsigned x; std::scanf(\"%u\", &x); unsigned r = 0;"
     " for (int i = 0; i < 300; i++) r ^= Deep(50000, x + i); std::printf(\"%u\\n\", r); }\n",
     "#include <cstdio>\n#include <cstdlib>\nint main(int argc, char** argv) {"
     " std::srand(std::atoi(argv[1])); std::printf(\"%d\\n\", std::rand()); }\n"},
};

// One run: rounds per second, and CPU milliseconds per round in `cpu`.
struct Rate {
  double per_second, cpu_ms;
};

// The launcher from the key D to its line that says how the rounds ended.
Rate Launcher_Rate(const std::string& folder, int rounds) {
  double cpu = Children_Cpu_Ms();
  Bench_Child child = Start_In(TWS_LAUNCHER, folder, {"plus.exe"});
  if (!Wait_For(child, "按 D 键对拍")) std::exit(1);
  double start = Now_Ms();
  Send(child, "D");
  // A pipe gets no line of progress: on a loaded machine the rounds may be
  // quiet for minutes.
  if (!Wait_For(child, "对拍 " + std::to_string(rounds) + " 轮，没有发现不同", 1800000))
    std::exit(1);
  double ms = Now_Ms() - start;
  Send(child, "x");
  Finish(child);
  return {rounds * 1000.0 / ms, (Children_Cpu_Ms() - cpu) / rounds};
}

Rate Script_Rate(const std::string& folder, int rounds) {
  std::string loop = "for ((i=1;i<=" + std::to_string(rounds) +
                     ";i++)); do ./plus_gen.exe $i > in; ./plus_brute.exe < in > ans; "
                     "./plus.exe < in > out; diff -Z -q ans out || exit 1; done";
  Spawn_Options here;
  here.folder = folder;
  double cpu = Children_Cpu_Ms(), start = Now_Ms();
  if (Run_Process({"/bin/bash", "-c", loop}, here).status != 0) std::exit(1);
  return {rounds * 1000.0 / (Now_Ms() - start), (Children_Cpu_Ms() - cpu) / rounds};
}

void Build(const std::string& folder, const std::string& name, const std::string& source) {
  Write_File(folder + "/" + name + ".cpp", source);
  std::string exe = folder + "/" + name + ".exe", cpp = folder + "/" + name + ".cpp";
  if (Run_Process({"/usr/bin/g++", "-O2", "-o", exe, cpp}, {}, "", 600000).status != 0) {
    std::fprintf(stderr, "g++ could not build %s\n", cpp.c_str());
    std::exit(1);
  }
}

void Measure(const Kind& kind) {
  std::string folder = Temp_Folder();
  Build(folder, "plus",
        "// 对拍轮数：" + std::to_string(kind.rounds) + "\n// 对拍时间：3600 秒\n" + kind.program);
  Build(folder, "plus_brute", kind.program);
  Build(folder, "plus_gen", kind.generator);
  std::vector<double> launcher, script, ratio, launcher_cpu, script_cpu;
  for (int run = 0; run < RUNS; run++) {
    Rate l = Launcher_Rate(folder, kind.rounds), s = Script_Rate(folder, kind.rounds);
    launcher.push_back(l.per_second);
    script.push_back(s.per_second);
    ratio.push_back(l.per_second / s.per_second);
    launcher_cpu.push_back(l.cpu_ms);
    script_cpu.push_back(s.cpu_ms);
  }
  std::printf(
      "%s: rounds per second, 对拍 median %.1f, the bash loop median %.1f; median of the %d "
      "paired ratios %.2f (lowest %.2f); CPU per round, 对拍 %.2f ms, the loop %.2f ms\n",
      kind.name, Median(launcher), Median(script), RUNS, Median(ratio),
      *std::min_element(ratio.begin(), ratio.end()), Median(launcher_cpu), Median(script_cpu));
  std::fflush(stdout);
  std::filesystem::remove_all(folder);
}

}  // namespace

int main(int argc, char** argv) {
  // A kind's name alone measures that one.
  for (const Kind& kind : KINDS)
    if (argc < 2 || std::string(argv[1]) == kind.name) Measure(kind);
  return 0;
}
