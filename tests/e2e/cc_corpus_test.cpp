// The companion on a corpus of beginners' programs (tests/cc_corpus/, listed
// with the hints each must get in expected.txt), each compiled with the real
// g++ speaking English, UTF-8 Chinese and GBK Chinese: every hint expected,
// and no other, on its line; g++'s bytes and status passed on untouched.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "cc/catalogue.h"
#include "e2e/pty_session.h"
#include "process.h"
#include "test_text.h"

namespace fs = std::filesystem;

namespace {

const std::string CORPUS = TWS_CORPUS;

struct Program {
  std::string path;                                // under the corpus
  std::string options;                             // the compile options
  std::vector<std::pair<int, std::string>> hints;  // line and situation, each
};

// A program as a failure names it.
void PrintTo(const Program& p, std::ostream* os) {
  *os << p.path << " " << p.options;
}

std::string Trim(const std::string& text) {
  size_t first = text.find_first_not_of(' ');
  return first == std::string::npos ? ""
                                    : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::vector<Program> Read_Table() {
  std::vector<Program> table;
  std::ifstream file(CORPUS + "/expected.txt");
  for (std::string line; std::getline(file, line);) {
    size_t bar = line.find('|'), bar2 = line.find('|', bar + 1);
    if (line.empty() || line[0] == '#' || bar2 == std::string::npos) continue;
    Program p{Trim(line.substr(0, bar)), Trim(line.substr(bar + 1, bar2 - bar - 1)), {}};
    std::stringstream hints(line.substr(bar2 + 1));
    for (std::string hint; std::getline(hints, hint, ',');) {
      std::stringstream words(hint);
      int at = 0;
      std::string situation;
      if (words >> at >> situation) p.hints.push_back({at, situation});
    }
    table.push_back(p);
  }
  return table;
}

// The three ways g++ may speak.
const std::map<std::string, std::map<std::string, std::string>> FORMS = {
    {"English", {{"LC_ALL", "C"}, {"LANG", ""}, {"LANGUAGE", ""}}},
    {"UTF-8 Chinese", {{"LC_ALL", "zh_CN.UTF-8"}, {"LANGUAGE", "zh_CN"}}},
    {"GBK Chinese", {{"LC_ALL", "zh_CN.GBK"}, {"LANGUAGE", "zh_CN"}}},
};

// The hint a situation gives at `line` of `file`, as a pattern: its words
// may be anything, and a list names the line among its own.
std::regex Hint_Pattern(const std::string& file, int line, const std::string& id) {
  std::string means;  // every text the situation has, as alternatives
  for (size_t i = 0; i < Situation_Count(); ++i)
    if (id == Situation_At(i).id)
      means += std::string(means.empty() ? "" : "\x01") + Situation_At(i).means;
  std::string where = file + (line > 0 ? " 第 " + std::to_string(line) + " 行：" : "：");
  if (id == "generic") means = "编译器在这里报告了一个错误";
  if (id == "fullwidth" || id == "invisible")
    return std::regex("^" + file + " [\\s\\S]*第 " + std::to_string(line) + " 行第");
  if (id == "gbk-source" || line == 0) where = line > 0 ? file + " " : "(" + file + "：)?";
  means = std::regex_replace(means, std::regex(R"(\{line\})"), std::to_string(line));
  means = std::regex_replace(means, std::regex(R"([.^$|()\[\]{}*+?\\])"), R"(\$&)");
  means = std::regex_replace(means, std::regex(R"(\\\{[a-z0-9]+\\\})"), "[\\s\\S]*");
  means = std::regex_replace(means, std::regex("\x01"), "|");
  return std::regex("^" + where + "(" + (means.empty() ? "unknown situation " + id : means) + ")");
}

// The hints after g++'s own words, each without its number.
std::vector<std::string> Hints_In(const std::string& added) {
  std::vector<std::string> hints;
  std::regex number(R"((^|\n)\d+\. )");
  std::sregex_token_iterator it(added.begin(), added.end(), number, -1), end;
  for (++it; it != end; ++it) hints.push_back(*it);
  return hints;
}

// A g++ in front of the real one that keeps a copy of what it wrote. It finds
// the shared precompiled <bits/stdc++.h> first (g++ passes over it where the
// options differ); the include chain in its words then names the header it was
// made from, a line the hints pass over.
const char* const KEEPER =
    "#!/bin/sh\n/usr/bin/g++ -I\"$TWS_PCH\" \"$@\" >\"$TWS_KEEP.out\" 2>\"$TWS_KEEP.err\"\n"
    "status=$?\n"
    "cat \"$TWS_KEEP.out\"; cat \"$TWS_KEEP.err\" >&2; echo $status >\"$TWS_KEEP.status\"\n"
    "exit $status\n";

struct Corpus_Test : ::testing::TestWithParam<Program> {
  static std::string bin;  // the companion and the keeper, shared by every program
  std::string folder = Make_Temp_Folder();
  static void SetUpTestSuite() {
    bin = Make_Temp_Folder();
    fs::copy_file(TWS_COMPANION, bin + "/tarnwickstone-cc");
    Write_File_Bytes(bin + "/g++", KEEPER);
    chmod((bin + "/g++").c_str(), 0755);
  }
  static void TearDownTestSuite() { fs::remove_all(bin); }
  ~Corpus_Test() override { fs::remove_all(folder); }
};
std::string Corpus_Test::bin;

void Check_Hints(const Program& p, const std::string& form, const std::string& added) {
  std::string file = fs::path(p.path).filename().string();
  std::vector<std::string> hints = Hints_In(added);
  std::vector<bool> expected(hints.size(), false);
  for (const auto& [line, id] : p.hints) {
    bool found = false;
    for (size_t i = 0; i < hints.size(); ++i)
      if (std::regex_search(hints[i], Hint_Pattern(file, line, id))) found = expected[i] = true;
    EXPECT_TRUE(found) << form << ": no hint \"" << id << "\" on line " << line << " in:\n"
                       << Escaped(added);
  }
  for (size_t i = 0; i < hints.size(); ++i)
    EXPECT_TRUE(expected[i]) << form << ": a hint not expected:\n" << Escaped(hints[i]);
}

TEST_P(Corpus_Test, GetsTheHintsExpectedAndPassesTheCompilerOn) {
  const Program& p = GetParam();
  std::string name = fs::path(p.path).filename().string();
  fs::copy_file(CORPUS + "/" + p.path, folder + "/" + name);
  std::vector<std::string> argv = {bin + "/tarnwickstone-cc"};
  std::stringstream options(p.options);
  for (std::string option; options >> option;) argv.push_back(option);
  for (const char* word : {"-g", "-o", "a.exe"}) argv.push_back(word);
  argv.push_back(name);
  // The three at once: the machine has cores to spare while g++ reads its headers.
  std::map<std::string, Child> running;
  for (const auto& [form, env] : FORMS) {
    Spawn_Options o;
    o.folder = folder;
    o.env = env;
    o.env["TWS_KEEP"] = folder + "/" + form;
    o.env["TWS_PCH"] = TWS_CORPUS_PCH;
    // No precompiled header made in the background: the keeper would record its compile too.
    o.env["TARNWICKSTONE_CC_NO_PCH"] = "1";
    o.errors = ERRORS_APART;
    running[form] = Spawn(argv, o);
  }
  for (auto& [form, child] : running) {
    std::string out, err;
    int status = Wait_End(child, out, 120000, nullptr, &err);
    std::string kept = folder + "/" + form;
    EXPECT_EQ(status, std::atoi(Read_File_Bytes(kept + ".status").c_str())) << form;
    EXPECT_EQ(out, Read_File_Bytes(kept + ".out")) << form;
    std::string said = Read_File_Bytes(kept + ".err");
    ASSERT_EQ(err.substr(0, said.size()), said) << form;
    // GCC's catalogue must have spoken, or the form proves nothing.
    if (form != "English" && status != 0 && said.find("ld returned") == std::string::npos) {
      EXPECT_NE(said.find(form == "GBK Chinese" ? "\xA3\xBA" : "："), std::string::npos)
          << form << " is not what g++ spoke: " << Escaped(said.substr(0, 300));
    }
    std::string added = err.substr(said.size());
    if (!added.empty()) {
      EXPECT_EQ(added.find("\n中文提示（tarnwickstone-cc）：\n"), 0u) << form;
    }
    Check_Hints(p, form, added);
  }
}

// The shared header is one g++ uses (-H marks it "!", and "x" those passed
// over), or every compile of a <bits/stdc++.h> program would read the whole
// library again.
TEST(Corpus, SharesOnePrecompiledHeaderThatTheCompilerUses) {
  std::string folder = Make_Temp_Folder();
  Write_File_Bytes(folder + "/a.cpp", "#include <bits/stdc++.h>\nint main() {}\n");
  Spawn_Options here;
  here.folder = folder;
  for (const char* options : {"-Wall", "-O2 -Wall"}) {
    std::vector<std::string> argv = {"/usr/bin/g++", "-I" TWS_CORPUS_PCH, "-g"};
    std::istringstream words(options);
    for (std::string word; words >> word;) argv.push_back(word);
    argv.insert(argv.end(), {"-H", "-fsyntax-only", "a.cpp"});
    Process_Run run = Run_Process(argv, here);
    EXPECT_EQ(run.status, 0) << options << ": " << run.out;
    EXPECT_NE(run.out.find("! " TWS_CORPUS_PCH "/bits/stdc++.h.gch/"), std::string::npos)
        << options << ": " << run.out.substr(0, 300);
  }
  fs::remove_all(folder);
}

INSTANTIATE_TEST_SUITE_P(Corpus, Corpus_Test, ::testing::ValuesIn(Read_Table()),
                         [](const auto& info) {
                           std::string name = info.param.path.substr(0, info.param.path.size() - 4);
                           for (char& c : name)
                             c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                           return name;
                         });

}  // namespace
