// Small helpers shared by the benchmark programs (POSIX only). Programs are
// started with the tests' one process helper.
#pragma once

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "process.h"

inline double Now_Ms() {
  using namespace std::chrono;
  return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

// The processor time of the children reaped so far, in milliseconds.
inline double Children_Cpu_Ms() {
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

inline double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// A fresh folder under /tmp.
inline std::string Temp_Folder() {
  char name[] = "/tmp/tws-bench-XXXXXX";
  return mkdtemp(name);
}

inline void Write_File(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// The program running in `folder`, with what it has written so far.
struct Bench_Child {
  Child child;
  std::string seen;
};

inline Bench_Child Start_In(const std::string& program, const std::string& folder,
                            const std::vector<std::string>& args = {}) {
  std::vector<std::string> argv = {program};
  argv.insert(argv.end(), args.begin(), args.end());
  Spawn_Options options;
  options.folder = folder;
  Bench_Child b{Spawn(argv, options), ""};
  if (b.child.pid < 0) std::exit(2);
  return b;
}

// Reads its output until `text` has appeared; false if it ended first, or
// wrote nothing for `quiet_ms`.
inline bool Wait_For(Bench_Child& b, const std::string& text, int quiet_ms = 60000) {
  while (b.seen.find(text) == std::string::npos)
    if (Read_Output(b.child, b.seen, quiet_ms) <= 0) return false;
  return true;
}

inline void Send(Bench_Child& b, const std::string& line) {
  if (!Write_Input(b.child, line)) std::exit(2);
}

// Closes its input (so it ends at end of input) and returns its peak memory in kB.
inline long Finish(Bench_Child& b) {
  Close_Input(b.child);
  long peak_kb = 0;
  Wait_End(b.child, b.seen, 60000, &peak_kb);
  return peak_kb;
}
