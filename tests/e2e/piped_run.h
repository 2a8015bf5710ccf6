// Runs a real program with a whole script of answers on its standard input,
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

// Runs argv (argv[0] a path, or a command such as setpriv that runs the rest)
// in `folder` with `input` as its whole standard input, no tmux, no display,
// and `env` set on top ("" unsets a variable).
Piped_Run Run_Piped(const std::vector<std::string>& argv, const std::string& folder,
                    const std::string& input = "", int timeout_ms = 20000,
                    const std::map<std::string, std::string>& env = {});
