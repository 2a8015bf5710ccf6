// The compiler companion's reading: marks in a source, the code of a source
// and how its brackets nest, the compiler's messages in any language and code
// page, and how the hints are chosen. Whole programs with the real g++ are
// the corpus's (e2e/cc_corpus_test.cpp).
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

#include "cc/catalogue.h"
#include "cc/causes.h"
#include "cc/hints.h"
#include "cc/marks.h"
#include "cc/pattern.h"
#include "cc/records.h"
#include "cc/structure.h"
#include "test_text.h"

namespace {

// Each mark as "line:column:what", what being the ASCII to type or "~" for
// an invisible one (with the name it stands in).
std::string Marks(const std::string& text) {
  std::string list;
  for (const Mark& m : Find_Marks(Make_Source("a.cpp", text)))
    list += std::to_string(m.line) + ":" + std::to_string(m.column) + ":" +
            (m.invisible ? "~" + m.name : std::string(1, Ascii_For(m.code))) + " ";
  return list;
}

TEST(Marks, FoundInCodeButNotInLiteralsOrComments) {
  EXPECT_EQ(Marks("\xEF\xBB\xBFint a，b；\n"), "1:6:, 1:8:; ");  // after a byte-order mark
  EXPECT_EQ(Marks("f（1）; // 注释，；\n/* 块，\n注释； */ g（）;\n"), "1:2:( 1:4:) 3:9:( 3:10:) ");
  EXPECT_EQ(Marks("s = \"，\\\"；\"；c = '，'；\n"), "1:11:; 1:19:; ");
  EXPECT_EQ(Marks("r = R\"x(，)\"；)x\"；u8R\"(；)\"；\n"), "1:16:; 1:25:; ");
  // A line that ends in a backslash goes on: a comment, or a literal, with it.
  EXPECT_EQ(Marks("// 注释 \\\n，还是注释\n；\n"), "3:1:; ");
  EXPECT_EQ(Marks("s = \"ab\\\n，\"；\n"), "2:3:; ");
  // A digit separator opens no character literal; 《》 and the ideographic space count too.
  EXPECT_EQ(Marks("int n = 1'000，m；\n#include 《cstdio》\nint\u3000k;\n"),
            "1:14:, 1:16:; 2:10:< 2:17:> 3:4:  ");
  // A literal left open ends with its line, as the compiler takes it.
  EXPECT_EQ(Marks("s = \"abc；\nt；\n"), "2:2:; ");
  // Invisible characters from web pages, with the name one stands inside.
  EXPECT_EQ(Marks("int s\u200Bum;\na\u00A0+ b;\u200B\n\uFEFFx; \"\u00A0\";\n"),
            "1:6:~sum 2:2:~ 2:7:~ 3:1:~ ");
}

TEST(Marks, FoundInAGbkSourceWhichIsToldApart) {
  Source source =
      Make_Source("a.cpp", "// \xD6\xD0\n int a\xA3\xAC b\xA3\xBB\ns = \"\xD6\xD0\";\n");
  EXPECT_TRUE(source.gbk);
  EXPECT_EQ(source.first_gbk_line, 1);
  EXPECT_EQ(source.gbk_text_line, 3);  // Chinese the program prints, not a comment's
  EXPECT_EQ(Marks(source.text), "2:7:, 2:10:; ");
  EXPECT_FALSE(Make_Source("a.cpp", "int a; // 中文\n").gbk);
}

TEST(Structure, BracketsJudgedByTheIndentation) {
  // The for's "{" is the one left open: the code comes back to its indentation.
  Source open = Make_Source(
      "a.cpp", "int main() {\n    for (;;) {\n        f();\n    g();\n    return 0;\n}\n");
  EXPECT_EQ(Unclosed_Brace(open), 2);
  EXPECT_EQ(Region_End(open, 3), 7);  // a function never closed runs to the end
  EXPECT_EQ(Region_End(Make_Source("a.cpp", "int f() {\n  g(;\n}\nint h;\n"), 2), 3);
  Source extra =
      Make_Source("a.cpp", "int main() {\n    if (a) {\n    }\n    }\n    return 0;\n}\n");
  EXPECT_EQ(Extra_Brace(extra), 4);
  // Without indentation there is nothing sure to say.
  EXPECT_EQ(Unclosed_Brace(Make_Source("a.cpp", "int main() {\nif (a) {\nf();\n}\n")), 0);
  Source code = Make_Source("a.cpp", "if ((a) {\nf(\"(\");\nf(a,\n  b));\n");
  EXPECT_EQ(Open_Parentheses(code, 1), 1);
  EXPECT_EQ(Open_Parentheses(code, 2), 0);  // a bracket in a string is no bracket
  EXPECT_EQ(Open_Parentheses(code, 4), 0);  // a statement over two lines is not judged
}

TEST(Records, ReadTheSameInEveryLanguageQuoteCodePageAndColour) {
  std::vector<Record> list = Read_Records(
      "C:\\Users\\张三\\a.cpp:12:5: error: expected ';' before 'cout'\r\n"
      "a.cpp: 在函数‘int main()’中:\n"
      "a.cpp:3:1: 错误：‘x’在此作用域中尚未声明\n"
      "    3 |     x = 1;\n      |     ^\n"
      "a.cpp:4:2: \xBE\xAF\xB8\xE6\xA3\xBA\xA1\xAEy\xA1\xAF is used uninitialized\n"
      "\x1b[01m\x1b[Ka.cpp:5:\x1b[m\x1b[K \x1b[01;35m\x1b[Knote: \x1b[m\x1b[Kto match this ‘{’\n"
      "g++: error: unrecognized command-line option '-O9x'\n"
      "(.text+0x17): undefined reference to `main'\n"
      "a.cpp:6:3: warning: missing terminating ' character\n"
      "a.cpp:7:9: error: no match for 'operator>>' (operand types are 'std::istream' {aka "
      "'std::basic_istream<char>'} and 'int')\n");
  ASSERT_EQ(list.size(), 9u);
  EXPECT_EQ(list[0].file, "C:\\Users\\张三\\a.cpp");
  EXPECT_EQ(list[0].line, 12);
  EXPECT_EQ(list[0].column, 5);
  EXPECT_EQ(list[0].severity, SEV_ERROR);
  EXPECT_EQ(list[0].text,
            "expected \x01;\x02 before \x01"
            "cout\x02");
  EXPECT_EQ(list[1].severity, SEV_OTHER);
  EXPECT_EQ(list[2].words, std::vector<std::string>{"x"});  // recognised in Chinese
  EXPECT_EQ(list[3].severity, SEV_WARNING);                 // and in GBK
  EXPECT_EQ(list[3].text, "\x01y\x02 is used uninitialized");
  EXPECT_EQ(list[4].line, 5);
  EXPECT_EQ(list[4].severity, SEV_NOTE);
  EXPECT_EQ(list[4].text, "to match this \x01{\x02");
  EXPECT_EQ(list[5].file, "g++");
  EXPECT_EQ(list[5].words, std::vector<std::string>{"-O9x"});
  EXPECT_EQ(list[6].words, std::vector<std::string>{"main"});
  EXPECT_EQ(list[7].text, "missing terminating ' character");  // a lone quote is no quote
  EXPECT_EQ(list[8].words, (std::vector<std::string>{"operator>>", "std::istream", "int"}));
}

TEST(Records, GbkAmongUtf8IsDecodedAndNothingUndecodedIsKept) {
  // GBK messages around a name the source spelt in UTF-8, and bytes that are neither.
  std::vector<Record> list = Read_Records(
      "a.cpp:3:1: \xB4\xED\xCE\xF3\xA3\xBA\xA1\xAE你好\xA1\xAF\xD4\xDA\xB4\xCB\xD7\xF7\xD3\xC3"
      "\xD3\xF2\xD6\xD0\xC9\xD0\xCE\xB4\xC9\xF9\xC3\xF7\n"
      "a.cpp:4:1: error: \xFF\xFE junk\n");
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].severity, SEV_ERROR);
  EXPECT_EQ(list[0].words, std::vector<std::string>{"你好"});
  EXPECT_EQ(list[1].text, "?? junk");
}

