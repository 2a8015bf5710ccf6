// The compiler companion against g++ run directly on a correct program
// (alternating runs; the ratio of medians must stay at most 1.02), and the
// time from the compiler's end to the end of the hints for 10,000 lines of
// its messages (within 50 ms).
#include <sys/stat.h>

#include <filesystem>

#include "bench_util.h"

namespace {

// Runs argv to its end and gives how long that took.
double Time_Ms(const std::vector<std::string>& argv, const std::string& folder) {
  Spawn_Options options;
  options.folder = folder;
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

}  // namespace

int main() {
  std::string folder = Temp_Folder();
  Write_File(folder + "/ok.cpp",
             "#include <iostream>\nint main() { std::cout << \"hello\\n\"; }\n");
  std::vector<double> through, direct, ratios;
  for (int run = 0; run < 31; run++) {
    // Each goes first in turn, so that neither gains from what the other left warm.
    for (int turn = 0; turn < 2; turn++) {
      if ((run + turn) % 2 == 0)
        through.push_back(Time_Ms({TWS_COMPANION, "-g", "-o", "ok.exe", "ok.cpp"}, folder));
      else
        direct.push_back(Time_Ms({"/usr/bin/g++", "-g", "-o", "ok.exe", "ok.cpp"}, folder));
    }
    // A pair run back to back shares the machine's mood: its ratio is steadier.
    ratios.push_back(through.back() / direct.back());
  }
  std::printf(
      "correct program: companion median %.1f ms, g++ median %.1f ms; ratio of the medians "
      "%.3f, median of the paired ratios %.3f\n",
      Median(through), Median(direct), Median(through) / Median(direct), Median(ratios));

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
  for (const char* name :
       {"/ok.cpp", "/ok.exe", "/faulty.cpp", "/messages.txt", "/g++", "/tarnwickstone-cc"})
    std::remove((folder + name).c_str());
  rmdir(folder.c_str());
  return 0;
}
