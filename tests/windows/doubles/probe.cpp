// Runs one operation of the Windows platform layer, named by the first
// argument, and writes what it gave back, so that the tests under Wine can
// check the layer on its own.
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/windows_internal.h"
#include "record.h"

namespace {

void Say(const std::string& text) {
  Write_Out(text + "\n");
}

const char* Kind_Name(Path_Kind kind) {
  switch (kind) {
    case PATH_FILE:
      return "file";
    case PATH_DIRECTORY:
      return "directory";
    case PATH_OTHER:
      return "other";
    default:
      return "missing";
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  Set_UTF8_Console();
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(Utf8(argv[i]));
  if (args.empty()) return 2;
  const std::string& op = args[0];
  if (op == "status" && args.size() == 2) {
    Say(Kind_Name(Path_Status(args[1])));
  } else if (op == "replace" && args.size() == 3) {
    std::string err;
    Say(Replace_Text_File(args[1], args[2], &err) ? "replaced" : "failed: " + err);
  } else if (op == "read" && args.size() == 2) {
    std::string text, err;
    if (!Read_Text_File(args[1], 1000, text, &err)) text = "<cannot open: " + err + ">";
    Say("[" + text + "]");
  } else if (op == "create" && args.size() == 2) {
    std::string err;
    Say(Create_Empty_File(args[1], &err) ? "created" : "failed: " + err);
  } else if (op == "hide" && args.size() == 2) {
    Hide_File(args[1]);
  } else if (op == "run" && args.size() >= 2) {
    std::string err;
    Program_End end = Run_Program(std::vector<std::string>(args.begin() + 1, args.end()), &err);
    Say(std::string(end.started ? "started" : "not started") + (end.signaled ? " signaled" : "") +
        " " + std::to_string(end.code) + (err.empty() ? "" : " " + err));
  } else if (op == "command" && args.size() == 2) {
    Say("status " + std::to_string(Command(args[1])));
  } else if (op == "line-then-command" && args.size() == 2) {
    std::string line;
    Say(Read_Line(line) ? "[" + line + "]" : "end");
    Say("status " + std::to_string(Command(args[1])));
  } else if (op == "lines") {
    std::string line;
    while (Read_Line(line)) Say("[" + line + "]");
    Say("end");
  } else if (op == "bytes" && args.size() == 2) {
    for (char c : args[1]) Write_Out(std::string(1, c));
  } else if ((op == "sleep" || op == "sleep-by-ticks") && args.size() == 3) {
    // Paces `count` sleeps of `us` against the clock, as the program does.
    long long us = std::atoll(args[1].c_str()), count = std::atoll(args[2].c_str());
    long long start = Clock_Us(), due = start;
    for (long long i = 0; i < count; ++i) {
      due += us;
      long long left = due - Clock_Us();
      if (left <= 0) continue;
      if (op == "sleep")
        Sleep_Us(left);
      else
        Sleep_By_Ticks(left);
    }
    Say("elapsed " + std::to_string(Clock_Us() - start));
  } else if (op == "quit" && args.size() == 2) {
    Write_Out("\xE4\xB8");  // an unfinished character must not be lost
    Quit(std::atoi(args[1].c_str()));
  } else if (op == "exit" && args.size() == 2) {
    ExitProcess(static_cast<UINT>(std::strtoul(args[1].c_str(), nullptr, 10)));
  } else {
    return 2;
  }
  return 0;
}