TEST(Patterns, KeepQuotedNamesAndTextAndFillTextsOnlyWhenAllIsThere) {
  std::vector<std::string> kept;
  EXPECT_TRUE(Match_Pattern(Uniform_Quotes("no match for {} (operand types are {} and {})"),
                            Uniform_Quotes("no match for 'operator>>' (operand types are "
                                           "'std::istream' and 'int')"),
                            kept));
  EXPECT_EQ(kept, (std::vector<std::string>{"operator>>", "std::istream", "int"}));
  kept.clear();
  EXPECT_FALSE(Match_Pattern(Uniform_Quotes("{} was not declared"), "x was not declared", kept));
  EXPECT_TRUE(Match_Pattern("{*}: No such file*", "iostrem: No such file or directory", kept));
  EXPECT_EQ(kept, std::vector<std::string>{"iostrem"});
  EXPECT_TRUE(
      Words_Hold("1=operator<<|operator< 2~istream 3!void", {"operator<<", "std::istream", "int"}));
  EXPECT_FALSE(Words_Hold("1=operator<<", {"operator<<="}));
  EXPECT_FALSE(Words_Hold("3~int", {"a", "b"}));  // a part not kept holds nothing
  std::string out;
  EXPECT_TRUE(Fill("“{1}”在第 {note} 行，{ } 与 { … }", {{"1", "a"}, {"note", "3"}}, out));
  EXPECT_EQ(out, "“a”在第 3 行，{ } 与 { … }");
  EXPECT_FALSE(Fill("是不是想写“{near}”？", {{"near", ""}}, out));
}

