// The launcher's platform operations on POSIX: no code pages here, and the
// title and the key wait are the command interpreter's own.

#include <errno.h>
#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include "platform/platform.h"

std::vector<std::string> Program_Arguments(int argc, char** argv) {
  return std::vector<std::string>(argv, argv + argc);
}

void Set_Title(const std::string& title) {
  Command("title " + title);
}

void Save_Code_Pages() {}

void Restore_Code_Pages() {}

void Discard_Typed_Input() {
  if (isatty(STDIN_FILENO)) tcflush(STDIN_FILENO, TCIFLUSH);
}

void Wait_Key() {
  Command("pause");
}

std::string Signal_Name(int number) {
  switch (number) {
    case SIGHUP:
      return "SIGHUP";
    case SIGINT:
      return "SIGINT";
    case SIGQUIT:
      return "SIGQUIT";
    case SIGILL:
      return "SIGILL";
    case SIGTRAP:
      return "SIGTRAP";
    case SIGABRT:
      return "SIGABRT";
    case SIGBUS:
      return "SIGBUS";
    case SIGFPE:
      return "SIGFPE";
    case SIGKILL:
      return "SIGKILL";
    case SIGUSR1:
      return "SIGUSR1";
    case SIGSEGV:
      return "SIGSEGV";
    case SIGUSR2:
      return "SIGUSR2";
    case SIGPIPE:
      return "SIGPIPE";
    case SIGALRM:
      return "SIGALRM";
    case SIGTERM:
      return "SIGTERM";
    case SIGXCPU:
      return "SIGXCPU";
    case SIGXFSZ:
      return "SIGXFSZ";
    case SIGSYS:
      return "SIGSYS";
    default:
      return "";
  }
}

Start_Failure Start_Failure_Kind(long long code) {
  switch (code) {
    case ENOENT:
    case ENOTDIR:
      return START_NOT_FOUND;
    case EACCES:
    case EPERM:
      return START_DENIED;
    case ENOEXEC:
      return START_NOT_PROGRAM;
    default:
      return START_OTHER;
  }
}
