// The platform layer on POSIX: console and time. Files are in posix_files.cpp,
// the running of programs in posix_program.cpp, the command interpreter in
// posix_command.cpp.
#include <signal.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/platform.h"
#include "platform/posix_internal.h"

const char SEPARATOR = '/';
const std::string TOOL_EXTENSION = "";  // any regular file will do as compiler or launcher

// ---- Console output ------------------------------------------------------------

void Set_UTF8_Console() {}  // terminals take their encoding from the locale

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

// ---- Console input -------------------------------------------------------------
// One buffer over standard input serves both the lines and the pause's key, so
// a script of answers piped in at once is taken in the order it was written.

namespace {
char INPUT[4096];          // bytes read from standard input, not yet taken
size_t INPUT_POS = 0;      // the next byte to take
size_t INPUT_LEN = 0;      // how many bytes INPUT holds
bool INPUT_ENDED = false;  // end of input (or a read error) was seen; never read again

bool Read_Input_Byte(char& c) {
  if (INPUT_POS == INPUT_LEN) {
    if (INPUT_ENDED) return false;
    ssize_t n;
    do {
      n = read(STDIN_FILENO, INPUT, sizeof INPUT);
    } while (n < 0 && errno == EINTR);
    if (n <= 0) {  // EIO from a hung-up terminal counts as the end too
      INPUT_ENDED = true;
      return false;
    }
    INPUT_POS = 0;
    INPUT_LEN = static_cast<size_t>(n);
  }
  c = INPUT[INPUT_POS++];
  return true;
}

// One byte, from the buffer when it holds some, else straight from standard
// input without reading ahead: what follows belongs to whoever reads next,
// perhaps a program started after the key. -1 at end of input.
int Read_One_Byte() {
  if (INPUT_POS == INPUT_LEN && !INPUT_ENDED) {
    unsigned char c;
    ssize_t n;
    do {
      n = read(STDIN_FILENO, &c, 1);
    } while (n < 0 && errno == EINTR);
    if (n == 1) return c;
    INPUT_ENDED = true;
  }
  char c;
  return Read_Input_Byte(c) ? static_cast<unsigned char>(c) : -1;
}
}  // namespace

bool Read_Line(std::string& line) {
  line.clear();
  bool any = false;
  char c;
  while (Read_Input_Byte(c)) {
    any = true;
    if (c == '\n') {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      return true;
    }
    line += c;
  }
  return any;  // a last line without a line end still counts
}

// ---- The terminal's mode during a pause ----------------------------------------

namespace {
struct termios SAVED_MODE;               // the mode to put back
volatile sig_atomic_t MODE_CHANGED = 0;  // the terminal is in the pause's mode now
const int MODE_SIGNALS[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
struct sigaction OLD_ACTIONS[4];  // what the signals did before the pause

void Restore_Mode() {
  if (MODE_CHANGED) tcsetattr(STDIN_FILENO, TCSANOW, &SAVED_MODE);
  MODE_CHANGED = 0;
}

// Puts the terminal back, then lets the signal do what it would have done.
void On_Signal(int sig) {
  int saved_errno = errno;
  Restore_Mode();
  signal(sig, SIG_DFL);
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, sig);
  sigprocmask(SIG_UNBLOCK, &set, nullptr);
  raise(sig);
  errno = saved_errno;
}

void Catch_Signals() {
  struct sigaction act {};
  act.sa_handler = On_Signal;
  sigemptyset(&act.sa_mask);
  for (int i = 0; i < 4; i++) {
    sigaction(MODE_SIGNALS[i], nullptr, &OLD_ACTIONS[i]);
    // A signal the program was told to ignore stays ignored.
    if (OLD_ACTIONS[i].sa_handler != SIG_IGN) sigaction(MODE_SIGNALS[i], &act, nullptr);
  }
}

void Release_Signals() {
  for (int i = 0; i < 4; i++) sigaction(MODE_SIGNALS[i], &OLD_ACTIONS[i], nullptr);
}

// Reads what is already waiting, without blocking, and drops it.
void Drop_Waiting(struct termios mode, size_t count) {
  mode.c_cc[VMIN] = 0;
  mode.c_cc[VTIME] = 0;
  if (tcsetattr(STDIN_FILENO, TCSANOW, &mode) != 0) return;
  char rest[32];
  ssize_t n;
  do {
    n = read(STDIN_FILENO, rest, count < sizeof rest ? count : sizeof rest);
  } while (n < 0 && errno == EINTR);
}

// One key from the terminal: no line editing, no echo. Gives its first byte,
// or -1 when the terminal has gone.
int Read_Terminal_Key() {
  static bool restore_at_exit = false;
  if (!restore_at_exit) restore_at_exit = atexit(Restore_Mode) == 0;
  struct termios mode = SAVED_MODE;
  mode.c_lflag &= ~(ICANON | ECHO);
  mode.c_cc[VMIN] = 1;
  mode.c_cc[VTIME] = 0;
  Catch_Signals();
  MODE_CHANGED = 1;
  int got;
  if (tcsetattr(STDIN_FILENO, TCSANOW, &mode) == 0) {
    unsigned char c;
    ssize_t n;
    do {
      n = read(STDIN_FILENO, &c, 1);
    } while (n < 0 && errno == EINTR);
    bool key = n == 1;
    if (!key) INPUT_ENDED = true;
    // A key that sends several bytes (an arrow, a Chinese character) is one
    // key: what is left of it must not end up in the next answer.
    if (key && c == 0x1b) Drop_Waiting(mode, 32);
    if (key && c >= 0xC0) Drop_Waiting(mode, c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : 1);
    got = key ? c : -1;
  } else {
    got = Read_One_Byte();  // a terminal that refuses the mode: take a byte as text
  }
  Restore_Mode();
  Release_Signals();
  return got;
}
}  // namespace

int Pause_For_Key(const std::string& prompt) {
  Write_Out(prompt);
  // Bytes already buffered were typed before the pause, so they answer it first.
  bool buffered = INPUT_POS < INPUT_LEN;
  int key;
  if (buffered || INPUT_ENDED || !isatty(STDIN_FILENO) || tcgetattr(STDIN_FILENO, &SAVED_MODE) != 0)
    key = Read_One_Byte();
  else
    key = Read_Terminal_Key();
  Write_Out("\n");
  return key;
}

void Quit(int status) {
  Restore_Mode();
  std::exit(status);
}

// ---- Time ----------------------------------------------------------------------

long long Clock_Us() {
  struct timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return now.tv_sec * 1000000LL + now.tv_nsec / 1000;
}

void Sleep_Us(long long us) {
  if (us <= 0) return;
  // An absolute deadline makes a sleep cut short by a signal resume for just
  // the time that is left.
  struct timespec due;
  clock_gettime(CLOCK_MONOTONIC, &due);
  long long ns = due.tv_nsec + (us % 1000000) * 1000;
  due.tv_sec += us / 1000000 + ns / 1000000000;
  due.tv_nsec = ns % 1000000000;
  while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &due, nullptr) == EINTR) {
  }
}
