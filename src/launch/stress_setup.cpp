// What 对拍 needs before its first round: the generator and the brute force
// found by name beside the program, compiled when their executables are
// missing or older than their sources, and run as the samples run.
#include <algorithm>

#include "common/compiler.h"
#include "launch/stress.h"

const long long HELPER_TIMES = 10;

namespace {

const size_t SOURCE_MOST = 4u << 20;     // more than any contest program's source
const size_t PROGRAM_MOST = 256u << 20;  // more than any contest program
const std::string PRODUCER = "GNU C++";  // how g++ -g starts its record of the options
// When the program's own options are not known; -g always, so that a
// helper's crash is named on its line as the program's is.
const std::vector<std::string> DEFAULT_OPTIONS = {"-O2", "-g"};

bool Is_Source(const std::string& lower) {
  return lower.size() > 4 && lower.compare(lower.size() - 4, 4, ".cpp") == 0;
}

// The source in `entries` called `name` (in lower case, letter case aside); "" none.
std::string Source_Named(const std::vector<Folder_Entry>& entries, const std::string& folder,
                         const std::string& name) {
  for (const Folder_Entry& entry : entries)
    if (entry.kind == ENTRY_FILE && Lower(entry.name) == name) return folder + entry.name;
  return "";
}

// The words of the g++ record in the program that say how it was compiled:
// "GNU C++17 12.2.0 -mtune=generic -march=x86-64 -g -O2 -std=c++17". Only
// when there is one such record: another (a library's) would make it a guess.
std::string Recorded_Options(const std::string& program) {
  std::string bytes, record;
  if (!Read_Bytes(program, PROGRAM_MOST, bytes)) return "";
  for (size_t at = bytes.find(PRODUCER); at != std::string::npos;
       at = bytes.find(PRODUCER, at + 1)) {
    size_t end = bytes.find('\0', at);
    std::string found = bytes.substr(at, end == std::string::npos ? end : end - at);
    if (!record.empty() && found != record) return "";
    record = found;
  }
  return record;
}

// Whether the executable was made after its source was last changed.
bool Fresh(const std::string& exe, const std::string& source) {
  File_Stamp made{0, 0}, written{0, 0};
  return Stamp_File(exe, made) && Stamp_File(source, written) && made.written >= written.written;
}

// A new empty file beside the executable `exe` that no other launcher has:
// "X_gen.~N.exe", still named as a program, so that g++ adds no ending of its own.
bool Own_File_Beside(const std::string& exe, std::string& own, std::string* err) {
  for (int n = 0; n < 100; ++n) {
    own = exe.substr(0, exe.size() - 4) + ".~" + std::to_string(n) + ".exe";
    if (Create_Empty_File(own, err)) return true;
    if (Path_Status(own) == PATH_MISSING) return false;  // not taken: refused
  }
  return false;
}

}  // namespace

Stress_Pair Find_Stress_Pair(const std::string& program) {
  Stress_Pair pair;
  std::string folder = program.substr(0, program.size() - Base_Name(program).size());
  std::string stem = Lower(Program_Stem(program));
  std::vector<Folder_Entry> entries;
  if (!List_Folder(folder.empty() ? "." : folder, entries)) return pair;
  pair.generator = Source_Named(entries, folder, stem + "_gen.cpp");
  pair.brute = Source_Named(entries, folder, stem + "_brute.cpp");
  // gen.cpp and brute.cpp belong to the program only when no other source
  // in the folder could claim them.
  const std::string own[] = {stem + ".cpp", stem + "_gen.cpp",     stem + "_brute.cpp", "gen.cpp",
                             "brute.cpp",   stem + "_checker.cpp", "checker.cpp",       "spj.cpp"};
  for (const Folder_Entry& entry : entries) {
    std::string lower = Lower(entry.name);
    if (Is_Source(lower) && std::find(std::begin(own), std::end(own), lower) == std::end(own))
      return pair;
  }
  if (pair.generator.empty()) pair.generator = Source_Named(entries, folder, "gen.cpp");
  if (pair.brute.empty()) pair.brute = Source_Named(entries, folder, "brute.cpp");
  return pair;
}

std::string Executable_Of(const std::string& source) {
  return source.substr(0, source.size() - 4) + ".exe";
}

std::vector<std::string> Compile_Options(const std::string& program) {
  std::string record = Recorded_Options(program);
  if (record.empty()) return DEFAULT_OPTIONS;
  std::vector<std::string> options;
  size_t start = 0;
  while (start < record.size()) {
    size_t end = std::min(record.find(' ', start), record.size());
    std::string word = record.substr(start, end - start);
    if (word.compare(0, 5, "-std=") == 0 || word.compare(0, 2, "-O") == 0 || word == "-g")
      options.push_back(word);
    start = end + 1;
  }
  return options;
}

bool Compile_Helper(const std::string& source, const std::vector<std::string>& options,
                    const std::string& purpose) {
  std::string exe = Executable_Of(source);
  if (Fresh(exe, source)) return true;
  std::string compiler = Find_Compiler();
  if (compiler.empty()) {
    Write_Out(Not_Found_Text() + "要" + purpose + "，先要编译 " + Shown_Path(Base_Name(source)) +
              "。\n");
    return false;
  }
  std::string shown = "g++";
  for (const std::string& word : options) shown += " " + word;
  Write_Out("正在编译 " + Shown_Path(Base_Name(source)) + "：" + shown + " -o " + Shown_Path(exe) +
            " " + Shown_Path(source) + "\n");
  // Into a file of this launcher's own, then put in place in one step: a
  // launcher beside it runs the old program or the new, never a half-written one.
  std::string own, out, errors, why;
  if (!Own_File_Beside(exe, own, &why)) {
    Write_Out("无法编译 " + Shown_Path(Base_Name(source)) + "（" + why + "），没有" + purpose +
              "。\n");
    return false;
  }
  std::vector<std::string> argv = {compiler};
  argv.insert(argv.end(), options.begin(), options.end());
  argv.insert(argv.end(), {"-o", own, source});
  Program_End end = Relay_Program(argv, out, errors, &why);
  bool made = end.started && !end.signaled && end.code == 0;
  // Another launcher may have put its own in place meanwhile, which serves as well.
  if (made && !Replace_File(own, exe, &why) && !Fresh(exe, source)) {
    Write_Out("无法把编译好的程序放到 " + Shown_Path(exe) + "（" + why + "），没有" + purpose +
              "。\n");
    made = false;
  }
  Remove_File(own);
  if (!end.started) Write_Out("无法启动编译器 " + Shown_Path(compiler) + "：" + why + "。\n");
  if (made || !end.started) return made;
  Write_Out(Shown_Path(Base_Name(source)) +
            (end.signaled ? " 的编译被中断了" : " 编译失败（见上面编译器的话）") + "，没有" +
            purpose + "。\n");
  return false;
}

Tested_Program Helper_Program(const std::string& source, const Problem_Limits& limits,
                              const std::string& stem) {
  std::string text;
  Read_Bytes(source, SOURCE_MOST, text);  // unread, it opens no files but its own
  Problem_Limits own = limits;
  own.time_us *= HELPER_TIMES;
  own.tolerance = Tolerance{};
  return Program_For({Explicit_Path(Executable_Of(source))}, stem, Scan_Source(text), own);
}
