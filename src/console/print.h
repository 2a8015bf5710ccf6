// Paced output and the page frame.
#pragma once

#include <string>

#include "console/text.h"

// Sleeps for `a` seconds, truncated to whole microseconds; returns at once for
// anything below one microsecond.
void Stop(double a);

// Writes `s` one byte at a time, 1 ms apart while slow output is on, then
// `nrow` line feeds at once.
void Print(std::string s, int nrow);

// The title line centred over 100 columns, then the 100-dash rule followed by
// `feeds` line feeds. Written at once.
void Print_Title(const std::string& title, int feeds);

// A 100-column rule with `name` centred in it between two spaces.
void Print_Section(const std::string& name);
