// The contest's own rules that the launcher reads from files rather than
// from a run: the layout of a CSP/NOIP candidate's folder and the code a
// judge's compile keeps, and the static data of an executable (ELF and PE
// section tables, as the linkers write them).
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "launch/contest_layout.h"
#include "launch/static_data.h"
#include "test_text.h"

namespace fs = std::filesystem;

namespace {

void Put(std::string& bytes, size_t at, unsigned long long value, size_t size) {
  if (bytes.size() < at + size) bytes.resize(at + size);
  for (size_t i = 0; i < size; i++) bytes[at + i] = static_cast<char>(value >> (8 * i));
}

struct Fake_Section {
  const char* name;
  unsigned long long flags;  // ELF's sh_flags, or PE's characteristics
  unsigned long long size;   // sh_size, or PE's virtual size
  bool nobits;               // .bss: no bytes in the file
};

// An ELF64 file with these sections (after the null one) and its name table.
std::string Elf(const std::vector<Fake_Section>& sections) {
  std::string names(1, '\0'), bytes =
                                  "\x7f"
                                  "ELF\x02\x01\x01";
  size_t count = sections.size() + 2, table = 0x1000;
  Put(bytes, 0x28, table, 8);
  Put(bytes, 0x3a, 64, 2);
  Put(bytes, 0x3c, count, 2);
  Put(bytes, 0x3e, count - 1, 2);
  for (size_t i = 0; i < sections.size(); i++) {
    size_t header = table + (i + 1) * 64;
    Put(bytes, header, names.size(), 4);
    names += std::string(sections[i].name) + '\0';
    Put(bytes, header + 4, sections[i].nobits ? 8 : 1, 4);
    Put(bytes, header + 8, sections[i].flags, 8);
    Put(bytes, header + 0x18, 0x40, 8);
    Put(bytes, header + 0x20, sections[i].size, 8);
  }
  size_t header = table + (count - 1) * 64;
  Put(bytes, header + 0x18, bytes.size() + 64, 8);
  Put(bytes, header + 0x20, names.size() + 10, 8);
  bytes += std::string(64, '\0') + names + ".shstrtab" + '\0';
  return bytes;
}

// A PE file with these sections; their raw data is none.
std::string Pe(const std::vector<Fake_Section>& sections) {
  std::string bytes = "MZ";
  size_t pe = 0x80;
  Put(bytes, 0x3c, pe, 4);
  bytes.resize(pe);
  bytes += std::string("PE\0\0", 4);
  Put(bytes, pe + 6, sections.size(), 2);
  Put(bytes, pe + 20, 0xf0, 2);  // the optional header of PE32+
  size_t table = pe + 24 + 0xf0;
  for (size_t i = 0; i < sections.size(); i++) {
    size_t header = table + i * 40;
    Put(bytes, header + 39, 0, 1);
    std::memcpy(&bytes[header], sections[i].name, std::strlen(sections[i].name));
    Put(bytes, header + 8, sections[i].size, 4);
    Put(bytes, header + 36, sections[i].flags, 4);
  }
  return bytes;
}

TEST(StaticData, WritableSectionsOfElfAndPeAreTheProgramsStaticData) {
  const unsigned long long WA = 0x3, AX = 0x6, TLS = 0x403, BIG = 600ULL << 20;
  EXPECT_EQ(Static_Data_Bytes(Elf({{".text", AX, 5000, false},
                                   {".rodata", 0x2, 7000, false},
                                   {".data", WA, 0x100, false},
                                   {".tbss", TLS, 64, true},
                                   {".bss", WA, BIG, true}})),
            static_cast<long long>(BIG + 0x100));
  const unsigned long long CODE = 0x60000020, READ_ONLY = 0x40000040, DATA = 0xC0000040,
                           UNINITIALIZED = 0xC0000080;
  EXPECT_EQ(Static_Data_Bytes(Pe({{".text", CODE, 5000, false},
                                  {".rdata", READ_ONLY, 7000, false},
                                  {".data", DATA, 0x200, false},
                                  {".bss", UNINITIALIZED, BIG, false}})),
            static_cast<long long>(BIG + 0x200));
  EXPECT_EQ(Static_Data_Bytes("#!/bin/sh\necho 1\n"), -1);
  std::string cut = Elf({{".bss", WA, BIG, true}});
  EXPECT_EQ(Static_Data_Bytes(cut.substr(0, 0x1000 + 64)), -1);  // its table runs past the end
  std::string lines =
      Static_Data_Lines({{"1", "a1.in", "a1.ans"}, {"2", "a2.in", "a2.ans"}}, BIG, 512LL << 20);
  EXPECT_EQ(
      lines.find("样例 1：MLE 超出内存限制，全局变量和数组共 600 MB，超过了 512 MB 的内存限制，"
                 "程序没有运行。\n  全局变量和数组在程序开始运行时就要占用内存"),
      0u)
      << lines;
  EXPECT_NE(lines.find("\n样例 2：MLE"), std::string::npos) << lines;
  const std::string summary = "\n通过 0/2\n";
  EXPECT_EQ(lines.substr(lines.size() - summary.size()), summary);
}

TEST(CompiledText, OnlyTheLinesAJudgesCompileKeepsRemain) {
  struct Case {
    const char* source;
    const char* kept;  // the lines of code left, joined
  };
  // clang-format off
  const Case cases[] = {
      {"#ifdef LOCAL\na\n#endif\nb", "b"},
      {"#define LOCAL\r\n#ifdef LOCAL\r\na\r\n#else\r\nb\r\n#endif\r\n", "a\r"},  // CR LF
      {"#ifndef ONLINE_JUDGE\na\n#else\nb\n#endif", "a"},
      {"#define FILE_IO\n#ifdef FILE_IO\na\n#endif", "a"},
      {"#if 0\na\n#elif 1\nb\n#else\nc\n#endif", "b"},
      {"#ifdef LOCAL\n#ifdef X\na\n#endif\n#else\nb\n#endif", "b"},
      {"#if __cplusplus >= 201103L\na\n#else\nb\n#endif", "ab"},      // not told: both kept
      {"#ifdef _WIN32\na\n#endif\n  #  if 0\nb\n  #endif\nc", "ac"},
      {"#define LOCAL\n#undef LOCAL\n#ifdef LOCAL\na\n#endif", ""},
      {"/* switched off:\n#if 0\n*/\na", "/* switched off:#if 0*/a"},           // no directive in a comment
  };
  // clang-format on
  for (const Case& c : cases) {
    std::string text = Compiled_Text(c.source), kept;
    for (char ch : text)
      if (ch != '\n') kept += ch;
    EXPECT_EQ(kept, c.kept) << c.source;
  }
}

struct Layout_Case {
  const char* program;  // under the candidate's folder
  std::vector<const char*> files;
  const char* source;
  const char* note;  // what the note says after "X.cpp 在考场文件夹 X 里，比赛要求程序", or ""
};

TEST(ContestLayout, AProgramThatUsesStandardIoInTheContestsFoldersIsTold) {
  const char* CIN = "int main() { int a; std::cin >> a; std::cout << a; }";
  const char* BOTH =
      "int main() { freopen(\"expand.in\", \"r\", stdin);\n"
      "freopen(\"expand.out\", \"w\", stdout); }";
  // clang-format off
  const Layout_Case cases[] = {
      {"expand/expand", {"expand/expand1.in", "expand/expand1.ans"}, CIN,
       "从 expand.in 读入、把答案写进 expand.out，而它只用了标准输入输出，比赛时这道题会得 0 分：请在 main 函数开头写上 "
       "freopen(\"expand.in\", \"r\", stdin); 和 freopen(\"expand.out\", \"w\", stdout);"},
      {"expand/expand", {"plan/plan.cpp"}, "int main() {\n#ifdef LOCAL\nfreopen(\"expand.in\", \"r\", stdin);\n#endif\n"
       "freopen(\"expand.out\", \"w\", stdout); }",
       "从 expand.in 读入，而它读的是标准输入，比赛时这道题会得 0 分：请在 main 函数开头写上 "
       "freopen(\"expand.in\", \"r\", stdin);（写在注释里或 #ifdef 里的 freopen 比赛时不会执行）"},
      {"expand/expand", {"expand/expand1.in", "expand/expand1.ans"},
       "int main() { // freopen(\"expand.out\", \"w\", stdout);\n std::ifstream in(\"expand.in\"); }",
       "把答案写进 expand.out，而它写的是标准输出，比赛时这道题会得 0 分：请在 main 函数开头写上 "
       "freopen(\"expand.out\", \"w\", stdout);（写在注释里或 #ifdef 里的 freopen 比赛时不会执行）"},
      {"expand/expand", {"expand/expand1.in", "expand/expand1.ans"}, BOTH, ""},
      {"expand/expand", {"expand/expand1.in", "expand/expand1.out"}, CIN, ""},  // no .ans, no other problem
      {"expand/expand", {"plan/"}, CIN, ""},                                  // a folder, no source in it
      {"P1001/P1001", {"P1001/P10011.in", "P1001/P10011.ans"}, CIN, ""},      // Luogu's names
      {"expand", {"expand1.in", "expand1.ans"}, CIN, ""},                     // no problem folder
      {"work/expand", {"work/expand1.in", "work/expand1.ans"}, CIN, ""},      // named otherwise
  };
  // clang-format on
  std::string root = fs::temp_directory_path() / ("tws-ccf-" + std::to_string(getpid()));
  for (const Layout_Case& c : cases) {
    fs::create_directories(root + "/" + fs::path(c.program).parent_path().string());
    for (const char* file : c.files) {
      fs::create_directories(fs::path(root + "/" + file).parent_path());
      if (std::string(file).back() != '/') Write_File_Bytes(root + "/" + file, "");
    }
    std::string program = root + "/" + c.program + ".exe";
    Sample_Set set = Find_Samples(program);
    std::string note = Standard_Io_Note(program, set, c.source), expected = c.note;
    std::string stem = fs::path(c.program).filename();
    if (!expected.empty())
      expected = stem + ".cpp 在考场文件夹 " + stem + " 里，比赛要求程序" + expected;
    EXPECT_EQ(note, expected) << c.program << " " << c.files[0];
    fs::remove_all(root);
  }
}

}  // namespace
