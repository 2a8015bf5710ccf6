// The launcher's judging as a judge does it: limits read from the source's
// first comments, real numbers compared within a tolerance, characters that
// pass for others named, and the verdicts' own lines.
#include <gtest/gtest.h>

#include <string>

#include "launch/compare.h"
#include "launch/decide.h"
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
      {"// 误差不超过 1e-6 即可", 1000000, 512, 1e-6, 1e-6, 0},
      {"// 精度要求 10^-4", 1000000, 512, 1e-4, 1e-4, 0},
      {"// 允许的误差范围：小于或等于 5×10^-3 也算对", 1000000, 512, 5e-3, 5e-3, 0},
      {"// 误差不超过 $2 \\times 10^{-4}$", 1000000, 512, 2e-4, 2e-4, 0},
      {"// 误差不超过 2 倍", 1000000, 512, 0, 0, 1},  // a value not understood: said
      {"// 误差范围 ≤ 1e-5", 1000000, 512, 1e-5, 1e-5, 0},
      {"// 你的输出与标准答案误差在 0.01 以内即算正确", 1000000, 512, 0.01, 0.01, 0},
      {"// 注意精度误差……0.005 也要输出", 1000000, 512, 0, 0, 0},     // a mention, no tolerance
      {"// 双精度浮点数，误差较大时输出 -1，范围 0.5", 1000000, 512, 0, 0, 0},
      {"// 小心精度误差，先乘后除\n// 绝对误差 ≤ 1e-3", 1000000, 512, 1e-3, 0, 0},  // the line that says it
      {"// 答案的误差：\n//   不超过 10^{-5}", 1000000, 512, 1e-5, 1e-5, 0},      // wrapped
      {"// 误差\n// 很重要\n// 0.5", 1000000, 512, 0, 0, 0},
      {"// 精度为 6 位小数", 1000000, 512, 0, 0, 1},                       // a number, not understood
      {"// absolute or relative error does not exceed 1e-6", 1000000, 512, 1e-6, 1e-6, 0},
      {"// the relative error grows with n: 0.5 at most", 1000000, 512, 0, 0, 0},
      {"int main() { // 时间限制：3 秒\n}", 1000000, 512, 0, 0, 0},        // inside a function
      {"// 时间限制：很长\n// 内存限制 1s", 1000000, 512, 0, 0, 2},        // neither understood
      {"// 时间限制：9999 秒", 1000000, 512, 0, 0, 1},                    // out of range
      {"// 内存限制：-1 MB 时间限制：−2 秒", 1000000, 512, 0, 0, 2},      // below zero
      {"// 时间限制 - 2 秒，内存限制：－64MB", 2000000, 512, 0, 0, 1},   // a dash, then a sign
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

TEST(ProblemFiles, TheNameFromTheStatementsTableOfFilesElseTheProgramsOwn) {
  const std::pair<const char*, const char*> cases[] = {
      {"// 输入文件名：expand.in\n// 输出文件名：expand.out\nint main() {}", "expand"},
      {"/* | 输入文件名 | Plan.IN | */", "Plan"},  // as written, letter case and all
      {"// 输出文件名 为 count.out", "count"},
      {"// input file: walk.in", "walk"},
      {"// 输入文件的第一行是 n。\n// 输入文件名：tree.in", "tree"},  // a sentence names nothing
      {"// 输入文件的第一行是 n，输出文件只有一行。", ""},
      {"// 输入文件名：标准输入", ""},
      {"int main() { // 输入文件名：late.in\n}", ""},  // inside a function
  };
  for (const auto& [source, name] : cases)
    EXPECT_EQ(Read_Limits(source, "a.cpp").problem_name, name) << source;

  Source_Names names = Scan_Source(
      "int main() { freopen(\"expend.in\", \"r\", stdin); freopen(\"expend.out\", \"w\", stdout);\n"
      "  std::ifstream p(\"primes.txt\"); }\n");
  Tested_Program judged = Judged_Program({"expand.exe"}, "expand", names, Problem_Limits{});
  EXPECT_EQ(judged.inputs, std::vector<std::string>{"expand.in"});  // only the judge's name
  EXPECT_EQ(judged.standard_output, "");                            // never freopen's target
  EXPECT_EQ(judged.unprovided, (std::vector<std::string>{"expend.in", "primes.txt"}));
  names = Scan_Source("int main() { freopen(\"number.in\", \"r\", stdin); }");
  judged = Judged_Program({"Number.exe"}, "Number", names, Problem_Limits{});
  EXPECT_EQ(judged.inputs, std::vector<std::string>{"number.in"});  // the source's letter case
  EXPECT_TRUE(judged.unprovided.empty());
}

