// Runs the real program with a whole script of answers on its standard input,
// as a script or a test would pipe them in, with a timeout.
#pragma once

#include <map>
#include <string>
#include <vector>

struct Piped_Run {
  int status;       // exit status, 128+N for signal N, -1 when killed after the timeout
  std::string out;  // everything it wrote to standard output
  std::string err;  // everything it wrote to standard error
};

// Runs `program` in `folder` with `input` as its whole standard input.
Piped_Run Run_Piped(const std::string& program, const std::string& folder, const std::string& input,
                    int timeout_ms = 20000);

// Runs argv (argv[0] a path) in `folder` with `input` as its whole standard
// input and `env` set on top of this environment ("" unsets a variable).
Piped_Run Run_Args(const std::vector<std::string>& argv, const std::string& folder,
                   const std::map<std::string, std::string>& env = {},
                   const std::string& input = "", int timeout_ms = 60000);
