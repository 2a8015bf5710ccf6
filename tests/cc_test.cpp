// The compiler companion's reading: full-width marks in a source, the
// compiler's messages in any language, and how the hints are chosen.
#include <gtest/gtest.h>

#include "cc/diagnostics.h"
#include "cc/fullwidth.h"
#include "cc/hints.h"
#include "test_text.h"

namespace {

// Each mark as "line:column:mark".
std::string Marks(const std::string& text) {
  std::string list;
  Source source = Make_Source("a.cpp", text);
  for (const Wide_Mark& m : Find_Wide_Marks(source))
    list += std::to_string(m.line) + ":" + std::to_string(m.column) + ":" +
            std::string(1, Ascii_For(m.code)) + " ";
  return list;
}

TEST(FullWidth, FoundInCodeButNotInLiteralsOrComments) {
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
}

TEST(FullWidth, FoundInAGbkSourceWhichIsToldApart) {
  Source source = Make_Source("a.cpp", "// \xD6\xD0\xCE\xC4\nint a\xA3\xAC b\xA3\xBB\n");
  EXPECT_TRUE(source.gbk);
  EXPECT_EQ(source.first_gbk_line, 1);
  EXPECT_EQ(Marks(source.text), "2:6:, 2:9:; ");
  EXPECT_FALSE(Make_Source("a.cpp", "int a; // 中文\n").gbk);
}

TEST(Diagnostics, ReadTheSameInEveryLanguageQuoteAndColour) {
  std::vector<Diagnostic> list = Read_Diagnostics(
      "C:\\Users\\张三\\a.cpp:12:5: error: expected ';' before 'cout'\r\n"
      "a.cpp: 在函数‘int main()’中:\n"
      "a.cpp:3:1: 错误：‘x’在此作用域中尚未声明\n"
      "    3 |     x = 1;\n      |     ^\n"
      "a.cpp:4:2: \xBE\xAF\xB8\xE6\xA3\xBA\xA1\xAEy\xA1\xAF unused\n"
      "\x1b[01m\x1b[Ka.cpp:5:\x1b[m\x1b[K \x1b[01;35m\x1b[Knote: \x1b[m\x1b[Kto match this ‘{’\n"
      "g++: error: unrecognized command-line option '-O9x'\n"
      "(.text+0x17): undefined reference to `main'\n"
      "a.cpp:6:3: warning: missing terminating ' character\n");
  ASSERT_EQ(list.size(), 8u);
  EXPECT_EQ(list[0].file, "C:\\Users\\张三\\a.cpp");
  EXPECT_EQ(list[0].line, 12);
  EXPECT_EQ(list[0].column, 5);
  EXPECT_EQ(list[0].severity, SEV_ERROR);
  EXPECT_EQ(list[0].text,
            "expected \x01;\x02 before \x01"
            "cout\x02");
  EXPECT_EQ(list[1].severity, SEV_OTHER);
  EXPECT_EQ(list[2].text, "\x01x\x02在此作用域中尚未声明");
  EXPECT_EQ(list[2].severity, SEV_ERROR);
  EXPECT_EQ(list[3].severity, SEV_WARNING);
  EXPECT_EQ(list[3].text, "\x01y\x02 unused");
  EXPECT_EQ(list[4].line, 5);
  EXPECT_EQ(list[4].column, 0);
  EXPECT_EQ(list[4].severity, SEV_NOTE);
  EXPECT_EQ(list[4].text, "to match this \x01{\x02");
  EXPECT_EQ(list[5].file, "g++");
  EXPECT_EQ(list[5].text, "unrecognized command-line option \x01-O9x\x02");
  EXPECT_EQ(list[6].text, "undefined reference to \x01main\x02");
  EXPECT_EQ(list[7].text, "missing terminating ' character");  // a lone quote is no quote
}

std::vector<Source> One_Source(const std::string& text) {
  return {Make_Source("/home/a/a.cpp", text)};
}

TEST(Hints, OneForEachCauseAtMostFiveErrorsFirst) {
  std::string output = "/home/a/a.cpp:1:5: warning: unused variable 'z' [-Wunused-variable]\n";
  for (const char* name : {"p", "q", "p", "r", "s", "t", "u"})
    output += "/home/a/a.cpp:" + std::to_string(2 + (name[0] - 'p')) + ":1: error: '" + name +
              "' was not declared in this scope\n";
  std::string hints = Hints({"-o", "a.exe", "a.cpp"}, output, true, One_Source("int z;\n"));
  EXPECT_EQ(hints.find("\n中文提示（tarnwickstone-cc）：\n1. a.cpp 第 2 行：“p”没有声明过"), 0u)
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
            "2. a.cpp 第 4 行：“foo”没有声明过：变量和函数都要先声明，才能使用。\n"
            "   检查拼写（C++ 区分大小写）；如果是变量，在使用之前先声明它，例如 int foo = 0;\n");
}

TEST(Hints, NothingWithoutAnErrorOrAWarning) {
  EXPECT_EQ(Hints({"a.cpp"}, "", true, One_Source("int main() {}\n")), "");
  EXPECT_EQ(Hints({"a.cpp"}, "a.cpp:1:1: note: just so\nsome words\n", true,
                  One_Source("int main() {}\n")),
            "");
  // An error the catalogue does not know still gets its place named.
  EXPECT_NE(Hints({"a.cpp"}, "a.cpp:1:1: error: something new 'x'\n", true, One_Source("x\n"))
                .find("1. a.cpp 第 1 行：编译器在这里报告了错误：something new “x”"),
            std::string::npos);
}

TEST(Hints, TheSourcesAndTheProgramAreFoundAmongTheWords) {
  std::vector<std::string> args = {
      "-I", "inc.cpp", "-O2", "-o", "D:\\x\\a b.exe", "D:\\x\\a b.cpp", "b.C", "-lm", "notes.txt"};
  EXPECT_EQ(Source_Paths(args), (std::vector<std::string>{"D:\\x\\a b.cpp", "b.C"}));
  EXPECT_EQ(Output_Name(args), "a b.exe");
  EXPECT_EQ(Output_Name({"-oa.exe"}), "a.exe");
}

}  // namespace
