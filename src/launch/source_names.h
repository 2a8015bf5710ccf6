// The file names a contest program opens by a string literal: freopen,
// fopen, and the file streams, constructed or opened.
#pragma once

#include <string>
#include <vector>

struct Source_Names {
  std::vector<std::string> inputs;   // files it reads
  std::vector<std::string> outputs;  // files it writes
};

// The names in the source text, each once, in the order they appear. Only a
// bare file name counts: one with a folder in it is never a sample's place.
// Commented-out code counts for nothing.
Source_Names Scan_Source(const std::string& source);
