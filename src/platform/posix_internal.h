// What the POSIX layer's own files share with each other and with their tests.
// Not part of the platform interface: the core never includes this.
#pragma once

#include <string>
#include <vector>

// Splits a command line into words as a Windows command line is split: blanks
// separate words outside double quotes, a double quote groups and is dropped,
// nothing is escaped, and "" is an empty word.
std::vector<std::string> Split_Words(const std::string& text);

// Writes the pause prompt, waits for one key (one byte of input when standard
// input is not a terminal), then ends the line. Returns at once at end of input.
void Pause_For_Key();

// The path of an executable regular file that `name` leads to, looked for as
// cmd finds a program: a name with a '/' as it stands, a bare name in the
// current folder first and then on the PATH. Empty when there is none.
std::string Find_Program(const std::string& name);

// Starts argv (argv[0] a path) in a session of its own, with its standard
// streams on /dev/null, and does not wait for it; no zombie is left behind.
// Returns false when it could not be started.
bool Start_Detached(const std::vector<std::string>& argv);

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
};

// Makes the channel to `target`; false, with errno set, when it cannot.
bool Open_Relay_Channel(int target, Relay_Channel& channel);

// Closes whichever ends are still open.
void Close_Relay_Channel(Relay_Channel& channel);
