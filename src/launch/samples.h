// Where the samples of a program are: contest-style input and answer files
// beside it.
#pragma once

#include <string>
#include <vector>

#include "common/names.h"  // Lower, as file names are compared

struct Sample {
  std::string number;  // as in the file name: "1", "2", "10"
  std::string input;   // the input file's path
  std::string answer;  // the answer file's path
};

struct Sample_Set {
  std::string folder;           // where they were found, to show
  std::vector<Sample> samples;  // in numeric order
  std::vector<std::string> left_out;  // why an input file is no sample: "X3.in 没有对应的答案文件"
  std::vector<std::string> errors;  // why a folder that exists could not be read
  std::string source;               // the program's source file; "" when there is none
  int place = 0;  // where they are, as numbered below (0 also when there are none)
};

// "number" for "D/number.exe": the file name without ".exe".
std::string Program_Stem(const std::string& program);

// The path as it is given to run a program: a bare name would make the
// system search the PATH and perhaps run another program than the file that
// was checked; a path with a folder never does.
std::string Explicit_Path(const std::string& path);

// The samples of the program D/X.exe, looked for in this order: X<n>.in
// with X<n>.ans (else X<n>.out) in D; ex_X<n>.in with its .ans or .out in D;
// in the folder D/X the same two, then <n>.in and sample<n>.in with theirs;
// test/sample-<n>.in with .out in D. The first of these places that holds any
// is used; letter case does not count. X.in and X.out, without a number, are
// never samples, and in D a file belongs to the program with the longest name
// it starts with (P10001.in to P10001, not to P1000; ex_a1.in to ex_a, not to
// a). A file that is no regular file, or a link that leads out of D, is left
// out and the reason said.
Sample_Set Find_Samples(const std::string& program);

// Saves the file `input` and the bytes `answer` as a new sample of the
// program, where `set` (its samples) was found, numbered one past the
// largest number there and named as the others are, so that the next run
// judges it. Never overwrites a file: a number whose input or answer exists
// in any letter case, or whose name a longer program claims, is passed by.
bool Add_Sample(const std::string& program, const Sample_Set& set, const std::string& input,
                const std::string& answer, Sample& added, std::string* err);
