#include "console/print.h"

#include "platform/platform.h"
#include "settings/settings.h"

namespace {
const int WIDTH = 100;  // the console width the frame is laid out for
}

void Stop(double a) {
  double us = a * 1000000;
  // Also keeps the cast below defined: NaN and huge values never reach it.
  if (!(us >= 1)) return;
  if (us > 2147483647.0) us = 2147483647.0;
  Sleep_Us(static_cast<int>(us));
}

void Print(std::string s, int nrow) {
  if (!SLOWSAY) {
    Write_Out(s);
  } else {
    // Pace against the clock, not with a fixed sleep per byte: each sleep
    // overshoots a little, and over a page those overshoots would add up.
    long long due = Clock_Us();
    for (char c : s) {
      Write_Out(std::string(1, c));
      due += 1000;
      Stop((due - Clock_Us()) / 1000000.0);
    }
  }
  if (nrow > 0) Write_Out(std::string(nrow, '\n'));
}

void Print_Title(const std::string& title, int feeds) {
  Write_Out(std::string((WIDTH - Display_Width(title)) / 2, ' ') + title + "\n");
  Write_Out(std::string(WIDTH, '-') + std::string(feeds, '\n'));
}

void Print_Section(const std::string& name) {
  std::string label = " " + name + " ";
  int left = (WIDTH - Display_Width(label)) / 2;
  int right = WIDTH - Display_Width(label) - left;
  Write_Out(std::string(left, '-') + label + std::string(right, '-') + "\n");
}
