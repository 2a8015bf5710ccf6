// The launcher's report: the explanation table and the time and line formats.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "console/text.h"
#include "launch/compare.h"
#include "launch/explain.h"
#include "launch/report.h"
#include "launch/samples.h"
#include "launch/show.h"
#include "launch/source_names.h"
#include "pages.h"
#include "test_text.h"

namespace {

const std::string RULE = LAUNCH_RULE;

TEST(Launch, SecondsHaveThreeDecimalsRoundedToTheMillisecond) {
  EXPECT_EQ("0.000", Format_Seconds(0));
  EXPECT_EQ("0.000", Format_Seconds(499));
  EXPECT_EQ("0.001", Format_Seconds(500));
  EXPECT_EQ("0.123", Format_Seconds(123456));
  EXPECT_EQ("0.124", Format_Seconds(123500));
  EXPECT_EQ("1.000", Format_Seconds(999600));
  EXPECT_EQ("61.235", Format_Seconds(61234567));
  EXPECT_EQ("0.000", Format_Seconds(-5));  // a clock that stepped back is no negative time
}

TEST(Launch, EveryCommonWindowsCrashIsExplained) {
  EXPECT_NE(std::string::npos, Explain_Exit_Code(0xC0000005).find("访问违规"));
  EXPECT_NE(std::string::npos, Explain_Exit_Code(0xC00000FD).find("栈溢出"));
  // A judge's stack is as large as the memory limit; a Windows program's is linked in.
  EXPECT_NE(std::string::npos, Explain_Exit_Code(0xC00000FD).find("-Wl,--stack="));
  EXPECT_NE(std::string::npos, Explain_Exit_Code(0xC0000094).find("除以零"));
  EXPECT_NE(std::string::npos, Explain_Exit_Code(0xC000013A).find("Ctrl+C"));
  // A missing DLL is cured by linking statically; both codes must say how.
  EXPECT_NE(std::string::npos, Explain_Exit_Code(0xC0000135).find("-static"));
  EXPECT_NE(std::string::npos, Explain_Exit_Code(0xC0000139).find("-static"));
  EXPECT_EQ("", Explain_Exit_Code(0));
  EXPECT_EQ("", Explain_Exit_Code(3));
  EXPECT_EQ("", Explain_Exit_Code(0xC0000005 - 0x100000000LL));  // only the unsigned form
}

TEST(Launch, EveryCommonSignalIsExplained) {
  EXPECT_NE(std::string::npos, Explain_Signal("SIGSEGV").find("段错误"));
  EXPECT_NE(std::string::npos, Explain_Signal("SIGFPE").find("除以零"));
  EXPECT_NE(std::string::npos, Explain_Signal("SIGABRT").find("abort"));
  EXPECT_NE(std::string::npos, Explain_Signal("SIGKILL").find("强制结束"));
  EXPECT_NE(std::string::npos, Explain_Signal("SIGINT").find("Ctrl+C"));
  EXPECT_EQ("", Explain_Signal("SIGUSR1"));
  EXPECT_EQ("", Explain_Signal(""));
}

TEST(Launch, AnOrdinaryEndGivesTheReturnValueAndTime) {
  EXPECT_EQ(RULE + "程序已结束，返回值 0，用时 0.123 秒。\n",
            End_Report({true, false, 0}, 123456, ""));
  EXPECT_EQ(RULE + "程序已结束，返回值 3，用时 2.000 秒。\n",
            End_Report({true, false, 3}, 2000000, ""));
  EXPECT_EQ(3, Exit_Status({true, false, 3}));
  EXPECT_EQ(0, Exit_Status({true, false, 0}));
}

TEST(Launch, ACrashGivesTheCodeInDecimalAndHexAndWhatItMeans) {
  std::string expected = RULE + "程序已结束，返回值 3221225477（0xC0000005），用时 0.031 秒。\n" +
                         Explain_Exit_Code(0xC0000005) + "\n";
  EXPECT_EQ(expected, End_Report({true, false, 0xC0000005}, 31000, ""));
  // A layer that hands the 32-bit code over as a negative int means the same.
  EXPECT_EQ(expected, End_Report({true, false, -1073741819}, 31000, ""));
  // The launcher ends with the same 32-bit code.
  EXPECT_EQ(static_cast<int>(0xC0000005u - 0x100000000LL), Exit_Status({true, false, 0xC0000005}));
  // A crash without an entry still shows its hex form, which is what to look up.
  EXPECT_EQ(RULE + "程序已结束，返回值 3221225495（0xC0000017），用时 0.000 秒。\n",
            End_Report({true, false, 0xC0000017}, 0, ""));
}

TEST(Launch, ASignalGivesItsNumberNameAndMeaning) {
  EXPECT_EQ(RULE + "程序被信号 11（0xB，SIGSEGV）终止，用时 0.002 秒。\n" +
                Explain_Signal("SIGSEGV") + "\n",
            End_Report({true, true, 11}, 2000, "SIGSEGV"));
  EXPECT_EQ(RULE + "程序被信号 40（0x28）终止，用时 0.002 秒。\n",
            End_Report({true, true, 40}, 2000, ""));
  EXPECT_EQ(139, Exit_Status({true, true, 11}));
  EXPECT_EQ(130, Exit_Status({true, true, 2}));
}

TEST(Launch, TheTitleIsTheFileNameAlone) {
  EXPECT_EQ("a.exe", Base_Name("a.exe"));
  EXPECT_EQ("你好.exe", Base_Name("/home/用户/代码/你好.exe"));
  EXPECT_EQ("b.exe", Base_Name("D:\\代码\\b.exe"));
  EXPECT_EQ("", Base_Name("dir/"));
}

TEST(Launch, ACannotStartLineNamesThePathAndTheReason) {
  EXPECT_EQ("无法启动程序 /tmp/x：文件不存在。\n", Cannot_Start_Line("/tmp/x", "文件不存在"));
  // A line end in a folder's name cannot split the line, nor an escape steer the terminal.
  EXPECT_EQ("无法启动程序 /tmp/a\\nb/x：文件不存在。\n",
            Cannot_Start_Line("/tmp/a\nb/x", "文件不存在"));
}

TEST(Launch, ControlCharactersInAPathAreShownEscapedAndNothingElse) {
  const std::pair<std::string, std::string> paths[] = {
      {"/home/用户/代码/a.exe", "/home/用户/代码/a.exe"},
      {"D:\\oi\\t.exe", "D:\\oi\\t.exe"},  // a backslash stays one
      {"a\nb\tc\rd", "a\\nb\\tc\\rd"},
      {"x\x1b[2Jy\x7f", "x\\x1B[2Jy\\x7F"},
      {std::string("n\0ul", 4), "n\\x00ul"},
      {"c1\xc2\x9b"
       "31m",
       "c1\\xC2\\x9B31m"},               // U+009B, the terminal's one-byte escape
      {"\xc2\xa0nbsp", "\xc2\xa0nbsp"},  // U+00A0 is text
  };
  for (const auto& [path, shown] : paths) EXPECT_EQ(Shown_Path(path), shown) << Escaped(path);
}

TEST(Samples, LineEndsBOMAndTrailingBlanksDoNotCountEverythingElseDoes) {
  for (const char* same : {"3\r\n", "3",
                           "\xEF\xBB\xBF"
                           "3\n",
                           "3 \t\n\n\n", "3\r\n\r\n  \n"})
    EXPECT_TRUE(Compare_Output("3\n", same).same) << Escaped(same);
  EXPECT_TRUE(Compare_Output("1\n\n", "1").same);
  EXPECT_TRUE(Compare_Output("", "\n\n").same);
  for (const char* other : {" 3\n", "3\n\n4\n", "\n3\n", "4\n", "", "3\x0B\n"})
    EXPECT_FALSE(Compare_Output("3\n", other).same) << Escaped(other);
}

TEST(Samples, ADifferenceNamesItsLineAndTheTwoTexts) {
  Difference d = Compare_Output("1\r\n2 3\r\n4\r\n", "1\n2  3 \n");
  EXPECT_EQ(d.line, 2);
  EXPECT_EQ(d.expected, "2 3");
  EXPECT_EQ(d.actual, "2  3");
  EXPECT_EQ(d.column, 2u);
  EXPECT_TRUE(d.spacing_only);
  d = Compare_Output("1\n2\n", "1\n");
  EXPECT_EQ(d.line, 2);
  EXPECT_TRUE(d.actual_missing);
  EXPECT_FALSE(d.expected_missing || d.spacing_only);
  d = Compare_Output("1\n", "1\n\n5\n");  // blank lines count once something follows them
  EXPECT_EQ(d.line, 3);
  EXPECT_TRUE(d.expected_missing);
}

TEST(Samples, TheSourceGivesTheFilesItOpensByName) {
  Source_Names names = Scan_Source(
      "// freopen(\"old.in\", \"r\", stdin);\n"
      "/* freopen(\"older.in\", \"r\", stdin); */\n"
      "int main() {\n"
      "  freopen(\"a.in\", \"r\", stdin); freopen(\"a.out\", \"w\", stdout);\n"
      "  FILE* f = fopen(\"log.txt\", \"a\"); char c = '\"';\n"
      "  std::ifstream fin(\"b.in\"); std::ofstream fout; fout.open(\"b.out\");\n"
      "  std::ifstream up(\"../c.in\"); fin.open(\"a.in\");\n"
      "}\n");
  EXPECT_EQ(names.inputs, (std::vector<std::string>{"a.in", "b.in"}));
  EXPECT_EQ(names.outputs, (std::vector<std::string>{"a.out", "log.txt", "b.out"}));
}

TEST(Samples, ALineIsShownDecodedEscapedAndCutAroundItsDifference) {
  EXPECT_EQ(Show_Line("你好 world", 0, 40), "你好 world");
  EXPECT_EQ(Show_Line("\xC4\xE3\xBA\xC3\tA\x1B", 0, 40), "你好\\tA\\x1B");  // GBK
  EXPECT_EQ(Show_Line(std::string(30, 'a'), 0, 12), "aaaaaaaaaa…");
  std::string line = std::string(100, '1') + "2" + std::string(100, '3');
  std::string shown = Show_Line(line, 100, 30);
  EXPECT_EQ(shown.substr(0, 3), "…");
  EXPECT_NE(shown.find("1112333"), std::string::npos) << shown;
  EXPECT_LE(Display_Width(shown), 30);
}

TEST(Samples, FoundInTheFirstPlaceThatHoldsAnyInNumericOrder) {
  namespace fs = std::filesystem;
  std::string d = fs::temp_directory_path() / ("tws-find-" + std::to_string(getpid()));
  fs::create_directories(d + "/x/");
  for (const char* name : {"x.in", "x.out", "x.cpp", "x2.in", "x2.out", "x10.IN", "x10.ans",
                           "x10.out", "x1.in", "x1.ans", "x3.in", "x/x1.in", "x/x1.ans"})
    Write_File_Bytes(d + "/" + name, "");
  Sample_Set set = Find_Samples(d + "/x.exe");
  ASSERT_EQ(set.samples.size(), 3u);
  EXPECT_EQ(set.samples[0].answer, d + "/x1.ans");
  EXPECT_EQ(set.samples[1].answer, d + "/x2.out");
  EXPECT_EQ(set.samples[2].input, d + "/x10.IN");
  EXPECT_EQ(set.samples[2].answer, d + "/x10.ans");
  EXPECT_EQ(set.left_out, std::vector<std::string>{d + "/x3.in 没有对应的答案文件"});
  EXPECT_EQ(set.source, d + "/x.cpp");
  EXPECT_EQ(set.folder, d);
  for (const char* name : {"x1.in", "x2.in", "x10.IN", "x3.in"}) fs::remove(d + "/" + name);
  set = Find_Samples(d + "/x.exe");
  ASSERT_EQ(set.samples.size(), 1u);
  EXPECT_EQ(set.samples[0].input, d + "/x/x1.in");
  EXPECT_TRUE(set.left_out.empty());
  fs::remove_all(d);
}

struct Layout {
  std::vector<const char*> files;  // in the contest folder, beside x.exe
  std::vector<const char*> found;  // each sample's input and answer, in order
  const char* left_out;            // the input said to have no answer, or ""
};

TEST(Samples, TheLayoutsContestsHandOutAreFoundAndNoOtherProgramsFiles) {
  namespace fs = std::filesystem;
  // clang-format off
  const Layout layouts[] = {
      {{"ex_x1.in", "ex_x1.ans", "ex_x2.in", "ex_x2.out"}, {"ex_x1.in", "ex_x1.ans", "ex_x2.in", "ex_x2.out"}, ""},
      {{"x/1.in", "x/1.ans", "x/2.in", "x/2.out", "x/3.in"}, {"x/1.in", "x/1.ans", "x/2.in", "x/2.out"}, "x/3.in"},
      {{"x/ex_x1.in", "x/ex_x1.ans"}, {"x/ex_x1.in", "x/ex_x1.ans"}, ""},
      {{"x/sample1.in", "x/sample1.out"}, {"x/sample1.in", "x/sample1.out"}, ""},
      {{"x1.in", "x1.ans", "ex_x1.in", "ex_x1.ans", "x/1.in", "x/1.ans"}, {"x1.in", "x1.ans"}, ""},
      {{"ex_x1.in"}, {}, "ex_x1.in"},
      {{"x/x.in", "x/x.ans", "x/a1.in", "x/a1.ans", "sample1.in", "sample1.out"}, {}, ""},
      {{"ex_x.cpp", "ex_x1.in", "ex_x1.ans"}, {}, ""},  // ex_x's own sample
      {{"x1.cpp", "ex_x11.in", "ex_x11.ans"}, {}, ""},  // sample 1 of x1
  };
  // clang-format on
  std::string d = fs::temp_directory_path() / ("tws-layout-" + std::to_string(getpid()));
  for (const Layout& layout : layouts) {
    fs::create_directories(d + "/x");
    for (const char* name : layout.files) Write_File_Bytes(d + "/" + name, "");
    Sample_Set set = Find_Samples(d + "/x.exe");
    std::vector<std::string> found;
    for (const Sample& sample : set.samples)
      for (const std::string& path : {sample.input, sample.answer}) found.push_back(path);
    std::vector<std::string> expected;
    for (const char* name : layout.found) expected.push_back(d + "/" + name);
    EXPECT_EQ(found, expected) << layout.files[0];
    std::string left_out = layout.left_out;
    EXPECT_EQ(set.left_out, left_out.empty() ? std::vector<std::string>{}
                                             : std::vector<std::string>{d + "/" + left_out +
                                                                        " 没有对应的答案文件"})
        << layout.files[0];
    fs::remove_all(d);
  }
}

TEST(Samples, ANewSampleIsNamedAsTheOthersInTheirPlace) {
  namespace fs = std::filesystem;
  std::string d = fs::temp_directory_path() / ("tws-add-" + std::to_string(getpid()));
  fs::create_directories(d + "/x");
  for (const char* name : {"x/1.in", "x/1.ans", "x/2.in", "x/2.ans", "new.in"})
    Write_File_Bytes(d + "/" + name, "5\n");
  Sample_Set set = Find_Samples(d + "/x.exe");
  Sample added;
  ASSERT_TRUE(Add_Sample(d + "/x.exe", set, d + "/new.in", "7\n", added, nullptr));
  EXPECT_EQ(added.input, d + "/x/3.in");
  EXPECT_EQ(Read_File_Bytes(d + "/x/3.ans"), "7\n");
  EXPECT_EQ(Find_Samples(d + "/x.exe").samples.size(), 3u);
  fs::remove_all(d);
}

}  // namespace
