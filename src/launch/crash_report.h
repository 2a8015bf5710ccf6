// The lines that follow a crash's explanation: where in the user's source it
// happened, or why that cannot be told.
#pragma once

#include <string>

#include "launch/locate.h"
#include "platform/platform.h"

// "出错位置：a.cpp 第 12 行，函数 dfs（由 main 第 30 行调用）" and what more there
// is to say about it, or "无法确定出错位置：…。"; each line ends with a line feed.
std::string Location_Lines(const Crash_Location& location);

// The lines for a program's end, from the stack caught when it crashed with
// its source places read by the symboliser; "" when it did not crash.
std::string Crash_Lines(const Crash_Stack& stack);