// Each cause as its first line, "+" and how many messages folded into it;
// "w" for full-width marks, "h" for invisible ones.
std::string Causes(const std::string& output, const std::string& text) {
  std::vector<Source> sources = {Make_Source("a.cpp", text)};
  std::vector<Record> records = Read_Records(output);
  std::string list;
  for (const Cause& c : Group_Causes(records, sources, true))
    list += std::string(c.kind == WIDE_MARKS     ? "w"
                        : c.kind == HIDDEN_MARKS ? "h"
                                                 : "") +
            std::to_string(c.lines.front()) + "+" + std::to_string(c.followers.size()) + " ";
  return list;
}

TEST(Causes, WhatFollowsFromAFaultIsFoldedIntoIt) {
  // A declaration that failed leaves its names unknown, said once.
  EXPECT_EQ(Causes("a.cpp:3:5: error: 'string' was not declared in this scope\n"
                   "a.cpp:4:12: error: 's' was not declared in this scope\n"
                   "a.cpp:5:5: error: 'string' was not declared in this scope\n",
                   "int main() {\n\n    string s;\n    cin >> s;\n    string t;\n}\n"),
            "3+2 ");
  // A missing ';' is noticed at the next statement, whose names it spoils.
  EXPECT_EQ(Causes("a.cpp:2:14: error: expected ';' before 'int'\n"
                   "a.cpp:4:13: error: 'c' was not declared in this scope\n",
                   "int main() {\n    int a = 1\n    int c = a;\n    return c;\n}\n"),
            "2+1 ");
  // A bracket left open: what the compiler says after it in that function, and
  // the note that points back at it; the next function is on its own.
  EXPECT_EQ(Causes("a.cpp:2:14: error: expected ';' before '{' token\n"
                   "a.cpp:4:5: error: expected primary-expression before 'return'\n"
                   "a.cpp:3:6: error: expected ')' before 'return'\n"
                   "a.cpp:2:8: note: to match this '('\n"
                   "a.cpp:7:5: error: 'y' was not declared in this scope\n",
                   "int main() {\n  if ((a) {\n  }\n  return 0;\n}\nint f() {\n    y;\n}\n"),
            "2+2 7+0 ");
  // An else whose if an earlier fault ended; a variable a faulty statement left unread.
  EXPECT_EQ(Causes("a.cpp:4:5: error: 'elseif' was not declared in this scope\n"
                   "a.cpp:5:5: error: 'else' without a previous 'if'\n"
                   "a.cpp:6:10: warning: right operand of comma operator has no effect\n"
                   "a.cpp:7:9: warning: 'b' may be used uninitialized\n",
                   "int main() {\n  int a, b;\n  if (a) x;\n  elseif (b) y;\n  else z;\n"
                   "  cin >> a, b;\n  f(b);\n}\n"),
            "4+1 6+1 ");
  // Full-width marks: the line they spoil, and the names they make.
  EXPECT_EQ(Causes("a.cpp:3:5: error: expected initializer before 'a'\n"
                   "a.cpp:4:5: error: 'a，b' was not declared in this scope\n"
                   "a.cpp:5:5: error: 'sum' was not declared in this scope\n",
                   "int main() {\n    int a，b；\n    a = 1;\n    a，b;\n    sum;\n"
                   "    int s\u200Bum;\n}\n"),
            "w2+2 h6+1 ");
  // Harmless warnings are no causes; a linker's message is said once for each name.
  EXPECT_EQ(Causes("a.cpp:1:5: warning: unused variable 'x' [-Wunused-variable]\n"
                   "a.cpp:2: undefined reference to `f(int)'\n"
                   "a.cpp:3: undefined reference to `f(int)'\n",
                   "int x;\nf(1);\nf(2);\n"),
            "2+1 ");
}