std::string Lines_Of(const Judgement& j, const Tested_Program& program) {
  return Verdict_Lines("3", j, program, "a.cpp", 80);
}

TEST(Verdicts, EachLimitSaysWhatWasPassedAndHowTheProgramEnded) {
  Tested_Program program{{"a.exe"}, {"a.in"}, "", "a.out", Problem_Limits{}, {}, {}, "", "", ""};
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
  j.unprovided = {"expend.in"};  // files other than the judge's: why the contest gives 0
  j.written = {"plan.ans"};
  EXPECT_EQ(Lines_Of(j, program),
            "样例 3：AC 通过，用时 0.400 秒，内存 600.5 MB。\n  评测的是程序写出的 a.out。\n"
            "  提示：程序打开的是 expend.in，评测只提供 a.in：比赛时这道题会得 0 分。\n"
            "  提示：程序写出了 plan.ans，评测只读 a.out 或标准输出：比赛时这道题会得 0 分。\n");
  j.unprovided.clear();
  j.written.clear();
  j.verdict = VERDICT_RE;  // ended through abort on Windows: said as the abort it is
  j.judged_file = "";
  j.run.end = {true, false, 3};
  j.aborted = true;
  EXPECT_EQ(Lines_Of(j, program),
            "样例 3：RE 运行错误，程序已结束，返回值 3，用时 0.400 秒，内存 600.5 MB。\n"
            "  程序中止（abort）：常见原因是断言失败或异常没有被捕获。\n");
}

// What a run measured, and the verdict and the stop that decided it.
struct Measured {
  Sample_Stop stop;
  bool started, signaled;
  long long code, cpu_us, peak_mb;
  bool refused;
  size_t output;
  Verdict verdict;
  Sample_Stop decided;
  bool cut;
};

TEST(Decide, OneVerdictFromWhatThePlatformMeasured) {
  const size_t OVER = OUTPUT_CAP + 1;
  // clang-format off
  const Measured cases[] = {
      {STOP_NONE, true, false, 0, 900000, 10, false, 5, VERDICT_AC, STOP_NONE, false},
      {STOP_INTERRUPTED, false, false, 2, 0, 0, false, 0, VERDICT_INTERRUPTED, STOP_INTERRUPTED, false},
      {STOP_NONE, false, false, 2, 0, 0, false, 0, VERDICT_NOT_STARTED, STOP_NONE, false},
      {STOP_NONE, true, false, 0, 1000001, 10, false, 5, VERDICT_TLE, STOP_NONE, false},
      {STOP_WAITING, true, false, 0, 1000, 1, false, 0, VERDICT_TLE, STOP_WAITING, false},
      {STOP_MEMORY, true, true, 9, 2000000, 600, false, 0, VERDICT_TLE, STOP_MEMORY, false},  // time first
      {STOP_MEMORY, true, true, 9, 1000, 600, false, 0, VERDICT_MLE, STOP_MEMORY, false},
      {STOP_NONE, true, false, 0, 1000, 513, false, 0, VERDICT_MLE, STOP_NONE, false},
      {STOP_NONE, true, false, 1, 1000, 100, true, 0, VERDICT_MLE, STOP_MEMORY, false},  // refused, then ended
      {STOP_OUTPUT, true, true, 9, 1000, 1, false, 0, VERDICT_WA, STOP_OUTPUT, true},
      {STOP_NONE, true, true, 25, 1000, 1, false, OVER, VERDICT_WA, STOP_NONE, true},  // SIGXFSZ at the cap
      {STOP_NONE, true, true, 11, 1000, 1, false, 0, VERDICT_RE, STOP_NONE, false},
      {STOP_NONE, true, false, 3, 1000, 1, false, 0, VERDICT_RE, STOP_NONE, false},
  };
  // clang-format on
  Problem_Limits limits;  // a second and 512 MB
  for (const Measured& c : cases) {
    Sample_Run run;
    run.stop = c.stop;
    run.end = {c.started, c.signaled, c.code};
    run.cpu_us = c.cpu_us;
    run.peak_bytes = c.peak_mb << 20;
    run.memory_refused = c.refused;
    Run_Verdict v = Verdict_Of(run, limits, c.output, Crash_Stack{});
    EXPECT_EQ(v.verdict, c.verdict) << c.stop << " " << c.code << " " << c.cpu_us;
    EXPECT_EQ(v.stop, c.decided) << c.stop << " " << c.code;
    EXPECT_EQ(v.cut, c.cut) << c.stop << " " << c.code;
  }
  Sample_Run aborted;
  aborted.end = {true, false, 3};
  Crash_Stack through;
  through.crashed = true;
  through.through = "abort";
  EXPECT_TRUE(Verdict_Of(aborted, limits, 0, through).aborted);
  EXPECT_FALSE(Verdict_Of(aborted, limits, 0, Crash_Stack{}).aborted);  // a plain return 3
}

