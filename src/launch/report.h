// What the launcher writes about a program: its file name, how it ended and
// how long it ran, or why it could not be started.
#pragma once

#include <string>

#include "platform/platform.h"

// A duration in microseconds as seconds with three decimals, rounded to the
// nearest millisecond: 123456 gives "0.123".
std::string Format_Seconds(long long us);

// Memory in megabytes: "256" when whole, else with one decimal, "1.4".
std::string Format_Megabytes(long long bytes);

// How the program ended, as words without an end: "程序已结束，返回值 3";
// the explanation of a crash, or "", goes to `explanation`.
std::string End_Words(const Program_End& end, const std::string& signal_name,
                      std::string& explanation);

// How the program ended and how long it ran, as one sentence without a line
// end; the explanation of a crash, or "", goes to `explanation`.
std::string End_Line(const Program_End& end, long long us, const std::string& signal_name,
                     std::string& explanation);

// The lines written after the program has ended: a blank line (the program's
// last line may lack its line end), the line of dashes, the line that says
// how it ended and how long it ran, and the explanation of a crash when there
// is one. `signal_name` is the name of the signal that ended it, if any.
std::string End_Report(const Program_End& end, long long us, const std::string& signal_name);

// The launcher's own exit status: the program's, or 128 + N after signal N.
int Exit_Status(const Program_End& end);

// The line that says a program could not be started, and why.
std::string Cannot_Start_Line(const std::string& path, const std::string& reason);