std::vector<Source> One_Source(const std::string& text) {
  return {Make_Source("/home/a/a.cpp", text)};
}

TEST(Hints, OneForEachCauseAtMostFiveErrorsFirst) {
  std::string output = "/home/a/a.cpp:1:5: warning: 'z' is used uninitialized\n";
  for (const char* name : {"p", "q", "p", "r", "s", "t", "u"})
    output += "/home/a/a.cpp:" + std::to_string(2 + (name[0] - 'p')) + ":1: error: '" + name +
              "' was not declared in this scope\n";
  std::string hints =
      Hints({"-o", "a.exe", "a.cpp"}, output, true, One_Source("int z;\np;\nq;\nr;\ns;\nt;\nu;\n"));
  EXPECT_EQ(hints.find("\n中文提示（tarnwickstone-cc）：\n1. a.cpp 第 2 行：“p”在这里没有声明"), 0u)
      << hints;
  for (const char* told :
       {"2. a.cpp 第 3 行：“q”", "3. a.cpp 第 4 行：“r”", "5. a.cpp 第 6 行：“t”"})
    EXPECT_NE(hints.find(told), std::string::npos) << told << "\n" << hints;
  EXPECT_EQ(hints.find("6. "), std::string::npos);
  EXPECT_EQ(hints.find("“z”"), std::string::npos);  // the warning came first, but counts less
}

TEST(Hints, FullWidthMarksComeFirstAndExplainWhatFollowsFromThem) {
  std::string source = "int main() {\n    int a，b；\n    a = 1;\n    foo();\n}\n";
  std::string output =
      "a.cpp:3:5: error: expected initializer before 'a'\n"
      "a.cpp:3:5: error: 'a' was not declared in this scope\n"
      "a.cpp:4:5: error: 'foo' was not declared in this scope\n";
  EXPECT_EQ(Hints({"a.cpp"}, output, true, One_Source(source)),
            "\n中文提示（tarnwickstone-cc）：\n"
            "1. a.cpp 里有中文标点（全角符号），C++ "
            "只认英文标点。请切换到英文输入法，把它们改成英文的：\n"
            "   第 2 行第 10 列的 ， 要改成 ,\n   第 2 行第 12 列的 ； 要改成 ;\n"
            "2. a.cpp 第 4 行：“foo”在这里没有声明：变量和函数都要先声明，才能使用。\n"
            "   检查“foo”的拼写；如果它是变量，在用到它之前先声明它（写明类型，例如 int 或 long "
            "long）。\n");
}

