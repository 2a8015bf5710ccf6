// The launcher's platform operations on POSIX: no code pages here, and the
// title and the key wait are the command interpreter's own.

#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
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

// ---- GBK ----------------------------------------------------------------------
// glibc's converters are modules loaded at run time, and a program linked
// statically with one glibc aborts when it loads another's. So the table of
// the two-byte GBK characters is made once, by the iconv program that comes
// with every glibc, one character a line. Without it nothing is decoded.

namespace {
const int TRAILS = 0xFE - 0x40 + 1;  // the second bytes a lead byte can take, 0x7F counted

// What the iconv program writes for `input`, with invalid characters left
// out; empty when it cannot be run.
std::string Iconv_Output(const std::string& input) {
  std::vector<std::string> found = Programs_In(Path_Folders(), "iconv");
  const char* base = std::getenv("TMPDIR");
  std::string name = std::string(base && *base ? base : "/tmp") + "/tarnwickstone-gbk-XXXXXX";
  int in = found.empty() ? -1 : mkostemp(&name[0], O_CLOEXEC);
  if (in < 0) return "";
  unlink(name.c_str());
  int out[2];
  if (!Write_Fd(in, input.data(), input.size()) || lseek(in, 0, SEEK_SET) != 0 ||
      pipe2(out, O_CLOEXEC) != 0) {
    close(in);
    return "";
  }
  std::vector<std::string> argv = {found[0], "-c", "-f", "GBK", "-t", "UTF-8"};
  std::vector<char*> args = Exec_Args(argv);
  pid_t pid = fork();
  if (pid == 0) {
    int null = open("/dev/null", O_WRONLY);
    if (dup2(in, STDIN_FILENO) < 0 || dup2(out[1], STDOUT_FILENO) < 0 || null < 0 ||
        dup2(null, STDERR_FILENO) < 0)
      _exit(127);
    execv(args[0], args.data());
    _exit(127);
  }
  close(in);
  close(out[1]);
  std::string text;
  char buffer[16384];
  ssize_t n;
  while (pid > 0 && ((n = read(out[0], buffer, sizeof buffer)) > 0 || (n < 0 && errno == EINTR)))
    if (n > 0) text.append(buffer, static_cast<size_t>(n));
  close(out[0]);
  int status = 0;
  if (pid > 0) Wait_Child(pid, status);
  return text;
}

// Every lead byte 0x81 to 0xFE with every second byte 0x40 to 0xFE: the
// character as UTF-8, or "" where that pair is no GBK character.
const std::vector<std::string>& GBK_Table() {
  static const std::vector<std::string> table = [] {
    std::string input;
    for (int lead = 0x81; lead <= 0xFE; lead++)
      for (int trail = 0x40; trail <= 0xFE; trail++) {
        if (trail != 0x7F) input += {static_cast<char>(lead), static_cast<char>(trail)};
        input += '\n';
      }
    std::string output = Iconv_Output(input);
    std::vector<std::string> cells;
    for (size_t at = 0, end; (end = output.find('\n', at)) != std::string::npos; at = end + 1)
      cells.push_back(output.substr(at, end - at));
    // A line more or less would shift every character after it: trust none.
    if (cells.size() != static_cast<size_t>((0xFE - 0x81 + 1) * TRAILS)) cells.clear();
    return cells;
  }();
  return table;
}
}  // namespace

bool Decode_GBK(const std::string& bytes, std::string& text) {
  text.clear();
  for (size_t i = 0; i < bytes.size(); i++) {
    unsigned char lead = static_cast<unsigned char>(bytes[i]);
    if (lead < 0x80) {
      text += bytes[i];
      continue;
    }
    if (lead < 0x81 || lead > 0xFE || i + 1 >= bytes.size()) return false;
    unsigned char trail = static_cast<unsigned char>(bytes[++i]);
    const std::vector<std::string>& table = GBK_Table();
    if (trail < 0x40 || trail > 0xFE || table.empty()) return false;
    const std::string& cell = table[static_cast<size_t>((lead - 0x81) * TRAILS + trail - 0x40)];
    if (cell.empty()) return false;
    text += cell;
  }
  return true;
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
