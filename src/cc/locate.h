// The fourth stage: for each cause, the first of its candidate situations
// that the source bears out, and where in the source the fault lies, which
// is not always where the compiler points.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "cc/match.h"

struct Placed {
  size_t situation = 0;                       // its index for Situation_At
  const Cause* cause = nullptr;               // the cause it explains
  const Source* source = nullptr;             // the file where the fault lies; nullptr for none
  int line = 0;                               // the line where it lies; 0 for none
  std::map<std::string, std::string> values;  // what fills the situation's texts
};

// The first candidate the source bears out, placed; false when none is.
// `exe` is the program's file name.
bool Locate(const Cause& cause, const std::vector<Candidate>& candidates,
            const std::vector<Record>& records, const std::vector<Source>& sources,
            const std::string& exe, Placed& placed);
