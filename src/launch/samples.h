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
};

// "number" for "D/number.exe": the file name without ".exe".
std::string Program_Stem(const std::string& program);

// The samples of the program D/X.exe: X<n>.in with X<n>.ans (else X<n>.out)
// in D, else the same in D/X, else test/sample-<n>.in with .out in D. The
// first of these places that holds any is used; letter case does not count.
// X.in and X.out, without a number, are never samples, and in D a file
// belongs to the program with the longest name it starts with (P10001.in to
// P10001, not to P1000). A file that is no regular file, or a link that leads
// out of D, is left out and the reason said.
Sample_Set Find_Samples(const std::string& program);
