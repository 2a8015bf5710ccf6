// Small helpers shared by the benchmark programs (POSIX only).
#pragma once

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

inline double Now_Ms() {
  using namespace std::chrono;
  return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
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

// The program running in `folder` with pipes for its input and output.
struct Child {
  pid_t pid;
  int in;   // what we write goes to its standard input
  int out;  // what it writes comes from here
  std::string seen;
};

// argv (argv[0] a path) running in `folder`; its standard output and error
// both come to `out`.
inline Child Spawn_Args(const std::vector<std::string>& argv, const std::string& folder) {
  int in[2], out[2];
  if (pipe(in) != 0 || pipe(out) != 0) std::exit(2);
  pid_t pid = fork();
  if (pid == 0) {
    dup2(in[0], 0);
    dup2(out[1], 1);
    dup2(out[1], 2);
    close(in[1]);
    close(out[0]);
    if (chdir(folder.c_str()) != 0) _exit(126);
    std::vector<char*> args;
    for (const std::string& word : argv) args.push_back(const_cast<char*>(word.c_str()));
    args.push_back(nullptr);
    execv(args[0], args.data());
    _exit(127);
  }
  close(in[0]);
  close(out[1]);
  return {pid, in[1], out[0], ""};
}

inline Child Spawn(const std::string& program, const std::string& folder) {
  return Spawn_Args({program}, folder);
}

// Reads the child's output until `text` has appeared; false if it ended first.
inline bool Wait_For(Child& child, const std::string& text) {
  char buffer[4096];
  while (child.seen.find(text) == std::string::npos) {
    ssize_t n = read(child.out, buffer, sizeof buffer);
    if (n <= 0) return false;
    child.seen.append(buffer, static_cast<size_t>(n));
  }
  return true;
}

// Reads all the child writes, to its end, into `seen`.
inline void Read_To_End(Child& child) {
  char buffer[65536];
  ssize_t n;
  while ((n = read(child.out, buffer, sizeof buffer)) > 0)
    child.seen.append(buffer, static_cast<size_t>(n));
}

inline void Send(Child& child, const std::string& line) {
  if (write(child.in, line.data(), line.size()) != static_cast<ssize_t>(line.size())) std::exit(2);
}

// Closes its input (so it ends at end of input) and returns its peak memory in kB.
inline long Finish(Child& child) {
  close(child.in);
  char buffer[4096];
  while (read(child.out, buffer, sizeof buffer) > 0) {
  }
  close(child.out);
  int status = 0;
  rusage usage{};
  wait4(child.pid, &status, 0, &usage);
  return usage.ru_maxrss;
}
