// The command interpreter on POSIX. There is no cmd.exe here, so the few
// command forms the pages issue are carried out directly, with the behaviour
// the pages expect; words never pass through a shell.
#include <unistd.h>

#include <cstdlib>

#include "platform/posix_internal.h"

namespace {
bool Starts_With(const std::string& text, const std::string& head) {
  return text.compare(0, head.size(), head) == 0;
}

// The text without one pair of double quotes around it, when it has them.
std::string Unquote(const std::string& text) {
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
    return text.substr(1, text.size() - 2);
  return text;
}

// A command's status as a shell reports it: NOT_FOUND or NOT_RUNNABLE for a
// program that could not be started, 128+N after signal N.
int Status_Of(const Program_End& end) {
  if (end.signaled) return 128 + static_cast<int>(end.code);
  return static_cast<int>(end.code);
}

// Runs the words as a program and its arguments, waits, gives its status.
int Run_Words(std::vector<std::string> words) {
  if (words.empty()) return 0;
  std::string program = Find_Program(words[0]);
  if (!program.empty()) words[0] = program;  // else exec says why it cannot
  return Status_Of(Run_Program(words));
}

// Opens the file in the user's editor and waits for it.
int Edit(const std::string& path) {
  std::string editor = Environment_Variable("VISUAL");
  if (editor.empty()) editor = Environment_Variable("EDITOR");
  for (const char* fallback : {"nano", "vi"})
    if (editor.empty() && !Find_Program(fallback).empty()) editor = fallback;
  if (editor.empty()) {
    // Rather than the shell's "vi: not found": what is missing and what to do.
    Write_Out(
        "没有找到文本编辑器。请安装 nano（sudo apt install nano），"
        "或者把环境变量 EDITOR 设为你用的编辑器。\n");
    return NOT_FOUND;
  }
  // The variable may carry options, so a shell reads it; the path is passed
  // as an argument, never pasted into the shell's text, and never read as an option.
  std::string file = path.empty() || path[0] != '-' ? path : "./" + path;
  return Status_Of(Run_Program({"/bin/sh", "-c", editor + " \"$1\"", "sh", file}));
}

// A new tmux window in the current folder for the program; false when tmux refuses.
bool Start_In_Tmux(const std::string& title, const std::vector<std::string>& words) {
  std::vector<std::string> argv = {"tmux", "new-window"};
  char* folder = getcwd(nullptr, 0);
  if (folder) argv.insert(argv.end(), {"-c", folder});
  std::free(folder);
  if (!title.empty()) argv.insert(argv.end(), {"-n", title});
  argv.push_back("--");
  argv.insert(argv.end(), words.begin(), words.end());
  return Status_Of(Run_Program(argv)) == 0;
}

// A new terminal window for the program; false when there is none to open.
bool Start_In_Terminal(const std::string& title, const std::vector<std::string>& words) {
  std::string terminal = Find_Program("x-terminal-emulator");
  if (terminal.empty()) return false;
  std::vector<std::string> argv = {terminal};
  if (!title.empty()) argv.insert(argv.end(), {"-T", title});
  argv.push_back("-e");
  argv.insert(argv.end(), words.begin(), words.end());
  return Start_Detached(argv);
}

// start "T" PROG ARGS: a new window where there is one to open, else this console.
int Start(const std::string& rest) {
  std::vector<std::string> words = Split_Words(rest);
  std::string title;
  // Only a first word written in quotes is a title, as start takes it.
  size_t first = rest.find_first_not_of(" \t");
  if (first != std::string::npos && rest[first] == '"' && !words.empty()) {
    title = words.front();
    words.erase(words.begin());
  }
  if (words.empty()) return 1;
  std::string program = Find_Program(words[0]);
  if (program.empty()) return NOT_FOUND;
  words[0] = program;
  if (!Environment_Variable("TMUX").empty() && Start_In_Tmux(title, words)) return 0;
  if ((!Environment_Variable("DISPLAY").empty() ||
       !Environment_Variable("WAYLAND_DISPLAY").empty()) &&
      Start_In_Terminal(title, words))
    return 0;
  // No window to open: the program shares this console, and is waited for
  // so that its output is seen before the page goes on.
  return Run_Program(words).started ? 0 : NOT_FOUND;
}

// The title text, without bytes that would end or garble the escape sequence.
std::string Title_Text(const std::string& text) {
  std::string clean;
  for (char c : text)
    if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7f) clean += c;
  return clean;
}
}  // namespace

std::vector<std::string> Split_Words(const std::string& text) {
  std::vector<std::string> words;
  std::string word;
  bool in_word = false;  // also true for a word that is so far only quotes
  bool quoted = false;
  for (char c : text) {
    if (c == '"') {
      quoted = !quoted;
      in_word = true;
    } else if (!quoted && (c == ' ' || c == '\t')) {
      if (in_word) words.push_back(word);
      word.clear();
      in_word = false;
    } else {
      word += c;
      in_word = true;
    }
  }
  if (in_word) words.push_back(word);
  return words;
}

int Command(const std::string& command) {
  if (command.find('\0') != std::string::npos) return 1;
  if (command == "cls") {
    Write_Out("\x1b[H\x1b[2J\x1b[3J");  // the scrollback too, as a new console page has none
    return 0;
  }
  if (command == "pause") {
    Pause_For_Key();
    return 0;
  }
  if (Starts_With(command, "title ")) {
    if (isatty(STDOUT_FILENO)) Write_Out("\x1b]0;" + Title_Text(command.substr(6)) + "\x07");
    return 0;
  }
  if (Starts_With(command, "notepad.exe ")) return Edit(Unquote(command.substr(12)));
  if (Starts_With(command, "cmd /c")) return Run_Words(Split_Words(Unquote(command.substr(6))));
  if (Starts_With(command, "start ")) return Start(command.substr(6));
  return Status_Of(Run_Program({"/bin/sh", "-c", command}));
}
