// The fifth stage: the placed causes phrased as hints in plain Chinese, one
// for each cause and each line, the most useful first: the marks that break
// the code, then errors, then warnings, each in the order of their lines.
#pragma once

#include <string>
#include <vector>

#include "cc/locate.h"

const size_t MOST_HINTS = 5;

// The hints, or "" when there is nothing to say. `unexplained` are the
// causes no situation fits: the first error among all gets a hint that
// names its line and says what the compiler's message there means.
std::string Phrase_Hints(const std::vector<Placed>& placed,
                         const std::vector<const Cause*>& unexplained,
                         const std::vector<Record>& records);
