// The console on POSIX: what the program writes, the window's title and
// width. Terminals take their encoding from the locale, so there are no code
// pages to set or keep.
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/posix_internal.h"

const char SEPARATOR = '/';
const std::string TOOL_EXTENSION = "";  // any regular file will do as compiler or launcher
const bool HAS_SIGNALS = true;

void Set_UTF8_Console() {}

void Save_Code_Pages() {}

void Restore_Code_Pages() {}

bool Write_Fd(int fd, const char* bytes, size_t size) {
  size_t done = 0;
  while (done < size) {
    ssize_t n = write(fd, bytes + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

// A terminal that is gone leaves no one to tell.
void Write_Out(const std::string& bytes) {
  Write_Fd(STDOUT_FILENO, bytes.data(), bytes.size());
}

void Write_Err(const std::string& text) {
  Write_Fd(STDERR_FILENO, text.data(), text.size());
}

void Set_Title(const std::string& title) {
  Command("title " + title);
}

int Console_Width() {
  struct winsize size {};
  if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) != 0 || size.ws_col == 0) return 80;
  return size.ws_col;
}

bool Output_Is_Console() {
  return isatty(STDOUT_FILENO) == 1;
}

void Quit(int status) {
  Restore_Mode();
  std::exit(status);
}
