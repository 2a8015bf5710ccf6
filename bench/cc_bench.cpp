// The compiler companion against g++ run directly on a correct program
// (alternating runs; the ratio of medians must stay at most 1.02); on a
// <bits/stdc++.h> program once its precompiled header is ready (at most 0.40)
// and on its first compile, which starts preparing it; and the time from the
// compiler's end to the end of the hints for 10,000 lines of its messages
// (within 50 ms).
#include <sys/stat.h>

#include <filesystem>
#include <thread>

#include "bench_util.h"

namespace {

// Runs argv to its end and gives how long that took; `cache` is its cache folder.
double Time_Ms(const std::vector<std::string>& argv, const std::string& folder,
               const std::string& cache = "") {
  Spawn_Options options;
  options.folder = folder;
  if (!cache.empty()) options.env["XDG_CACHE_HOME"] = cache;
  double start = Now_Ms();
  Run_Process(argv, options);
  return Now_Ms() - start;
}

// A faulty program whose messages are long: each of its faults lists pages
// of candidates.
const char* const FAULTY =
    "#include <iostream>\n#include <vector>\nusing namespace std;\nstruct P { int x; };\n"
    "int main() {\n    vector<int> v;\n    cin >> v;\n    P p;\n    cout << p;\n"
    "    int a，b；\n    return max(1, 2LL);\n}\n";

const char* const OLYMPIAD =
    "#include <bits/stdc++.h>\nusing namespace std;\nint main() {\n    int n;\n    cin >> n;\n"
    "    vector<int> a(n);\n    for (int& x : a) cin >> x;\n    sort(a.begin(), a.end());\n"
    "    cout << accumulate(a.begin(), a.end(), 0LL) << endl;\n}\n";

// Waits until the cache folder holds a finished precompiled header (or two
// minutes have passed): the preparer runs on its own, after the compile.
bool Wait_Ready(const std::string& cache) {
  namespace fs = std::filesystem;
  std::string root = cache + "/tarnwickstone/pch";
  for (int tenth = 0; tenth < 1200; tenth++) {
    std::error_code error;
    bool building = fs::exists(root + "/building", error);
    for (const auto& entry : fs::directory_iterator(root, error))
      if (!building && fs::exists(entry.path() / "made-for.txt", error)) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return false;
}

// Pairs of runs, the companion first and g++ first in turn, so that neither
// gains from what the other left warm; `cache_for` gives the companion's
// cache folder for each pair; when it `prepares` a precompiled header, the
// preparer is waited for before anything else runs. Prints the medians and
// the median of the paired ratios.
void Paired(const char* what, int runs, const std::string& folder, const std::string& source,
            std::string (*cache_for)(const std::string& folder, int run), bool prepares) {
  std::vector<double> through, direct, ratios;
  for (int run = 0; run < runs; run++) {
    std::string cache = cache_for(folder, run);
    for (int turn = 0; turn < 2; turn++) {
      if ((run + turn) % 2 == 0) {
        through.push_back(Time_Ms({TWS_COMPANION, "-g", "-o", "a.exe", source}, folder, cache));
        if (prepares && !Wait_Ready(cache)) std::exit(1);
      } else {
        direct.push_back(Time_Ms({"/usr/bin/g++", "-g", "-o", "a.exe", source}, folder));
      }
    }
    // A pair run back to back shares the machine's mood: its ratio is steadier.
    ratios.push_back(through.back() / direct.back());
  }
  std::printf(
      "%s: companion median %.1f ms, g++ median %.1f ms; ratio of the medians %.3f, median of "
      "the paired ratios %.3f (%d pairs)\n",
      what, Median(through), Median(direct), Median(through) / Median(direct), Median(ratios),
      runs);
}

// The correct program's companion gets a cache of its own, which stays empty.
std::string Empty_Cache(const std::string& folder, int) {
  return folder + "/empty-cache";
}

// One cache, made ready before the first pair.
std::string Warm_Cache(const std::string& folder, int run) {
  std::string cache = folder + "/warm-cache";
  if (run == 0) {
    Time_Ms({TWS_COMPANION, "-g", "-o", "a.exe", "olympiad.cpp"}, folder, cache);
    if (!Wait_Ready(cache)) std::exit(1);
  }
  return cache;
}

// A fresh cache for every pair.
std::string Cold_Cache(const std::string& folder, int run) {
  return folder + "/cold-cache-" + std::to_string(run);
}

}  // namespace

int main() {
  std::string folder = Temp_Folder();
  Write_File(folder + "/ok.cpp",
             "#include <iostream>\nint main() { std::cout << \"hello\\n\"; }\n");
  Write_File(folder + "/olympiad.cpp", OLYMPIAD);
  Paired("correct program without <bits/stdc++.h>", 31, folder, "ok.cpp", Empty_Cache, false);
  Paired("<bits/stdc++.h>, its precompiled header ready", 9, folder, "olympiad.cpp", Warm_Cache,
         true);
  Paired("<bits/stdc++.h>, first compile (it starts preparing the header)", 7, folder,
         "olympiad.cpp", Cold_Cache, true);

  // Real messages, repeated to 10,000 lines, from a compiler double that
  // prints them and ends; the companion is copied beside it, where it looks first.
  Write_File(folder + "/faulty.cpp", FAULTY);
  Spawn_Options here;
  here.folder = folder;
  std::string real = Run_Process({"/usr/bin/g++", "-o", "faulty.exe", "faulty.cpp"}, here).out;
  if (real.empty()) return 1;
  std::string messages;
  size_t lines = 0;
  while (lines < 10000)
    for (char c : real)
      if (messages += c, c == '\n') ++lines;
  Write_File(folder + "/messages.txt", messages);
  Write_File(folder + "/g++", "#!/bin/sh\ncat messages.txt >&2\nexit 1\n");
  chmod((folder + "/g++").c_str(), 0755);
  std::string copy = folder + "/tarnwickstone-cc";
  std::filesystem::copy_file(TWS_COMPANION, copy);

  std::vector<double> after;
  for (int run = 0; run < 15; run++) {
    Child child = Spawn({copy, "-o", "faulty.exe", "faulty.cpp"}, here);
    std::string seen;
    double end_of_messages = 0;
    while (Read_Output(child, seen, 60000) > 0)
      if (end_of_messages == 0 && seen.size() >= messages.size()) end_of_messages = Now_Ms();
    after.push_back(Now_Ms() - end_of_messages);
    Wait_End(child, seen, 60000);
    if (seen.find("中文提示") == std::string::npos) return 1;
  }
  std::printf("%zu lines of messages: hints end a median %.1f ms (max %.1f ms) after them\n", lines,
              Median(after), *std::max_element(after.begin(), after.end()));
  std::filesystem::remove_all(folder);
  return 0;
}
