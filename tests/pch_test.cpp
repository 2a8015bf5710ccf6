// Which compiles the precompiled <bits/stdc++.h> may serve: a source whose
// first include it is, options that leave g++'s words as they are, and the
// first line by which g++ says it could not use the header, the failures
// that send a compile back to plain g++, and the header's digest.
#include <gtest/gtest.h>

#include "cc/pch.h"
#include "test_text.h"

namespace {

struct Head {
  const char* text;
  int line;  // of the include that may be precompiled; 0 for none
};

TEST(Pch, TheFirstIncludeCountsOnlyAfterBlankLinesAndQuietComments) {
  const Head heads[] = {
      {"#include <bits/stdc++.h>\nusing namespace std;\n", 1},
      {"// A\n\n/* by me\n   2024 */\n#include<bits/stdc++.h>\n", 5},
      {"\xEF\xBB\xBF#include <bits/stdc++.h>\r\nint main() {}\r\n", 1},  // Notepad's BOM, CR LF
      {"  /* a */ #  include   <bits/stdc++.h>   // everything\n", 1},
      {"#define int long long\n#include <bits/stdc++.h>\n", 0},
      {"#pragma GCC optimize(2)\n#include <bits/stdc++.h>\n", 0},
      {"#include <iostream>\n#include <bits/stdc++.h>\n", 0},
      {"#include \"bits/stdc++.h\"\n", 0},
      {"#include <bits/stdc++.h> /* more */\n", 0},
      {"/* /* nested */\n#include <bits/stdc++.h>\n", 0},  // -Wcomment would speak
      {"// continued \\\n#include <bits/stdc++.h>\n", 0},
      {"/* never closed\n#include <bits/stdc++.h>\n", 0},
      {"int x;\n", 0},
      {"", 0},
  };
  for (const Head& head : heads) {
    std::string include;
    EXPECT_EQ(Stdcpp_Include_Line(head.text, include), head.line) << Escaped(head.text);
    if (head.line > 0) {
      EXPECT_NE(include.find("stdc++.h>"), std::string::npos);
      EXPECT_EQ(include.find_first_of("\r\n"), std::string::npos);
    }
  }
}

struct Words {
  std::vector<std::string> args;
  std::string options;  // the header's options, joined by spaces; "-" when it cannot serve
};

TEST(Pch, OnlyOptionsThatChangeNothingElseMayUseIt) {
  const Words cases[] = {
      {{"-g", "-o", "a.exe", "a.cpp"}, "-g"},
      {{"-O2", "-std=c++14", "-Wall", "-DLOCAL", "-D", "N=5", "-g", "-o", "a b.exe", "a b.cpp"},
       "-O2 -std=c++14 -Wall -DLOCAL -D N=5 -g"},
      // What only the linker reads is left out of the header's making.
      {{"-Wl,--stack=268435456", "-static", "-lm", "-s", "-oa.exe", "a.cc"}, ""},
      {{"-fexec-charset=GBK", "-march=native", "-pthread", "-c", "x.C"},
       "-fexec-charset=GBK -march=native -pthread -c"},
      {{"-I", "inc", "a.cpp"}, "-"},
      {{"-Iinc", "a.cpp"}, "-"},
      {{"-include", "x.h", "a.cpp"}, "-"},
      {{"-E", "a.cpp"}, "-"},
      {{"-S", "a.cpp"}, "-"},
      {{"-MD", "a.cpp"}, "-"},
      {{"-H", "a.cpp"}, "-"},
      {{"-v", "a.cpp"}, "-"},
      {{"-x", "c++", "a.txt"}, "-"},
      {{"-Winvalid-pch", "a.cpp"}, "-"},
      {{"-Wp,-MD,d", "a.cpp"}, "-"},
      {{"-fpch-preprocess", "a.cpp"}, "-"},
      {{"-fsyntax-only", "a.cpp"}, "-"},
      {{"-save-temps", "a.cpp"}, "-"},
      {{"a.cpp", "b.cpp"}, "-"},
      {{"a.cpp", "lib.o"}, "-"},
      {{"a.c"}, "-"},
      {{"-o", "a.exe"}, "-"},
      {{"a.cpp", "-o"}, "-"},
  };
  for (const Words& w : cases) {
    Pch_Plan plan;
    std::string joined = "-";
    if (Pch_Options(w.args, plan)) {
      joined.clear();
      for (const std::string& option : plan.options) joined += (joined.empty() ? "" : " ") + option;
    }
    EXPECT_EQ(joined, w.options) << w.args.front() << " ... " << w.args.back();
  }
}

TEST(Pch, GxxRefusesItWhenItsFirstLineNamesTheHeaderOrItsInclude) {
  Pch_Plan plan;
  plan.source = "C:\\oi\\a.cpp";
  plan.line = 3;
  EXPECT_TRUE(Pch_Refused(plan, "C:\\oi\\a.cpp:3:10: fatal error: had to relocate PCH"));
  EXPECT_TRUE(Pch_Refused(plan,
                          "mingw32_gt_pch_use_address:host-mingw32.c:190: "
                          "MapViewOfFileEx: Attempt to access invalid address."));
  EXPECT_TRUE(Pch_Refused(plan, "C:\\oi\\a.cpp:3:10: 致命错误：不得不重新定位 PCH"));
  // In colour, and an internal error where the header is read.
  EXPECT_TRUE(Pch_Refused(plan,
                          "\x1b[01m\x1b[KC:\\oi\\a.cpp:3:10:\x1b[m\x1b[K \x1b[01;31m\x1b[K"
                          "internal compiler error: \x1b[m\x1b[KSegmentation fault"));
  EXPECT_FALSE(Pch_Refused(plan, "C:\\oi\\a.cpp: In function 'int main()':"));
  EXPECT_FALSE(Pch_Refused(plan, "C:\\oi\\a.cpp:7:5: error: expected ';' before 'return'"));
  EXPECT_FALSE(Pch_Refused(plan, "In file included from C:/mingw64/include/c++/algorithm:61,"));
  EXPECT_FALSE(Pch_Refused(plan, ""));
}

TEST(Pch, AnyFailureTheHeaderCouldHaveCausedSendsTheCompileBackToGxx) {
  Pch_Plan plan;
  plan.source = "a.cpp";
  plan.line = 1;
  plan.entry = "/home/s/.cache/tarnwickstone/pch/0123456789abcdef";
  const Program_End failed{true, false, 1}, passed{true, false, 0};
  const std::string normal = "a.cpp: In function 'int main()':\na.cpp:7:5: error: expected ';'\n";
  // An internal error on any line, in English or Chinese, and in colour.
  EXPECT_TRUE(Cache_Failure(
      plan, normal + "a.cpp:9:1: internal compiler error: Segmentation fault\n", failed));
  EXPECT_TRUE(Cache_Failure(plan, normal + "a.cpp:9:1: 内部编译器错误：段错误\n", failed));
  EXPECT_TRUE(Cache_Failure(
      plan, "\x1b[01;31m\x1b[KINTERNAL COMPILER ERROR: \x1b[m\x1b[Kin ggc_pch_read\n", failed));
  // Any word of a precompiled header, or of the entry itself.
  EXPECT_TRUE(
      Cache_Failure(plan, normal + "cc1plus: error: one or more PCH files were found\n", failed));
  EXPECT_TRUE(Cache_Failure(plan, plan.entry + "/bits/stdc++.h.gch: not a valid file\n", failed));
  EXPECT_TRUE(Cache_Failure(plan, "a.cpp:1:10: fatal error: had to relocate PCH\n", failed));
  // Killed, or crashed (a Windows crash is a status past 255); not Ctrl+C.
  EXPECT_TRUE(Cache_Failure(plan, "", {true, true, 11}));
  EXPECT_TRUE(Cache_Failure(plan, "", {true, true, 9}));
  EXPECT_TRUE(Cache_Failure(plan, "", {true, false, 0xC0000005LL}));
  EXPECT_FALSE(Cache_Failure(plan, "", {true, true, 2}));
  // The student's own faults, and a compile that passed whatever it said.
  EXPECT_FALSE(Cache_Failure(plan, normal, failed));
  EXPECT_FALSE(Cache_Failure(plan, "a.cpp:3:5: warning: unused variable 'x'\n", passed));
  EXPECT_FALSE(Cache_Failure(plan, "", failed));
  // Their words: a file or a name that holds the letters, a source line g++ shows.
  EXPECT_FALSE(Cache_Failure(plan, "epoch.cpp:3:5: error: 'x' was not declared\n", failed));
  EXPECT_FALSE(Cache_Failure(plan,
                             "a.cpp:6:9: error: invalid conversion\n"
                             "    6 |   char* pch = strtok(s, \" \"); // 预编译 .gch\n"
                             "      |         ^~~\n",
                             failed));
}

TEST(Pch, TheDigestTellsAnyChangedByteAndCostsOneRead) {
  std::string folder;
  ASSERT_TRUE(Make_Temp_Folder(folder));
  std::string path = folder + "/h.gch";
  std::string bytes;
  for (long long i = 0; i < 3000000; ++i) bytes += static_cast<char>(i * 7919 % 251);
  Write_File_Bytes(path, bytes);
  std::string digest = Header_Digest(path);
  EXPECT_EQ(digest.size(), 32u);
  EXPECT_EQ(Header_Digest(path), digest);
  // 16 bytes changed in the middle, past a chunk's end, or a byte at the very end.
  for (size_t at : {size_t(1500000), size_t(1048570), bytes.size() - 1}) {
    std::string changed = bytes;
    for (size_t i = at; i < at + 16 && i < changed.size(); ++i) changed[i] ^= 0x5A;
    Write_File_Bytes(path, changed);
    EXPECT_NE(Header_Digest(path), digest) << at;
  }
  Write_File_Bytes(path, bytes + std::string(1, '\0'));  // a zero added at the end
  EXPECT_NE(Header_Digest(path), digest);
  EXPECT_EQ(Header_Digest(folder + "/missing"), "");
  Remove_Tree(folder);
}

}  // namespace