// How a checker ended, and what it makes of the program's output.
struct Checked {
  bool started, signaled;
  long long code, cpu_us, peak_mb;
  Verdict verdict, helper;
  bool presentation;
};

TEST(Decide, TestlibsExitCodesAndAFailingCheckerNeverTheProgramsFault) {
  // clang-format off
  const Checked cases[] = {
      {true, false, 0, 1000, 1, VERDICT_AC, VERDICT_AC, false},
      {true, false, 1, 1000, 1, VERDICT_WA, VERDICT_AC, false},
      {true, false, 2, 1000, 1, VERDICT_WA, VERDICT_AC, true},   // PE, a judge's WA
      {true, false, 3, 1000, 1, VERDICT_JUDGE_FAILED, VERDICT_AC, false},
      {true, false, 7, 1000, 1, VERDICT_PARTIAL, VERDICT_AC, false},
      {true, false, 42, 1000, 1, VERDICT_WA, VERDICT_AC, false},  // a plain checker's no
      {true, true, 11, 1000, 1, VERDICT_JUDGE_FAILED, VERDICT_RE, false},
      {true, true, 1, 1000, 1, VERDICT_JUDGE_FAILED, VERDICT_RE, false},  // a signal, not a code
      {true, false, 0, 10000001, 1, VERDICT_JUDGE_FAILED, VERDICT_TLE, false},
      {true, false, 1, 1000, 1025, VERDICT_JUDGE_FAILED, VERDICT_MLE, false},
      {false, false, 2, 0, 0, VERDICT_JUDGE_FAILED, VERDICT_NOT_STARTED, false},
      // A second past the program's limit is well within the checker's own.
      {true, false, 0, 2000000, 600, VERDICT_AC, VERDICT_AC, false},
  };
  // clang-format on
  for (const Checked& c : cases) {
    Sample_Run run;
    run.end = {c.started, c.signaled, c.code};
    run.cpu_us = c.cpu_us;
    run.peak_bytes = c.peak_mb << 20;
    Run_Verdict v = Checked_Verdict(run, Crash_Stack{});
    EXPECT_EQ(v.verdict, c.verdict) << c.code << " " << c.signaled << " " << c.cpu_us;
    EXPECT_EQ(v.helper, c.helper) << c.code << " " << c.signaled << " " << c.cpu_us;
    EXPECT_EQ(v.presentation, c.presentation) << c.code;
  }
  Sample_Run interrupted;
  interrupted.stop = STOP_INTERRUPTED;
  EXPECT_EQ(Checked_Verdict(interrupted, Crash_Stack{}).verdict, VERDICT_INTERRUPTED);
}

