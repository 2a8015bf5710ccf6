// What a student reads about a wrong answer: the first line that differs,
// the input, and what makes two lines that look alike differ.
#pragma once

#include <string>

#include "launch/judge.h"

// The lines after "WA 答案错误，…。": the first line that differs, the
// answer's and the output's text (each cut to `width` columns), a short
// input, and notes on hidden characters, encodings and decimals.
// `source_name` is the source's file name, where a tolerance can be set.
std::string Wrong_Lines(const Judgement& j, const std::string& source_name, int width);

// The lines of `text` (its last `most` lines that hold anything), each
// indented by `indent` and cut to fit `width` columns.
std::string Last_Lines(const std::string& text, int most, const std::string& indent, int width);
