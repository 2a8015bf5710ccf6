// What the launcher writes about the samples: where they are, one verdict
// for each, and how many passed.
#pragma once

#include <string>

#include "launch/judge.h"
#include "launch/samples.h"

// Where the samples were found, how many, the time limit, and each input
// file left out for want of an answer.
std::string Samples_Header(const Sample_Set& set, long long limit_us);

// "样例 N：" and the verdict with its time, then for a WA the first line that
// differs (each text cut to `width` columns) and a short input, for an RE how
// it ended and what that means.
std::string Verdict_Lines(const std::string& number, const Judgement& j, long long limit_us,
                          int width);

// "通过 k/n".
std::string Summary_Line(int passed, int total);
