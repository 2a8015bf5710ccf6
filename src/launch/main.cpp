// tarnwickstone-launch: runs one program in this console, then says how it
// ended and how long it ran, and keeps the window open until a key is pressed.
// Usage: tarnwickstone-launch PROGRAM [ARGUMENTS...]

#include <string>
#include <vector>

#include "launch/report.h"
#include "platform/platform.h"

namespace {

const int NO_PROGRAM = 2;      // status when no program was named
const int NOT_RUNNABLE = 126;  // status when the program exists but cannot run
const int NOT_FOUND = 127;     // status when there is no such program

// Typed-ahead keys must not answer the wait: the user has to see the report.
int Finish(int status) {
  Discard_Typed_Input();
  Wait_Key();
  return status;
}

int Cannot_Start(const std::string& path, const std::string& reason, int status) {
  Write_Out(Cannot_Start_Line(path, reason));
  return Finish(status);
}

// A bare name would make the system search the PATH and perhaps run another
// program than the file that was checked; a path with a folder never does.
std::string Explicit_Path(const std::string& path) {
  if (path.find_first_of(std::string("/") + SEPARATOR) != std::string::npos) return path;
  return std::string(".") + SEPARATOR + path;
}

int Launch(const std::vector<std::string>& args) {
  if (args.size() < 2) {
    Write_Out(
        "无法启动程序：没有给出程序的路径（用法：tarnwickstone-launch 程序路径 [参数……]）。\n");
    return Finish(NO_PROGRAM);
  }
  std::string path = args[1];
  Set_Title(File_Name(path));

  switch (Path_Status(path)) {
    case PATH_MISSING:
      return Cannot_Start(path, "文件不存在", NOT_FOUND);
    case PATH_DIRECTORY:
      return Cannot_Start(path, "这是一个文件夹，不是程序", NOT_RUNNABLE);
    case PATH_OTHER:
      return Cannot_Start(path, "这不是一个普通文件", NOT_RUNNABLE);
    case PATH_FILE:
      break;
  }

  std::vector<std::string> argv(args.begin() + 1, args.end());
  argv[0] = Explicit_Path(path);
  long long start = Clock_Us();
  Program_End end = Run_Program(argv);
  long long us = Clock_Us() - start;

  if (!end.started) {
    switch (Start_Failure_Kind(end.code)) {
      case START_NOT_FOUND:
        return Cannot_Start(path, "文件不存在", NOT_FOUND);
      case START_DENIED:
        return Cannot_Start(path, "没有运行它的权限", NOT_RUNNABLE);
      case START_NOT_PROGRAM:
        return Cannot_Start(path, "它不是本系统能运行的程序", NOT_RUNNABLE);
      case START_OTHER:
        break;
    }
    return Cannot_Start(path, "系统错误 " + std::to_string(end.code), NOT_RUNNABLE);
  }
  std::string signal_name = end.signaled ? Signal_Name(static_cast<int>(end.code)) : "";
  Write_Out(End_Report(end, us, signal_name));
  return Finish(Exit_Status(end));
}

}  // namespace

int main(int argc, char** argv) {
  // UTF-8 from first to last, so that the program and this report both show
  // Chinese correctly; the console gets its own code pages back at the end.
  Save_Code_Pages();
  Set_UTF8_Console();
  int status = Launch(Program_Arguments(argc, argv));
  Restore_Code_Pages();
  return status;
}
