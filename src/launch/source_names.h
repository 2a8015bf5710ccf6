// The file names a contest program opens by a string literal: freopen,
// fopen, and the file streams, constructed or opened.
#pragma once

#include <string>
#include <vector>

struct Source_Names {
  std::vector<std::string> inputs;       // bare names of files it reads
  std::vector<std::string> outputs;      // bare names of files it writes
  std::string standard_output;           // the bare name freopen sends stdout to; "" none
  std::vector<std::string> with_folder;  // names with a folder in them, read or written
};

// The names in the source text, each once, in the order they appear. Only a
// bare file name is a sample's file; one with a folder in it is listed apart,
// as the judges give nothing for it. Commented-out code counts for nothing.
Source_Names Scan_Source(const std::string& source);