TEST(Verdicts, ACheckersWordsItsPointsAndItsOwnFailure) {
  Tested_Program program{{"a.exe"},         {"a.in"},        "", "a.out", Problem_Limits{}, {}, {},
                         "./a_checker.exe", "a_checker.cpp", ""};
  Judgement j;
  j.run.end = {true, false, 0};
  j.run.cpu_us = 1000;
  j.run.peak_bytes = 1 << 20;
  j.input = "3\n";
  j.verdict = VERDICT_WA;
  j.checker_message = "wrong answer 2 appears twice\n";
  EXPECT_EQ(Lines_Of(j, program),
            "样例 3：WA 答案错误，用时 0.001 秒，内存 1 MB。\n"
            "  检查器 a_checker.cpp 的话：\n    wrong answer 2 appears twice\n  输入：3\n");
  j.presentation = true;
  j.checker_message = "wrong output format Expected EOF\n";
  EXPECT_NE(Lines_Of(j, program).find("格式不对（testlib 的 PE），评测时算答案错误"),
            std::string::npos);
  j.verdict = VERDICT_PARTIAL;
  const std::pair<const char*, const char*> points[] = {
      {"points 0.25 half of the edges\n", "部分分 0.25 分，"},  // testlib's quitp
      {"60 some pairs wrong\n", "部分分 60 分，"},
      {"partially correct\n", "部分分，"},  // no points said: none invented
  };
  for (const auto& [message, said] : points) {
    j.checker_message = message;
    EXPECT_EQ(Lines_Of(j, program).rfind(std::string("样例 3：") + said, 0), 0u) << message;
  }
  j.verdict = VERDICT_JUDGE_FAILED;
  j.error = "检查器 a_checker.cpp 报告它自己出错了（返回值 3）";
  j.checker_message = "FAIL answer file has no path\n";
  EXPECT_EQ(Lines_Of(j, program),
            "样例 3：没有结果：检查器 a_checker.cpp 报告它自己出错了（返回值 3），"
            "这不是程序的错，这个样例不算对也不算错。\n"
            "  检查器 a_checker.cpp 的话：\n    FAIL answer file has no path\n");
}

TEST(Decide, TheWatchEndsARunPastALimitOrWaitingOrOnABusyMachine) {
  Sample_Request request;
  Limit_Run(Problem_Limits{}, request);
  EXPECT_EQ(request.rule, &Watch_Rule);
  Watch_Mark mark;
  Sample_Look look;
  look.wall_us = 100000;
  look.cpu_us = 1000001;
  EXPECT_EQ(Watch_Rule(request, look, mark), STOP_TIME);
  look.cpu_us = 1000;
  look.memory_refused = true;
  EXPECT_EQ(Watch_Rule(request, look, mark), STOP_MEMORY);
  look.memory_refused = false;
  look.output_bytes = OUTPUT_CAP + 1;
  EXPECT_EQ(Watch_Rule(request, look, mark), STOP_OUTPUT);
  look.output_bytes = 0;
  look.stopped = true;
  EXPECT_EQ(Watch_Rule(request, look, mark), STOP_TERMINAL);
  look.stopped = false;
  // Waiting is told over a quarter second, past the time the waiting are given.
  look.wall_us = request.wait_us + 1;
  EXPECT_EQ(Watch_Rule(request, look, mark), STOP_WAITING);
  look.wall_us += 300000;
  look.cpu_us += 300000;  // computing all along: not waiting
  EXPECT_EQ(Watch_Rule(request, look, mark), STOP_NONE);
  look.wall_us += 100000;  // too short a span to tell
  EXPECT_EQ(Watch_Rule(request, look, mark), STOP_NONE);
  look.running = true;
  look.wall_us += 300000;  // ready to run but given no time: a busy machine, not waiting
  EXPECT_EQ(Watch_Rule(request, look, mark), STOP_NONE);
  look.wall_us = request.wall_us + 1;
  EXPECT_EQ(Watch_Rule(request, look, mark), STOP_SLOW);
  look.cpu_known = false;  // the clock stands in for the time: nobody is said to wait
  look.running = false;
  look.cpu_us = 1000;
  look.wall_us += 300000;
  EXPECT_EQ(Watch_Rule(request, look, mark), STOP_NONE);
}

TEST(Verdicts, TheLastLinesOfStandardErrorThatHoldAnything) {
  EXPECT_EQ(Last_Lines("a\n\nb\r\nc\nd\n\n", 3, "  ", 80), "  b\n  c\n  d\n");
  EXPECT_EQ(Last_Lines("only\x1B[31m", 5, "", 80), "only\\x1B[31m\n");
  EXPECT_EQ(Last_Lines("", 5, "", 80), "");
}

}  // namespace
