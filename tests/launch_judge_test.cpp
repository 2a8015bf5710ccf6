// The launcher's judging as a judge does it: limits read from the source's
// first comments, real numbers compared within a tolerance, characters that
// pass for others named, and the verdicts' own lines.
#include <gtest/gtest.h>

#include <string>

#include "launch/compare.h"
#include "launch/difference.h"
#include "launch/limits.h"
#include "launch/show.h"
#include "launch/source_names.h"
#include "launch/verdict.h"
#include "test_text.h"

namespace {

struct Written {
  const char* source;
  long long time_us, memory_mb;
  double absolute, relative;
  size_t notes;
};

TEST(Limits, AsStudentsCopyThemFromAProblemStatement) {
  // clang-format off
  const Written cases[] = {
      {"// 时间限制：2 秒 内存限制：256 MB\nint main() {}", 2000000, 256, 0, 0, 0},
      {"/* 时间限制\n 1.00s\n 内存限制\n 125.00MB */", 1000000, 125, 0, 0, 0},    // a copied sidebar
      {"// 时限 1000ms 空间限制 64MiB 误差 1e-6", 1000000, 64, 1e-6, 1e-6, 0},
      {"// 每个测试点时限 1.5 秒，内存限制 1 GiB", 1500000, 1024, 0, 0, 0},
      {"// time limit per test: 3 seconds\n// memory limit per test: 64 megabytes", 3000000, 64, 0, 0, 0},
      {"// 绝对误差不超过 $10^{-4}$", 1000000, 512, 1e-4, 0, 0},
      {"// 答案的绝对误差或相对误差不超过 10⁻⁶", 1000000, 512, 1e-6, 1e-6, 0},
      {"// 相对误差 1E-9", 1000000, 512, 0, 1e-9, 0},
      {"int main() { // 时间限制：3 秒\n}", 1000000, 512, 0, 0, 0},        // inside a function
      {"// 时间限制：很长\n// 内存限制 1s", 1000000, 512, 0, 0, 2},        // neither understood
      {"// 时间限制：9999 秒", 1000000, 512, 0, 0, 1},                    // out of range
      {"// Reads the time limit from the file", 1000000, 512, 0, 0, 0},  // a sentence, said nothing
      {"const char* s = \"// 时限 3 秒\"; // 内存限制 32 MB", 1000000, 32, 0, 0, 0},
  };
  // clang-format on
  for (const Written& c : cases) {
    Problem_Limits limits = Read_Limits(c.source, "a.cpp");
    EXPECT_EQ(limits.time_us, c.time_us) << c.source;
    EXPECT_EQ(limits.memory_bytes, c.memory_mb << 20) << c.source;
    EXPECT_DOUBLE_EQ(limits.tolerance.absolute, c.absolute) << c.source;
    EXPECT_DOUBLE_EQ(limits.tolerance.relative, c.relative) << c.source;
    EXPECT_EQ(limits.notes.size(), c.notes) << c.source;
  }
  Problem_Limits limits = Read_Limits("// 时间限制：很长", "a.cpp");
  ASSERT_EQ(limits.notes.size(), 1u);
  EXPECT_EQ(
      limits.notes[0],
      "a.cpp 开头的注释里写了“时间限制”，但没有看懂它的值（例如“时间限制：1 秒”），按 1 秒算");
}

TEST(Limits, OptionsTakeSecondsAndMegabytesInRange) {
  long long value = 0;
  EXPECT_TRUE(Read_Seconds("0.5", value));
  EXPECT_EQ(value, 500000);
  EXPECT_FALSE(Read_Seconds("0", value));
  EXPECT_FALSE(Read_Seconds("2s", value));
  EXPECT_TRUE(Read_Megabytes("256", value));
  EXPECT_EQ(value, 256LL << 20);
  EXPECT_FALSE(Read_Megabytes("0.5", value));
  EXPECT_FALSE(Read_Megabytes("65537", value));
}

TEST(Tolerance, RealNumbersCloseEnoughAreTheSameWordByWord) {
  Tolerance both{1e-6, 1e-6, "1e-6"}, absolute{1e-4, 0, "1e-4"}, relative{0, 1e-6, "1e-6"};
  EXPECT_TRUE(Compare_Output("0.333333 2\n", "0.3333334   2\n", both).same);
  EXPECT_TRUE(Compare_Output("1000000\n", "1000000.9\n", relative).same);
  EXPECT_FALSE(Compare_Output("1000000\n", "1000000.9\n", absolute).same);
  EXPECT_TRUE(Compare_Output("3.1416\n", "3.14159\n", absolute).same);
  EXPECT_FALSE(Compare_Output("0.5 yes\n", "0.5 no\n", both).same);  // words still count
  EXPECT_FALSE(Compare_Output("1 2\n", "1 2 3\n", both).same);
  EXPECT_FALSE(Compare_Output("1\n", "1\n2\n", both).same);
  // Integers are never real, whatever their length: one digit off is wrong.
  EXPECT_FALSE(Compare_Output("74759830930429523230\n", "74759830930429523023\n", both).same);
  EXPECT_FALSE(Compare_Output("1000000\n", "1000001\n", relative).same);
  EXPECT_TRUE(Compare_Output("7.4759830930429523230e19\n", "74759830930429523023\n", both).same);
  double value = 0;
  for (const char* real : {"-3", "+0.25", "1e-6", "1.", ".5", "2E+3"})
    EXPECT_TRUE(Read_Real(real, value)) << real;
  for (const char* other : {"", "-", "e5", "1e", "0x10", "inf", "nan", "1.2.3", "1,5"})
    EXPECT_FALSE(Read_Real(other, value)) << other;
}

TEST(Tolerance, AHintOnlyWhenDecimalsPastTheSixthAreAllThatDiffer) {
  EXPECT_TRUE(Differs_Past_Sixth_Decimal("0.333333\n", "0.333333333\n"));
  EXPECT_TRUE(Differs_Past_Sixth_Decimal("1.0000000\n", "0.9999999\n"));
  EXPECT_FALSE(Differs_Past_Sixth_Decimal("0.123456\n", "0.123457\n"));  // the sixth itself
  EXPECT_FALSE(Differs_Past_Sixth_Decimal("0.333333\n", "0.333333\n"));  // no difference
  EXPECT_FALSE(Differs_Past_Sixth_Decimal(" 2\n", "2\n"));               // spacing, no decimals
  EXPECT_FALSE(Differs_Past_Sixth_Decimal("0.5 a\n", "0.5000001 b\n"));  // a word as well
  EXPECT_FALSE(Differs_Past_Sixth_Decimal("74759830930429523230\n", "74759830930429523023\n"));
  EXPECT_FALSE(Differs_Past_Sixth_Decimal("7 0.5\n", "8 0.5000001\n"));  // an integer as well
  EXPECT_FALSE(Differs_Past_Sixth_Decimal("74759830930429523230.0\n",    // a double rounds both
                                          "74759830930429523023.0\n"));
  EXPECT_FALSE(Differs_Past_Sixth_Decimal("0.5\n", "0.5000001\n0.5\n"));  // a line more
}

TEST(Hidden, CharactersThatPassForSpacesOrNothingAreNamedAndShownByCode) {
  EXPECT_EQ(Show_Line("1\xC2\xA0"
                      "2\xE3\x80\x80"
                      "3\xE2\x80\x8B",
                      0, 80),
            "1<U+00A0>2<U+3000>3<U+200B>");
  EXPECT_EQ(Show_Line("\xA1\xA1x", 0, 80), "<U+3000>x");  // the full-width space in GBK
  EXPECT_EQ(Show_Line("a\xE2\x80\xAE"
                      "b\xC2\x85",
                      0, 80),
            "a<U+202E>b<U+0085>");
  EXPECT_EQ(Show_Line("全角，标点！ok", 0, 80), "全角，标点！ok");  // visible, left alone
  EXPECT_EQ(Hidden_Characters("\xE3\x80\x80 \xE3\x80\x80\xC2\xA0"),
            (std::vector<int>{0x3000, 0xA0}));
  EXPECT_EQ(Hidden_Name(0x3000), "全角空格");
  EXPECT_EQ(Hidden_Name(0x2067), "文字方向控制符");
  EXPECT_EQ(Hidden_Name('a'), "");
  EXPECT_EQ(Encoding_Of("12\n"), ENCODING_ASCII);
  EXPECT_EQ(Encoding_Of("你好"), ENCODING_UTF8);
  EXPECT_EQ(Encoding_Of("\xC4\xE3\xBA\xC3"), ENCODING_GBK);
  EXPECT_EQ(Encoding_Of("\xFF\xFE"), ENCODING_OTHER);
}

TEST(SourceNames, StandardOutputsTargetAndNamesWithAFolder) {
  Source_Names names = Scan_Source(
      "int main() {\n"
      "  freopen(\"Data.in\", \"r\", stdin); freopen(\"data.ans\", \"w\", stdout);\n"
      "  freopen(\"later.out\", \"w\", stdout); FILE* log = fopen(\"log.txt\", \"w\");\n"
      "  fopen(\"../up.txt\", \"w\"); std::ifstream in(\"C:\\\\data\\\\x.in\");\n"
      "  std::ifstream keys(\"/dev/tty\");\n"
      "}\n");
  EXPECT_EQ(names.standard_output, "data.ans");  // the first; a log file is no output
  EXPECT_EQ(names.inputs, std::vector<std::string>{"Data.in"});
  EXPECT_EQ(names.with_folder, (std::vector<std::string>{"../up.txt", "C:\\data\\x.in"}));
}

std::string Lines_Of(const Judgement& j, const Tested_Program& program) {
  return Verdict_Lines("3", j, program, "a.cpp", 80);
}

TEST(Verdicts, EachLimitSaysWhatWasPassedAndHowTheProgramEnded) {
  Tested_Program program{{"a.exe"}, {"a.in"}, "", "a.out", Problem_Limits{}, {}};
  Judgement j;
  j.run.end = {true, false, 0};
  j.run.cpu_us = 1020000;
  j.run.wall_us = 1500000;
  j.run.peak_bytes = 3 << 20;
  j.verdict = VERDICT_TLE;
  EXPECT_EQ(Lines_Of(j, program),
            "样例 3：TLE 超时，用时 1.020 秒，超过了 1.000 秒的限制，内存 3 MB。\n");
  j.run.stop = STOP_SLOW;
  j.run.cpu_us = 400000;
  j.run.wall_us = 20000000;
  EXPECT_EQ(Lines_Of(j, program),
            "样例 3：TLE 超时，过了 20.000 秒还没有结束，已被结束；它只用了 0.400 秒 CPU 时间，"
            "电脑可能太忙，内存 3 MB。\n");
  j.verdict = VERDICT_MLE;
  j.run.stop = STOP_NONE;
  j.run.peak_bytes = 600LL << 20 | 1 << 19;
  EXPECT_EQ(Lines_Of(j, program),
            "样例 3：MLE 超出内存限制，内存 600.5 MB，超过了 512 MB 的限制，用时 0.400 秒。\n");
  j.verdict = VERDICT_AC;
  j.judged_file = "a.out";
  EXPECT_EQ(Lines_Of(j, program),
            "样例 3：AC 通过，用时 0.400 秒，内存 600.5 MB。\n  评测的是程序写出的 a.out。\n");
}

TEST(Verdicts, TheLastLinesOfStandardErrorThatHoldAnything) {
  EXPECT_EQ(Last_Lines("a\n\nb\r\nc\nd\n\n", 3, "  ", 80), "  b\n  c\n  d\n");
  EXPECT_EQ(Last_Lines("only\x1B[31m", 5, "", 80), "only\\x1B[31m\n");
  EXPECT_EQ(Last_Lines("", 5, "", 80), "");
}

}  // namespace