TEST(Hints, NothingWithoutAFaultAndNoEnglishInAChineseSentence) {
  EXPECT_EQ(Hints({"a.cpp"}, "", true, One_Source("int main() {}\n")), "");
  EXPECT_EQ(Hints({"a.cpp"}, "a.cpp:1:1: note: just so\nsome words\n", true,
                  One_Source("int main() {}\n")),
            "");
  // A warning about style only, as a correct program gets.
  EXPECT_EQ(Hints({"a.cpp"}, "a.cpp:1:5: warning: unused variable 'x' [-Wunused-variable]\n", false,
                  One_Source("int x;\n")),
            "");
  // An error nothing explains still gets its place named, in Chinese alone.
  std::string hints =
      Hints({"a.cpp"}, "a.cpp:1:1: error: something new 'x'\n", true, One_Source("x\n"));
  EXPECT_NE(
      hints.find("1. a.cpp 第 1 行：编译器在这里报告了一个错误，上面它自己的说明讲的就是这一处。"),
      std::string::npos)
      << hints;
  EXPECT_EQ(hints.find("something"), std::string::npos) << hints;
}

TEST(Hints, AnErrorInsideTheLibraryIsToldAtTheLineThatAskedForIt) {
  std::string source =
      "#include <set>\nstruct P { int x; };\nint main() { std::set<P> s; s.insert({1}); }\n";
  std::string output =
      "In file included from /usr/include/c++/12/set:60,\n"
      "                 from a.cpp:1:\n"
      "/usr/include/c++/12/bits/stl_function.h: In instantiation of 'bool "
      "std::less<_Tp>::operator()'\n"
      "/usr/include/c++/12/bits/stl_tree.h:2117:35:   required from 'std::pair<…>'\n"
      "a.cpp:3:38:   required from here\n"
      "/usr/include/c++/12/bits/stl_function.h:408:20: error: no match for 'operator<' (operand "
      "types "
      "are 'const P' and 'const P')\n"
      "/usr/include/c++/12/bits/stl_function.h:408:20: note: candidate: 'operator<(…)'\n";
  std::string hints = Hints({"a.cpp"}, output, true, One_Source(source));
  EXPECT_NE(
      hints.find(
          "1. a.cpp 第 3 行：这一行用到的 set、map、priority_queue 或 sort 要用 < 比较两个“P”"),
      std::string::npos)
      << hints;
  // With an operator< of its own, the fault is that it is not const.
  source.replace(source.find("int x; }"), 8,
                 "int x; bool operator<(const P &o) { return x < o.x; } }");
  EXPECT_NE(Hints({"a.cpp"}, output, true, One_Source(source)).find("后面没有 const"),
            std::string::npos);
}

