// Drives the real program through a pseudo-terminal, as a user at a terminal
// would: type, watch the screen, wait for the end. Every wait has a timeout,
// and a session that goes wrong is killed, so a test never hangs.
#pragma once

#include <gtest/gtest.h>
#include <sys/types.h>

#include <map>
#include <string>
#include <vector>

struct Pty_Session {
  pid_t pid = -1;                  // the program, until it has been reaped
  int master = -1;                 // our side of the terminal
  std::string screen;              // everything the program wrote, CR LF as LF
  bool held_cr = false;            // a CR that may yet turn out to start a CR LF
  size_t seen = 0;                 // where the next Expect starts looking
  std::vector<std::string> steps;  // what the test did, for failure messages
  int status = -1;                 // as Wait_Exit gives it, once reaped

  ~Pty_Session();  // kills the program if it still runs
};

// Starts `program` in `folder` on a new 120x40 terminal, with TERM=xterm,
// LANG=C.UTF-8, no tmux and no display (so `start` runs programs in this
// console), `env` on top, and `args` as its arguments. False when the
// terminal or the process could not be made.
bool Start(Pty_Session& s, const std::string& program, const std::string& folder,
           const std::map<std::string, std::string>& env = {},
           const std::vector<std::string>& args = {});

// Types the line and Enter.
void Send(Pty_Session& s, const std::string& line);

// Types raw keys: "x", "\x03" (Ctrl+C), "\x04" (Ctrl+D).
void Type(Pty_Session& s, const std::string& keys);

// Waits until `text` appears on the screen after what earlier Expects matched.
// On failure the message shows the screen since then, escaped, next to the
// text that was expected, and the last steps.
::testing::AssertionResult Expect(Pty_Session& s, const std::string& text, int timeout_ms = 10000);

// Waits for the program to end, reading its last output. Gives its exit
// status, 128+N when signal N killed it, or -1 after the timeout (it is then
// killed).
int Wait_Exit(Pty_Session& s, int timeout_ms = 10000);

// Waits until the terminal reads single keys without echo, as a pause sets it
// before it reads its key. False when that does not come within 5 s.
bool Waits_For_A_Key(Pty_Session& s);

// Reads what the program has written so far without waiting for more.
void Drain(Pty_Session& s);

// The end of the screen, escaped, and the last steps: what went on, for a
// failure message.
std::string Transcript(const Pty_Session& s);

// A new empty folder under /tmp; the caller removes it.
std::string Make_Temp_Folder();
