// Where a crash happened, as the launcher names it: every program of
// tests/crashes built with the real g++ in a Chinese folder and run through
// the launcher. Each program's first comment lines say what it needs and
// what the launcher must say of it:
//   // 编译：FLAGS   the compile options after -g (-O0 when none is given)
//   // 输入：TEXT    its standard input
//   // 期望：LINE    a line the launcher must write; {N} stands for any number,
//                   {5|7} for either (a stack overflow may come at either line)
//   // 期望：（没有出错位置）   it must name no place at all
//   // 不应：TEXT    a text the launcher must not write anywhere (a false sentence)
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <regex>
#include <sstream>

#include "e2e/piped_run.h"
#include "e2e/pty_session.h"
#include "process.h"
#include "test_text.h"

namespace fs = std::filesystem;

namespace {

const std::string NO_PLACE = "（没有出错位置）";

struct Crash_Program {
  std::string flags = "-O0";
  std::string input;
  std::vector<std::string> expected;
  std::vector<std::string> false_words;
};

Crash_Program Read_Program(const std::string& source) {
  Crash_Program program;
  std::istringstream lines(Read_File_Bytes(source));
  for (std::string line; std::getline(lines, line) && line.rfind("// ", 0) == 0;) {
    std::string text = line.substr(3);
    auto value = [&](const std::string& key) { return text.substr(key.size()); };
    if (text.rfind("编译：", 0) == 0) program.flags = value("编译：");
    if (text.rfind("输入：", 0) == 0) program.input = value("输入：") + "\n";
    if (text.rfind("期望：", 0) == 0) program.expected.push_back(value("期望："));
    if (text.rfind("不应：", 0) == 0) program.false_words.push_back(value("不应："));
  }
  return program;
}

// The expected line as a pattern: {N} is any number, {5|7} either number,
// the rest as it stands.
std::regex Line_Pattern(const std::string& line) {
  std::string pattern;
  for (size_t at = 0; at < line.size(); at++) {
    size_t close = line.find('}', at);
    if (line[at] == '{' && close != std::string::npos) {
      std::string inside = line.substr(at + 1, close - at - 1);
      pattern += inside == "N" ? "[0-9]+" : "(" + inside + ")";
      at = close;
    } else {
      if (std::string("\\^$.|?*+()[]{}").find(line[at]) != std::string::npos) pattern += '\\';
      pattern += line[at];
    }
  }
  return std::regex("(^|\n)" + pattern + "\n");
}

TEST(CrashLocation, EachCrashIsNamedOnItsLineAndACleanEndIsNot) {
  if (access("/usr/bin/g++", X_OK) != 0) GTEST_SKIP() << "no /usr/bin/g++ to compile with";
  std::string folder = Make_Temp_Folder() + "/中文 文件夹";
  fs::create_directory(folder);
  int programs = 0;
  for (const auto& entry : fs::directory_iterator(TWS_CRASH_PROGRAMS)) {
    if (entry.path().extension() != ".cpp") continue;  // the folder's .clang-format
    std::string name = entry.path().filename().string();
    std::string stem = entry.path().stem().string();
    SCOPED_TRACE(name);
    Crash_Program program = Read_Program(entry.path().string());
    ASSERT_FALSE(program.expected.empty()) << "no 期望 line";
    fs::copy_file(entry.path(), folder + "/" + name);
    std::vector<std::string> compile = {"/usr/bin/g++", "-g"};
    std::istringstream flags(program.flags);
    for (std::string flag; flags >> flag;) compile.push_back(flag);
    compile.insert(compile.end(), {"-o", folder + "/" + stem + ".exe", folder + "/" + name});
    Process_Run built = Run_Process(compile);
    ASSERT_EQ(built.status, 0) << built.out;
    // Generous: under the sanitizers, walking a deep recursion takes seconds.
    Piped_Run run = Run_Piped({TWS_LAUNCHER, stem + ".exe"}, folder, program.input + "x", 120000);
    std::string out = run.out;
    if (program.expected[0] == NO_PLACE) {
      EXPECT_EQ(out.find("出错位置"), std::string::npos) << Escaped(out);
    } else {
      for (const std::string& line : program.expected)
        EXPECT_TRUE(std::regex_search(out, Line_Pattern(line))) << line << "\nin:\n"
                                                                << Escaped(out);
    }
    for (const std::string& words : program.false_words)
      EXPECT_EQ(out.find(words), std::string::npos) << words << "\nin:\n" << Escaped(out);
    programs++;
  }
  fs::remove_all(fs::path(folder).parent_path());
  EXPECT_GE(programs, 40);
}

}  // namespace
