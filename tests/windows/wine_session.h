// Runs the Windows programs of build-windows under Wine from a Linux test:
// one throwaway Wine prefix per run of the tests, programs started in a given
// folder with pipes for their standard input and output, and answers fed only
// after their prompt has appeared.
#pragma once

#include <gtest/gtest.h>
#include <sys/types.h>

#include <string>
#include <vector>

#include "process.h"
#include "test_text.h"

// Why the tests under Wine cannot run here, or "" when they can. The first
// call sets up the Wine prefix.
std::string Wine_Missing();

// Skips the test when Wine or the Windows build is missing, except under CI,
// where that is a failure.
#define REQUIRE_WINE()                    \
  do {                                    \
    std::string missing = Wine_Missing(); \
    if (!missing.empty()) {               \
      if (Under_CI()) FAIL() << missing;  \
      GTEST_SKIP() << missing;            \
    }                                     \
  } while (0)

bool Under_CI();

// A file of the Windows build, e.g. "tarnwickstone.exe" or
// "tests/windows/doubles/probe.exe".
std::string Windows_Build(const std::string& name);

// A new empty folder for one test, inside the build tree, whose path holds
// Chinese characters and a space.
std::string Fresh_Folder(const std::string& test);

// The Windows name of a Linux path (Wine's drive Z:).
std::string Windows_Path(const std::string& unix_path);

struct Session {
  bool terminal = false;  // runs in a pseudo-terminal, so Wine gives it a console
  Child child;            // the program: its input, its output and error together
  std::string output;     // everything it has written so far
  size_t seen = 0;        // where the next Expect starts looking (in Visible when terminal)
};

// Starts a Windows program under Wine in `folder`.
Session Start(const std::string& exe, const std::vector<std::string>& args,
              const std::string& folder);

// Starts a Windows program under Wine in a pseudo-terminal of 120 columns.
Session Start_In_Terminal(const std::string& exe, const std::string& folder);

// What a terminal shows of the output: without Wine's escape sequences and
// carriage returns.
std::string Visible(const std::string& output);

// Waits until `text` appears in the output after what earlier calls saw.
testing::AssertionResult Expect(Session& s, const std::string& text, int seconds = 30);

// Types bytes to the program's standard input.
void Send(Session& s, const std::string& bytes);

// Closes its input and waits for the end; the exit status, or -1 when it had
// to be killed after `seconds`. `unread`, when given, gets how many of the
// bytes sent to it the program never read.
int Finish(Session& s, int seconds = 30, int* unread = nullptr);

// Runs a program to its end with the given input; gives back its output.
std::string Run(const std::string& exe, const std::vector<std::string>& args,
                const std::string& folder, const std::string& input = "", int* status = nullptr);

// LF line ends as the CR LF that the Windows program writes to a pipe.
std::string Crlf(const std::string& text);

// The file's inode: a new one after a file was put in place of the old one.
ino_t Inode(const std::string& path);

// The DOS attributes that Wine keeps for a file ("0x2" for hidden alone), or
// "" when there are none.
std::string Dos_Attributes(const std::string& path);
