#include "console/input.h"

#include "console/print.h"
#include "platform/platform.h"

std::string Read_Input_Line() {
  std::string line;
  if (!Read_Line(line)) Quit(1);
  return line;
}

int Read_Nint(std::unordered_set<int> a) {
  while (true) {
    std::string line = Read_Input_Line();
    bool digits = !line.empty();
    for (char c : line)
      if (c < '0' || c > '9') digits = false;
    if (!digits) {
      Print("输入不是自然数。", 1);
      continue;
    }
    // Checked before the value is computed, so that it always fits in an int.
    if (line.size() > 9) {
      Print("输入不在给定范围内。", 1);
      continue;
    }
    int value = 0;
    for (char c : line) value = value * 10 + (c - '0');
    if (a.count(value)) return value;
    Print("输入不在给定范围内。", 1);
  }
}
