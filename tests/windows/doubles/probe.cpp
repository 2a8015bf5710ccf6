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

// The operations that keep work between runs; false for another name.
bool Keep_Op(const std::vector<std::string>& args) {
  const std::string& op = args[0];
  std::string err;
  if (op == "folders" && args.size() == 2) {
    std::vector<Folder_Entry> entries;
    bool made = Make_Folders(args[1] + "\\a\\b", &err) && List_Folder(args[1], entries, &err);
    Say(made ? "made " + entries.at(0).name : "failed: " + err);
  } else if (op == "move" && args.size() == 3) {
    Say(Move_Folder(args[1], args[2], &err) ? "moved" : "failed: " + err);
  } else if (op == "private" && args.size() == 2) {
    Say(Make_Private_Folder(args[1], &err) ? "private" : "failed: " + err);
  } else if (op == "copy" && args.size() == 3) {
    Say(Copy_File(args[1], args[2], &err) ? "copied" : "failed: " + err);
  } else if (op == "replace-file" && args.size() == 3) {
    Say(Replace_File(args[1], args[2], &err) ? "replaced" : "failed: " + err);
  } else if (op == "stamp" && args.size() == 2) {
    File_Stamp stamp;
    Say(Stamp_File(args[1], stamp, &err)
            ? std::to_string(stamp.size) + " " + std::to_string(stamp.written)
            : "failed: " + err);
  } else if (op == "touch" && args.size() == 2) {
    Say(Touch_File(args[1], &err) ? "touched" : "failed: " + err);
  } else if (op == "lock" && args.size() == 2) {
    // Holds it until a line comes, or input ends.
    Say(Take_Lock(args[1], &err) ? "locked" : "busy: " + err);
    std::string line;
    Read_Line(line);
  } else if (op == "background" && args.size() >= 2) {
    std::vector<std::string> argv(args.begin() + 1, args.end());
    Say(Start_Background(argv, &err) ? "started" : "failed: " + err);
  } else if (op == "cache" && args.size() == 1) {
    Say(User_Cache_Folder());
  } else {
    return false;
  }
  return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  Set_UTF8_Console();
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(Utf8(argv[i]));
  if (args.empty()) return 2;
  if (Keep_Op(args)) return 0;
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
  } else if (op == "write-new" && args.size() == 3) {
    std::string err;
    Say(Write_New_File(args[1], args[2], &err) ? "written" : "failed: " + err);
  } else if (op == "remove" && args.size() == 2) {
    std::string err;
    Say(Remove_File(args[1], &err) ? "removed" : "failed: " + err);
  } else if (op == "key") {
    const char* names[] = {"Enter", "D", "other", "none"};
    Say(names[Wait_Key("")]);
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
