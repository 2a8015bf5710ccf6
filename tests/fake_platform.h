// A fake platform for unit tests: scripted input, captured output, recorded
// commands and sleeps, files kept in memory. Nothing really sleeps or runs.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "test_text.h"

struct Fake_Quit {  // thrown by Quit so a test can see the program end
  int status;
};

struct Fake_Platform {
  std::deque<std::string> input;      // lines still to be typed
  std::string screen;                 // output, with each command shown as [command]
  std::vector<std::string> commands;  // every command, in order
  std::function<int(const std::string&)> on_command;  // its status; 0 when unset
  std::vector<long long> sleeps;                      // microseconds of each sleep
  long long clock = 0;                                // advanced by sleeps and writes
  long long write_cost = 0;                           // microseconds each write takes
  std::map<std::string, std::string> files;           // path -> content (LF line ends)
  std::set<std::string> folders;
  std::set<std::string> hidden;
  std::vector<std::string> replaced;              // paths put in place by Replace_Text_File
  std::map<std::string, std::string> unreadable;  // path -> why Read_Text_File cannot read it
  bool fail_writes = false;                       // Replace_Text_File and Create_Empty_File fail
  std::string home;  // what a typed "~" stands for, as on POSIX; "" for none, as on Windows
};

extern Fake_Platform FAKE;

// Resets the fake and every setting to its state at process start.
void Reset_Fake();

// The screen with every "[cls]" and what came before it removed: what the
// user sees after the last clear.
std::string Last_Page();
