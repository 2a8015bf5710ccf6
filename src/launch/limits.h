// The limits a problem sets, as the student copies them from the problem
// statement into the comments at the top of the source: "时间限制：2 秒",
// "内存限制：256 MB", "误差不超过 1e-6"; and how long 对拍 goes on, written
// there too: "对拍轮数：5000", "对拍时间：120 秒", and how large its inputs
// grow: "对拍规模：100000".
#pragma once

#include <string>
#include <vector>

#include "launch/compare.h"

extern const long long DEFAULT_TIME_US;        // the contests' usual second
extern const long long DEFAULT_MEMORY_BYTES;   // and 512 MB
extern const long long DEFAULT_STRESS_ROUNDS;  // 对拍 stops after 1000 rounds
extern const long long DEFAULT_STRESS_US;      // or 60 seconds
extern const long long DEFAULT_STRESS_SIZE;    // its size hint grows to 100000

struct Problem_Limits {
  long long time_us = DEFAULT_TIME_US;              // CPU time of one sample
  long long memory_bytes = DEFAULT_MEMORY_BYTES;    // memory of one sample
  Tolerance tolerance;                              // none unless written
  bool time_written = false;                        // the time limit came from the source
  bool memory_written = false;                      // the memory limit came from the source
  long long stress_rounds = DEFAULT_STRESS_ROUNDS;  // rounds of 对拍 at most
  long long stress_us = DEFAULT_STRESS_US;          // and time on the clock
  long long stress_size = DEFAULT_STRESS_SIZE;      // the largest size hint a generator gets
  std::string problem_name;  // X of the problem's files X.in and X.out, when the comments name
                             // them ("输入文件名：X.in"); "": the program's name
  std::vector<std::string> notes;  // what was written but not understood
};

// The comments of `source` before its first "{": where a student puts the
// problem's limits, above every function.
std::string Header_Comments(const std::string& source);

// The defaults, with what the comments at the top of `source` set instead.
// A keyword without a value that can be understood leaves the default and
// adds a note that names the source `source_name`.
Problem_Limits Read_Limits(const std::string& source, const std::string& source_name);

// Seconds from 0.001 to 3600, such as "2" or "0.5", in microseconds; false
// for anything else.
bool Read_Seconds(const std::string& text, long long& us);

// Megabytes from 1 to 65536, such as "256", in bytes; false for anything else.
bool Read_Megabytes(const std::string& text, long long& bytes);
