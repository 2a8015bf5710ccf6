// Console input on POSIX: lines, and the one key a pause waits for. One
// buffer over standard input serves both, so a script of answers piped in at
// once is taken in the order it was written.
#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/posix_internal.h"

namespace {
char INPUT[4096];          // bytes read from standard input, not yet taken
size_t INPUT_POS = 0;      // the next byte to take
size_t INPUT_LEN = 0;      // how many bytes INPUT holds
bool INPUT_ENDED = false;  // end of input (or a read error) was seen; never read again

// One read of standard input into `into`, resuming after a signal.
ssize_t Read_Input(void* into, size_t most) {
  ssize_t n;
  do {
    n = read(STDIN_FILENO, into, most);
  } while (n < 0 && errno == EINTR);
  return n;
}

bool Read_Input_Byte(char& c) {
  if (INPUT_POS == INPUT_LEN) {
    if (INPUT_ENDED) return false;
    ssize_t n = Read_Input(INPUT, sizeof INPUT);
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
    if (Read_Input(&c, 1) == 1) return c;
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

// ---- The terminal's mode during a pause -------------------------------------

namespace {
struct termios SAVED_MODE;               // the mode to put back
volatile sig_atomic_t MODE_CHANGED = 0;  // the terminal is in the pause's mode now
const int MODE_SIGNALS[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

// Puts the terminal back, then lets the signal do what it would have done.
void On_Signal(int sig) {
  int saved_errno = errno;
  Restore_Mode();
  Raise_Default(sig);
  errno = saved_errno;
}

// While it lives, the terminal is in the pause's mode (`mode`), and a signal
// that ends the program puts the old mode back first. A signal the program
// was told to ignore stays ignored.
struct Pause_Mode {
  struct sigaction old_actions[4];  // what the signals did before the pause
  bool set;                         // the terminal took the mode

  explicit Pause_Mode(const struct termios& mode) {
    static bool restore_at_exit = false;
    if (!restore_at_exit) restore_at_exit = atexit(Restore_Mode) == 0;
    struct sigaction act {};
    act.sa_handler = On_Signal;
    sigemptyset(&act.sa_mask);
    for (int i = 0; i < 4; i++) {
      sigaction(MODE_SIGNALS[i], nullptr, &old_actions[i]);
      if (old_actions[i].sa_handler != SIG_IGN) sigaction(MODE_SIGNALS[i], &act, nullptr);
    }
    MODE_CHANGED = 1;
    set = tcsetattr(STDIN_FILENO, TCSANOW, &mode) == 0;
  }
  Pause_Mode(const Pause_Mode&) = delete;
  Pause_Mode& operator=(const Pause_Mode&) = delete;
  ~Pause_Mode() {
    Restore_Mode();
    for (int i = 0; i < 4; i++) sigaction(MODE_SIGNALS[i], &old_actions[i], nullptr);
  }
};

// Reads what is already waiting, without blocking, and drops it.
void Drop_Waiting(struct termios mode, size_t count) {
  mode.c_cc[VMIN] = 0;
  mode.c_cc[VTIME] = 0;
  if (tcsetattr(STDIN_FILENO, TCSANOW, &mode) != 0) return;
  char rest[32];
  Read_Input(rest, count < sizeof rest ? count : sizeof rest);
}

// One key from the terminal: no line editing, no echo. Gives its first byte,
// or -1 when the terminal has gone.
int Read_Terminal_Key() {
  struct termios mode = SAVED_MODE;
  mode.c_lflag &= ~(ICANON | ECHO);
  mode.c_cc[VMIN] = 1;
  mode.c_cc[VTIME] = 0;
  Pause_Mode pause(mode);
  if (!pause.set) return Read_One_Byte();  // a terminal that refuses the mode: take a byte as text
  unsigned char c;
  if (Read_Input(&c, 1) != 1) {
    INPUT_ENDED = true;
    return -1;
  }
  // A key that sends several bytes (an arrow, a Chinese character) is one
  // key: what is left of it must not end up in the next answer.
  if (c == 0x1b) Drop_Waiting(mode, 32);
  if (c >= 0xC0) Drop_Waiting(mode, c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : 1);
  return c;
}
}  // namespace

void Restore_Mode() {
  if (MODE_CHANGED) {
    // When the shell has taken the terminal back first (the group's leader
    // died first), the system refuses a background group's change unless
    // SIGTTOU is blocked; blocked, the old mode is put back all the same.
    sigset_t ttou, old;
    sigemptyset(&ttou);
    sigaddset(&ttou, SIGTTOU);
    sigprocmask(SIG_BLOCK, &ttou, &old);
    tcsetattr(STDIN_FILENO, TCSANOW, &SAVED_MODE);
    sigprocmask(SIG_SETMASK, &old, nullptr);
  }
  MODE_CHANGED = 0;
}

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

// ---- The launcher's waits ---------------------------------------------------

void Discard_Typed_Input() {
  if (isatty(STDIN_FILENO)) tcflush(STDIN_FILENO, TCIFLUSH);
}

Key Wait_Key(const std::string& prompt) {
  int key = Pause_For_Key(prompt);
  if (key < 0) return KEY_NONE;
  if (key == 'd' || key == 'D') return KEY_D;
  return key == '\n' || key == '\r' ? KEY_ENTER : KEY_OTHER;
}
