// What the POSIX layer's own files share with each other and with their tests.
// Not part of the platform interface: the core never includes this.
#pragma once

#include <sys/types.h>

#include <functional>
#include <string>
#include <vector>

// Splits a command line into words as a Windows command line is split: blanks
// separate words outside double quotes, a double quote groups and is dropped,
// nothing is escaped, and "" is an empty word.
std::vector<std::string> Split_Words(const std::string& text);

// Writes the prompt, waits for one key (one byte of input when standard
// input is not a terminal), then ends the line. Gives the key's first byte, or
// -1 at once at end of input.
int Pause_For_Key(const std::string& prompt = "请按任意键继续. . .");

// The path of an executable regular file that `name` leads to, looked for as
// cmd finds a program: a name with a '/' as it stands, a bare name in the
// current folder first and then on the PATH. Empty when there is none.
std::string Find_Program(const std::string& name);

// Starts argv (argv[0] a path) in a session of its own, with its standard
// streams on /dev/null, and does not wait for it; no zombie is left behind.
// Returns false when it could not be started.
bool Start_Detached(const std::vector<std::string>& argv);

// A system error number as a short Chinese phrase: "没有权限", "系统错误 5".
std::string Error_Text(int code);

// ---- Starting a program: the pieces posix_program.cpp and posix_sample.cpp share

// The argv array that exec wants; it points into `argv`, which must outlive it.
std::vector<char*> Exec_Args(const std::vector<std::string>& argv);

// Runs in the child after fork: exec, or report why not through `report`.
[[noreturn]] void Exec_Or_Report(std::vector<char*>& args, int report);

// Waits for the exec report on `fd` and closes it: 0 when exec succeeded.
int Read_Report(int fd);

// Waits for the child, resuming after a signal; false when it cannot be waited for.
bool Wait_Child(pid_t pid, int& status);

// Writes all the bytes to the descriptor, resuming after a signal; false when
// the rest cannot be written.
bool Write_Fd(int fd, const char* bytes, size_t size);

// One of a program's output streams on its way to one of ours: a
// pseudo-terminal when ours is a terminal, so that the program sees one,
// otherwise a pipe.
struct Relay_Channel {
  int target = -1;              // our descriptor that the bytes go on to
  int read = -1;                // where they are read here
  int child = -1;               // what the program writes to
  std::string* copy = nullptr;  // where a copy of the bytes is kept
  // While set, the bytes are only kept, until the first line is whole and
  // this says whether they go on; `silent` once it said no.
  const std::function<bool(const std::string&)>* gate = nullptr;
  bool silent = false;
};

// Makes the channel to `target`; false, with errno set, when it cannot.
bool Open_Relay_Channel(int target, Relay_Channel& channel);

// Closes whichever ends are still open.
void Close_Relay_Channel(Relay_Channel& channel);