// Each guess the source contradicts is left unsaid: only the line remains.
TEST(Hints, NoCauseIsClaimedThatTheSourceContradicts) {
  auto first = [](const std::string& output, const std::string& source) {
    std::string hints = Hints({"a.cpp"}, output, true, One_Source(source));
    size_t start = hints.find("1. ");
    return start == std::string::npos ? hints
                                      : hints.substr(start, hints.find('\n', start) - start);
  };
  const std::string only_the_line = "1. a.cpp 第 2 行：编译器在这里报告了一个错误";
  // "step" stands elsewhere, if only in a comment: there is no telling it was never declared.
  EXPECT_EQ(first("a.cpp:2:1: error: 'step' was not declared in this scope\n",
                  "int x; // step by step\nstep = 1;\n")
                .find(only_the_line),
            0u);
  // A standard name is no slip of a keyword, nor is a balanced line short of a bracket.
  EXPECT_EQ(
      first("a.cpp:2:5: error: 'sort' was not declared in this scope; did you mean 'short'?\n",
            "include <algorithm>\nint sort(a, a + 3);\n")
          .find("short"),
      std::string::npos);
  EXPECT_EQ(
      first("a.cpp:2:12: error: expected ']' before ';' token\n", "#define N 5\nint a[N + 1];\n")
          .find(only_the_line),
      0u);
  // No ";" at the end of the head of an if, nor of a line with a "(" left open.
  EXPECT_EQ(
      first("a.cpp:2:9: error: expected ';' before '{' token\n", "int main() {\nif ((a > b)\n{\n")
          .find(only_the_line),
      0u);
  // A macro's ";" is told at its #define, once for all the lines that use it.
  EXPECT_EQ(
      first("a.cpp:1:13: error: expected ']' before ';' token\n"
            "a.cpp:2:7: note: in expansion of macro 'N'\n"
            "a.cpp:3:7: error: expected ']' before ';' token\n",
            "#define N 10;\nint a[N];\nint b[N];\n"),
      "1. a.cpp 第 1 行：宏 N 的定义里多了“;”：#define 是原样替换，用到 N 的地方都会带上这个“;”。");
}

// A program's place in the corpus can only be taken by a compile on Windows:
// its situation is reached here, from the words MinGW's linker writes.
const char* const REACHED_ON_WINDOWS_ONLY[] = {"output-locked"};

TEST(Hints, AProgramStillRunningOnWindowsIsNamed) {
  std::string output =
      "C:/mingw64/bin/ld.exe: cannot open output file a.exe: Permission denied\n"
      "collect2.exe: error: ld returned 1 exit status\n";
  EXPECT_NE(Hints({"-o", "a.exe", "a.cpp"}, output, true, One_Source("int main() {}\n"))
                .find("1. 无法写入 a.exe：上次运行的 a.exe 可能还没有关闭"),
            std::string::npos);
}

// The first situation that fits a cause wins, so a new one can hide an older
// one unnoticed: the corpus must reach every one of them.
TEST(Hints, EverySituationIsReachedByTheCorpus) {
  std::ifstream table(std::string(TWS_CORPUS) + "/expected.txt");
  std::set<std::string> reached(std::begin(REACHED_ON_WINDOWS_ONLY),
                                std::end(REACHED_ON_WINDOWS_ONLY));
  for (std::string line; std::getline(table, line);) {
    size_t bar = line.find('|', line.find('|') + 1);
    if (line.empty() || line[0] == '#' || bar == std::string::npos) continue;
    std::stringstream hints(line.substr(bar + 1));
    for (std::string hint; std::getline(hints, hint, ',');) {
      std::stringstream words(hint);
      std::string at, id;
      if (words >> at >> id) reached.insert(id);
    }
  }
  for (size_t i = 0; i < Situation_Count(); ++i)
    EXPECT_EQ(reached.count(Situation_At(i).id), 1u)
        << Situation_At(i).id << " is reached by no program of tests/cc_corpus";
}

TEST(Hints, TheSourcesAndTheProgramAreFoundAmongTheWords) {
  std::vector<std::string> args = {
      "-I", "inc.cpp", "-O2", "-o", "D:\\x\\a b.exe", "D:\\x\\a b.cpp", "b.C", "-lm", "notes.txt"};
  EXPECT_EQ(Source_Paths(args), (std::vector<std::string>{"D:\\x\\a b.cpp", "b.C"}));
  EXPECT_EQ(Output_Name(args), "a b.exe");
  EXPECT_EQ(Output_Name({"-oa.exe"}), "a.exe");
}

}  // namespace
