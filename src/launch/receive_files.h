// What a received problem becomes in the contest folder: X.cpp from the
// template, with the problem's page and limits in the comments the launcher
// reads, and the samples X1.in with X1.ans, …; nothing a student has there is
// ever replaced.
#pragma once

#include <string>

#include "launch/receive_problem.h"

// The name X of the problem's files: the judge's own name for it where its
// page tells it (Luogu's "P1001", Codeforces' "1791A", AtCoder's "abc300_a"),
// else made from its name; letters, digits, '_' and '-' only.
std::string Problem_Stem(const Received_Problem& problem);

// X.cpp for the problem: the comments at its top name it and give its
// limits, and a problem that reads and writes files opens them with freopen.
std::string Problem_Source(const Received_Problem& problem);

// Writes the problem's files into `folder` that are not there yet; what is
// there already is kept. Gives the line that tells the student what was
// written and what kept, without its full stop. False, with why, when a file could not be written:
// then nothing of it is left.
bool Save_Problem(const Received_Problem& problem, const std::string& folder, std::string& said,
                  std::string& why);
