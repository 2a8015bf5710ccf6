// The launcher's platform operations on POSIX: no code pages here, and the
// title and the key wait are the command interpreter's own.

#include <errno.h>
#include <iconv.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include "platform/platform.h"
#include "platform/posix_internal.h"

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

Key Wait_Key(const std::string& prompt) {
  int key = Pause_For_Key(prompt);
  if (key < 0) return KEY_NONE;
  return key == '\n' || key == '\r' ? KEY_ENTER : KEY_OTHER;
}

int Console_Width() {
  struct winsize size {};
  if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) != 0 || size.ws_col == 0) return 80;
  return size.ws_col;
}

bool Decode_GBK(const std::string& bytes, std::string& text) {
  iconv_t convert = iconv_open("UTF-8", "GBK");
  if (convert == reinterpret_cast<iconv_t>(-1)) return false;
  std::string in = bytes;
  text.assign(bytes.size() * 3 / 2 + 4, '\0');  // a 2-byte GBK character is 3 bytes of UTF-8
  char* from = &in[0];
  char* to = &text[0];
  size_t left = in.size(), room = text.size();
  bool whole = iconv(convert, &from, &left, &to, &room) != static_cast<size_t>(-1) && left == 0;
  iconv_close(convert);
  text.resize(text.size() - room);
  return whole;
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
