// The launcher's Windows build under Wine: a program that prints Chinese,
// returns 3, divides by zero, writes through a null pointer, lacks its DLLs,
// or does not exist, each run through tarnwickstone-launch.exe; and samples.
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>
#include <regex>

#include "pages.h"
#include "wine_session.h"

namespace fs = std::filesystem;

namespace {

const std::string RULE = LAUNCH_RULE;
const std::string WAIT = KEY_WAIT + "\n";

std::string Launcher() {
  return Windows_Build("tarnwickstone-launch.exe");
}

std::string Sample(const std::string& name) {
  return Windows_Build("tests/launch_sample/" + name + ".exe");
}

// Skips (fails under CI) when the launcher or its sample programs were not built.
#define REQUIRE_LAUNCHER()                                                \
  do {                                                                    \
    REQUIRE_WINE();                                                       \
    for (const std::string& file : {Launcher(), Sample("launch_sample")}) \
      if (!fs::exists(file)) {                                            \
        if (Under_CI()) FAIL() << file << " is missing";                  \
        GTEST_SKIP() << file << " is missing: scripts/build windows";     \
      }                                                                   \
  } while (0)

struct Launched {
  std::string output;  // what the launcher and the program wrote, CR LF as LF, times as T
  int status;          // the launcher's exit status as Wine passes it on (the low 8 bits)
  bool waited;         // it read the key sent after its prompt
};

// Runs the launcher with `args` in `folder` and presses a key at its wait.
Launched Launch(const std::vector<std::string>& args, const std::string& folder) {
  Session s = Start(Launcher(), args, folder);
  Launched run{"", -1, false};
  bool prompted = bool(Expect(s, KEY_WAIT, 60));
  // A launcher that went on without a key would leave it unread.
  if (prompted) Send(s, "x");
  int unread = -1;
  run.status = Finish(s, 30, &unread);
  run.waited = prompted && unread == 0;
  std::string text;
  for (char c : s.output)
    if (c != '\r') text += c;
  run.output = std::regex_replace(text, std::regex("用时 [0-9]+\\.[0-9]{3} 秒"), "用时 T 秒");
  return run;
}

}  // namespace

TEST(WindowsLauncher, ShowsChineseAndTheEndOfAProgramInAChineseFolder) {
  REQUIRE_LAUNCHER();
  std::string folder = Fresh_Folder("launch");
  // A Chinese file name in a Chinese folder reaches the launcher as UTF-16 and must survive.
  fs::copy_file(Sample("launch_sample"), folder + "/你好 世界.exe");
  Launched run = Launch({Windows_Path(folder + "/你好 世界.exe"), "hello"}, folder);
  EXPECT_EQ(run.output, "你好，世界\n" + RULE + "程序已结束，返回值 0，用时 T 秒。\n" + WAIT);
  EXPECT_TRUE(run.waited);
  EXPECT_EQ(run.status, 0);

  // A bare name is the file in this folder; the arguments arrive as they were given.
  run = Launch({"你好 世界.exe", "echo", "a b", "say \"hi\"", ""}, folder);
  EXPECT_EQ(run.output,
            "[a b]\n[say \"hi\"]\n[]\n" + RULE + "程序已结束，返回值 0，用时 T 秒。\n" + WAIT);
}

TEST(WindowsLauncher, PassesOnTheReturnValue) {
  REQUIRE_LAUNCHER();
  Launched run = Launch({Windows_Path(Sample("launch_sample")), "return3"}, Fresh_Folder("return"));
  EXPECT_EQ(run.output, RULE + "程序已结束，返回值 3，用时 T 秒。\n" + WAIT);
  EXPECT_EQ(run.status, 3);
}

// "出错位置：sample.cpp 第 N 行，函数 main", N the line of sample.cpp that holds `code`.
std::string Place_Of(const std::string& code) {
  std::string source = Read_File_Bytes(TWS_SOURCE_DIR "/tests/launch_sample/sample.cpp");
  size_t at = source.find(code);
  int line = 1 + static_cast<int>(std::count(source.begin(), source.begin() + at, '\n'));
  return "出错位置：sample.cpp 第 " + std::to_string(line) + " 行，函数 main\n";
}

TEST(WindowsLauncher, ExplainsCrashesInDecimalAndHex) {
  REQUIRE_LAUNCHER();
  std::string folder = Fresh_Folder("crash");
  // No addr2line on this Wine's PATH: the crash is explained, and why its line is not.
  const std::string no_tool =
      "无法确定出错位置：找不到读取行号的工具 addr2line（它和 g++ 一起安装，"
      "通常在 g++ 所在的文件夹里）。\n";
  Launched run = Launch({Windows_Path(Sample("launch_sample")), "divide"}, folder);
  // What came before (Wine's own crash report among it) is not the launcher's.
  EXPECT_TRUE(Ends_With(run.output, RULE +
                                        "程序已结束，返回值 3221225620（0xC0000094），用时 T 秒。\n"
                                        "整数除以零：整数除法或取余运算的除数为 0。\n" +
                                        no_tool + WAIT));
  EXPECT_EQ(run.status, 0x94);

  run = Launch({Windows_Path(Sample("launch_sample")), "null"}, folder);
  EXPECT_TRUE(Ends_With(run.output, RULE +
                                        "程序已结束，返回值 3221225477（0xC0000005），用时 T 秒。\n"
                                        "访问违规：程序读写了不允许访问的内存，"
                                        "常见原因是空指针、野指针或数组越界。\n" +
                                        no_tool + WAIT));
  EXPECT_EQ(run.status, 0x05);
}

TEST(WindowsLauncher, NamesTheLineOfACrashWithTheAddr2lineBesideIt) {
  REQUIRE_LAUNCHER();
  std::string folder = Fresh_Folder("crash line");
  // The launcher and addr2line in one folder, as in a MinGW-w64 bin folder;
  // the program in a Chinese folder, loaded at another base than it asks for.
  fs::copy_file(Launcher(), folder + "/tarnwickstone-launch.exe");
  fs::copy_file(Windows_Build("tests/windows/doubles/addr2line.exe"), folder + "/addr2line.exe");
  fs::create_directory(folder + "/中文 程序");
  fs::copy_file(Sample("launch_sample"), folder + "/中文 程序/崩溃.exe");
  Session s = Start(folder + "/tarnwickstone-launch.exe",
                    {Windows_Path(folder + "/中文 程序/崩溃.exe"), "null"}, folder);
  ASSERT_TRUE(Expect(s, KEY_WAIT, 60)) << Escaped(s.output);
  Send(s, "x");
  EXPECT_EQ(Finish(s), 0x05);
  std::string text;
  for (char c : s.output)
    if (c != '\r') text += c;
  EXPECT_TRUE(
      Ends_With(text, "常见原因是空指针、野指针或数组越界。\n" + Place_Of("*pointer = 1;") + WAIT));
}

TEST(WindowsLauncher, SuggestsStaticLinkingWhenTheRuntimeDllsAreMissing) {
  REQUIRE_LAUNCHER();
  if (!fs::exists(Sample("launch_sample_dynamic"))) GTEST_SKIP() << "no MinGW build";
  Launched run =
      Launch({Windows_Path(Sample("launch_sample_dynamic")), "hello"}, Fresh_Folder("dll"));
  EXPECT_TRUE(Ends_With(run.output, RULE +
                                        "程序已结束，返回值 3221225781（0xC0000135），用时 T 秒。\n"
                                        "找不到程序需要的 DLL：请在编译选项中加上 -static "
                                        "后重新编译。\n" +
                                        WAIT));
}

TEST(WindowsLauncher, SaysWhyAProgramCannotStart) {
  REQUIRE_LAUNCHER();
  std::string folder = Fresh_Folder("missing");
  std::string missing = Windows_Path(folder + "/没有.exe");
  Launched run = Launch({missing}, folder);
  EXPECT_EQ(run.output, "无法启动程序 " + missing + "：文件不存在。\n" + WAIT);
  EXPECT_TRUE(run.waited);
  EXPECT_EQ(run.status, 127);

  Write_File_Bytes(folder + "/文本.exe", "不是程序\n");
  run = Launch({"文本.exe"}, folder);
  EXPECT_EQ(run.output, "无法启动程序 文本.exe：它不是本系统能运行的程序。\n" + WAIT);
  EXPECT_EQ(run.status, 126);

  // Started with nothing, as a double click starts it: how it is set up, no error first.
  run = Launch({}, folder);
  EXPECT_EQ(run.output, Launcher_Setup(Windows_Path(Launcher())) + WAIT);
  EXPECT_EQ(run.status, 2);

  // Its help speaks of Windows' exception codes, not of signals.
  int status = -1;
  std::string help = ::Run(Launcher(), {"--help"}, folder, "", &status);
  EXPECT_EQ(status, 0);
  EXPECT_NE(help.find("0xC0000005"), std::string::npos) << Escaped(help);
  EXPECT_EQ(help.find("信号"), std::string::npos) << Escaped(help);
}

TEST(WindowsLauncher, InAConsoleSetsTheTitleAndUTF8AndPutsTheCodePagesBack) {
  REQUIRE_LAUNCHER();
  Session s = Start_In_Terminal("cmd", Fresh_Folder("console"));
  ASSERT_TRUE(Expect(s, ">"));
  std::string sample = Windows_Path(Sample("launch_sample"));
  Send(s, Windows_Path(Launcher()) + " " + sample + " codepages\r");
  // Wine draws the program's spaces as cursor moves: "code pages 65001 65001".
  ASSERT_TRUE(Expect(s, "codepages6500165001\n"));
  ASSERT_TRUE(Expect(s, LAUNCH_RULE.substr(1) + "程序已结束，返回值 0，用时"));
  ASSERT_TRUE(Expect(s, KEY_WAIT));
  EXPECT_FALSE(Expect(s, ">", 1)) << "the launcher did not wait for a key";
  Send(s, " ");
  ASSERT_TRUE(Expect(s, ">"));
  EXPECT_NE(s.output.find("\x1b]0;launch_sample.exe\x07"), std::string::npos) << Escaped(s.output);
  Send(s, sample + " codepages\r");
  EXPECT_TRUE(Expect(s, "codepages936936\n"));  // Chinese Windows' own, as before

  // UTF-8 bytes show as Chinese through the launcher, and as garbage without it.
  Send(s, Windows_Path(Launcher()) + " " + sample + " utf8\r");
  EXPECT_TRUE(Expect(s, "你好，世界\n"));
  ASSERT_TRUE(Expect(s, KEY_WAIT));
  Send(s, " ");
  ASSERT_TRUE(Expect(s, ">"));
  Send(s, sample + " utf8\r");
  ASSERT_TRUE(Expect(s, ">"));
  EXPECT_EQ(Visible(s.output).rfind("你好，世界"), Visible(s.output).find("你好，世界"));
  Send(s, "exit\r");
  EXPECT_EQ(Finish(s), 0);
}

namespace {

// Whether a process of the Windows program at `windows_path` still runs.
bool Running(const std::string& windows_path) {
  for (const auto& entry : fs::directory_iterator("/proc")) {
    std::string command = Read_File_Bytes(entry.path().string() + "/cmdline");
    if (command.compare(0, windows_path.size(), windows_path) == 0) return true;
  }
  return false;
}

}  // namespace

// The contest programs plus and sum, built for Windows, with their sources.
void Copy_Programs(const std::string& folder) {
  for (const std::string program : {"plus", "sum"}) {
    fs::copy_file(Sample(program), folder + "/" + program + ".exe");
    fs::copy_file(TWS_SOURCE_DIR "/tests/launch_sample/" + program + ".cpp",
                  folder + "/" + program + ".cpp");
  }
}

// What the launcher wrote, with the figures that vary as T and M.
std::string Timeless(const std::string& out) {
  std::string text = std::regex_replace(Visible(out), std::regex("用时 [0-9.]+ 秒"), "用时 T 秒");
  return std::regex_replace(text, std::regex("内存 [0-9.]+ MB"), "内存 M MB");
}

TEST(WindowsLauncher, JudgesCRLFSamplesAFreopenProgramAndAnEndlessLoop) {
  REQUIRE_LAUNCHER();
  std::string folder = Fresh_Folder("samples");
  Copy_Programs(folder);
  // clang-format off
  const std::map<std::string, std::string> files = {
      {"plus1.in", "1 2\r\n"}, {"plus1.ans", "3\r\n"}, {"plus2.in", "loop\r\n"}, {"plus2.ans", "0"},
      {"sum/sum1.in", "5 6\r\n"}, {"sum/sum1.ans", "11\r\n"}};
  // clang-format on
  fs::create_directory(folder + "/sum");
  for (const auto& [name, bytes] : files) Write_File_Bytes(folder + "/" + name, bytes);
  // Starting a program under Wine can take a good part of a second.
  int status = -1;
  std::string out = ::Run(Launcher(), {"--time-limit=3", "plus.exe"}, folder, "x", &status);
  EXPECT_EQ(Timeless(out),
            "在 . 找到 2 个样例，每个限时 3.000 秒，内存限制 512 MB。\n"
            "样例 1：AC 通过，用时 T 秒，内存 M MB。\n"
            "样例 2：TLE 超时，超过 3.000 秒还没有结束，程序已被结束，内存 M MB。\n通过 1/2\n" +
                SAMPLES_KEY + "\n");
  EXPECT_EQ(status, 1);
  auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (Running(Windows_Path(folder + "/plus.exe")) && std::chrono::steady_clock::now() < give_up)
    usleep(10000);
  EXPECT_FALSE(Running(Windows_Path(folder + "/plus.exe"))) << "the Job Object ended it";

  out = ::Run(Launcher(), {"--time-limit=3", "sum.exe"}, folder, "x", &status);
  EXPECT_NE(out.find("样例 1：AC 通过"), std::string::npos) << Escaped(out);
  EXPECT_EQ(status, 0);
  // The same program as problem "sun": the judge gives sun.in, not the sum.in it opens.
  fs::copy_file(folder + "/sum.exe", folder + "/sun.exe");
  fs::copy_file(folder + "/sum.cpp", folder + "/sun.cpp");
  Write_File_Bytes(folder + "/sun1.in", "5 6\r\n");
  Write_File_Bytes(folder + "/sun1.ans", "11\r\n");
  out = ::Run(Launcher(), {"--time-limit=3", "sun.exe"}, folder, "x", &status);
  EXPECT_NE(Timeless(out).find(
                "  提示：程序打开的是 sum.in，评测只提供 sun.in：比赛时这道题会得 0 分。\n"),
            std::string::npos)
      << Escaped(out);
  EXPECT_EQ(out.find("样例 1：AC"), std::string::npos) << Escaped(out);
  for (const auto& [name, bytes] : files) EXPECT_EQ(Read_File_Bytes(folder + "/" + name), bytes);
  EXPECT_FALSE(fs::exists(folder + "/sum.out"));  // it wrote in a folder of its own
}

// Arrays declared past the memory limit: the PE's writable sections are read
// and every sample is MLE before anything runs, as on POSIX from ELF's.
TEST(WindowsLauncher, RefusesStaticArraysPastTheMemoryLimitUnrun) {
  REQUIRE_LAUNCHER();
  std::string folder = Fresh_Folder("static");
  fs::copy_file(Sample("static_grid"), folder + "/grid.exe");
  fs::copy_file(TWS_SOURCE_DIR "/tests/launch_sample/contests/static-arrays/grid.cpp",
                folder + "/grid.cpp");
  Write_File_Bytes(folder + "/grid1.in", "3\r\n");
  Write_File_Bytes(folder + "/grid1.ans", "6\r\n");
  int status = -1;
  std::string out = Timeless(::Run(Launcher(), {"grid.exe"}, folder, "x", &status));
  EXPECT_NE(out.find("内存限制 256 MB。内存限制来自 grid.cpp 开头的注释。\n"
                     "样例 1：MLE 超出内存限制，全局变量和数组共 293."),
            std::string::npos)
      << Escaped(out);
  EXPECT_NE(out.find(" MB，超过了 256 MB 的内存限制，程序没有运行。\n"), std::string::npos);
  EXPECT_NE(out.find("\n通过 0/1\n"), std::string::npos);
  EXPECT_EQ(status, 1);
}

// Two programs at once under the Job Objects, one of them crashing: its RE
// names the line, with the addr2line double beside the launcher.
TEST(WindowsLauncher, NamesTheLineOfASamplesCrash) {
  REQUIRE_LAUNCHER();
  std::string folder = Fresh_Folder("sample crash");
  Copy_Programs(folder);
  fs::copy_file(Launcher(), folder + "/tarnwickstone-launch.exe");
  fs::copy_file(Windows_Build("tests/windows/doubles/addr2line.exe"), folder + "/addr2line.exe");
  for (const auto& [name, bytes] : std::map<std::string, std::string>{{"plus1.in", "1 2\r\n"},
                                                                      {"plus1.ans", "3\r\n"},
                                                                      {"plus2.in", "div\r\n"},
                                                                      {"plus2.ans", "0\r\n"},
                                                                      {"plus3.in", "throw\r\n"},
                                                                      {"plus3.ans", "0\r\n"}})
    Write_File_Bytes(folder + "/" + name, bytes);
  int status = -1;
  std::string out = ::Run(folder + "/tarnwickstone-launch.exe", {"--time-limit=3", "plus.exe"},
                          folder, "x", &status);
  std::string source = Read_File_Bytes(folder + "/plus.cpp");
  int line = 1 + static_cast<int>(std::count(
                     source.begin(), source.begin() + source.find("return one / zero;"), '\n'));
  EXPECT_NE(Timeless(out).find("样例 1：AC 通过，用时 T 秒，内存 M MB。\n"
                               "样例 2：RE 运行错误，程序已结束，返回值 3221225620（0xC0000094），"
                               "用时 T 秒，内存 M MB。\n"
                               "  整数除以零：整数除法或取余运算的除数为 0。\n"
                               "  出错位置：plus.cpp 第 " +
                               std::to_string(line) + " 行，函数 main\n"),
            std::string::npos)
      << Escaped(out);
  // An exception nobody catches ends it through abort: said as the abort it is.
  EXPECT_NE(Timeless(out).find("样例 3：RE 运行错误，程序已结束，返回值 3，用时 T 秒，内存 M MB。\n"
                               "  程序中止（abort）：常见原因是断言失败或异常没有被捕获。\n"),
            std::string::npos)
      << Escaped(out);
  EXPECT_NE(Timeless(out).find("通过 1/3\n"), std::string::npos) << Escaped(out);
  EXPECT_EQ(status, 1);
}

// An exception nobody catches is named on its line as on Linux (the walk from
// abort passes the frame pointer Wine clears); a stack overflow (which Wine
// ends with status 0) and INT_MIN / -1 (which it reports as a division by
// zero) are said as what they are.
TEST(WindowsLauncher, NamesAnUncaughtExceptionAStackOverflowAndAnOverflowingDivision) {
  REQUIRE_LAUNCHER();
  std::string folder = Fresh_Folder("crash ends");
  fs::copy_file(Launcher(), folder + "/tarnwickstone-launch.exe");
  fs::copy_file(Windows_Build("tests/windows/doubles/addr2line.exe"), folder + "/addr2line.exe");
  fs::copy_file(Sample("launch_sample"), folder + "/sample.exe");
  std::string source = Read_File_Bytes(TWS_SOURCE_DIR "/tests/launch_sample/sample.cpp");
  auto line_of = [&](const std::string& code) {
    return std::to_string(1 + std::count(source.begin(), source.begin() + source.find(code), '\n'));
  };
  auto launch = [&](const std::string& mode) {
    int status = -1;
    return Visible(
        ::Run(folder + "/tarnwickstone-launch.exe", {"sample.exe", mode}, folder, "x", &status));
  };
  std::string out = launch("at");
  EXPECT_NE(out.find("程序已结束，返回值 3，"), std::string::npos) << Escaped(out);
  EXPECT_NE(out.find("出错位置：sample.cpp 第 " + line_of("return three.at(5);") +
                     " 行，函数 main\n这一行调用的 std::vector::at 抛出了异常，程序没有捕获它。\n"),
            std::string::npos)
      << Escaped(out);
  out = launch("deep");
  EXPECT_NE(out.find("程序已结束，返回值 3221225725（0xC00000FD）"), std::string::npos)
      << Escaped(out);
  EXPECT_NE(out.find("递归太深：函数 Deeper 递归了"), std::string::npos) << Escaped(out);
  out = launch("min");
  EXPECT_NE(out.find("程序已结束，返回值 3221225621（0xC0000095）"), std::string::npos)
      << Escaped(out);
  EXPECT_NE(out.find("整数溢出：整数除法的结果超出了它的类型的范围，例如 INT_MIN 除以 -1。\n"
                     "出错位置：sample.cpp 第 " +
                     line_of("return least / minus;") + " 行，函数 main\n"),
            std::string::npos)
      << Escaped(out);
}

// The job's memory limit, as Wine keeps none: the program's own peak, watched.
// Wine tells no other process's CPU time either, so the clock stands in for
// it; and it keeps no integrity levels, so writes outside the sample's folder
// are not refused here as they are on Windows.
TEST(WindowsLauncher, HoldsAProgramToTheMemoryLimitAndRunsItByHandInItsFolder) {
  REQUIRE_LAUNCHER();
  std::string folder = Fresh_Folder("memory") + "/题目";
  fs::create_directories(folder);
  Copy_Programs(folder);
  const std::map<std::string, std::string> files = {
      {"plus1.in", "hog 100\r\n"}, {"plus1.ans", "100\r\n"}, {"plus2.in", "hog 700\r\n"},
      {"plus2.ans", "700\r\n"},    {"sum1.in", "1 2\r\n"},   {"sum1.ans", "3\r\n"},
      {"sum.in", "5 5\r\n"}};
  for (const auto& [name, bytes] : files) Write_File_Bytes(folder + "/" + name, bytes);
  int status = -1;
  std::string out = ::Run(Launcher(), {"--time-limit=3", "plus.exe"}, folder, "x", &status);
  EXPECT_EQ(Timeless(out),
            "在 . 找到 2 个样例，每个限时 3.000 秒，内存限制 512 MB。\n"
            "样例 1：AC 通过，用时 T 秒，内存 M MB。\n"
            "样例 2：MLE 超出内存限制，内存超过 512 MB，程序已被结束，用时 T 秒。\n通过 1/2\n" +
                SAMPLES_KEY + "\n");
  std::smatch peak;
  ASSERT_TRUE(std::regex_search(out, peak, std::regex("内存 ([0-9.]+) MB")));
  // Wine keeps no job peak, so the launcher samples the program's own while it runs and
  // may see the memset unfinished: the figure is of the hog, not of an idle program.
  EXPECT_GE(std::stod(peak[1]), 50.0) << "the peak of the sample that took 100 MB";

  // From the folder above, Enter runs it by hand where its freopen finds sum.in.
  out = ::Run(Launcher(), {"题目\\sum.exe"}, fs::path(folder).parent_path(), "\nx", &status);
  EXPECT_NE(out.find("样例 1：AC 通过"), std::string::npos) << Escaped(out);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(Read_File_Bytes(folder + "/sum.out"), "10\r\n");
}

// 对拍 under Wine. The launcher is copied into the folder with the compiler
// double beside it as g++.exe, which it finds there first: the double fails
// on the generator's first source (FAIL_TO_COMPILE), written to a file of
// the launcher's own beside it, and its words and the launcher's line follow.
// Then the real generator's source with the program, the generator and the
// brute force prebuilt for Windows, newer than their sources, so that nothing
// is compiled: the rounds find the wrong answer for 7 and keep it as the first
// sample, with the CR LF the programs wrote, and the next run judges it. A
// limit of 60 seconds, since the clock stands in for a program's time under
// Wine and a busy machine may take seconds to start one; the rounds limited by
// their number only, for the same reason.
TEST(WindowsLauncher, StressFindsTheWrongAnswerAndKeepsItAsASample) {
  REQUIRE_LAUNCHER();
  if (!fs::exists(Sample("stress_double_gen"))) GTEST_SKIP() << "no MinGW build";
  std::string folder = Fresh_Folder("对拍");
  fs::copy_file(Launcher(), folder + "/tarnwickstone-launch.exe");
  fs::copy_file(Windows_Build("tests/windows/doubles/compiler.exe"), folder + "/g++.exe");
  fs::copy_file(Windows_Build("tests/windows/doubles/recorder.exe"), folder + "/recorder.exe");
  const std::string sources = TWS_SOURCE_DIR "/tests/launch_sample/contests/stress-wrong/";
  Write_File_Bytes(folder + "/double.cpp",
                   "// 对拍时间：86400 秒\n" + Read_File_Bytes(sources + "double.cpp"));
  fs::copy_file(sources + "double_brute.cpp", folder + "/double_brute.cpp");
  for (const std::string name : {"double", "double_brute"})
    fs::copy_file(Sample("stress_" + name), folder + "/" + name + ".exe");
  Write_File_Bytes(folder + "/double_gen.cpp", "// FAIL_TO_COMPILE\n");
  const std::string launcher = folder + "/tarnwickstone-launch.exe";
  int status = -1;
  std::string out = ::Run(launcher, {"--time-limit=60", "double.exe"}, folder, "Dx", &status);
  EXPECT_EQ(Visible(out), "找到生成器 double_gen.cpp 和暴力程序 double_brute.cpp，可以对拍。\n" +
                              STRESS_KEY +
                              "\n正在编译 double_gen.cpp：g++ -O2 -g -o double_gen.exe "
                              "double_gen.cpp\na.cpp:1:1: error: asked to fail\n"
                              "double_gen.cpp 编译失败（见上面编译器的话），没有对拍。\n" +
                              STRESS_KEY + "\n");
  // Compiled into a file of its own, which is gone with the failure.
  EXPECT_EQ(Read_File_Bytes(folder + "/g++.log"),
            "[-O2][-g][-o][double_gen.~0.exe][double_gen.cpp]\n");
  EXPECT_FALSE(fs::exists(folder + "/double_gen.~0.exe"));

  fs::remove(folder + "/double_gen.cpp");
  fs::copy_file(sources + "double_gen.cpp", folder + "/double_gen.cpp");
  fs::copy_file(Sample("stress_double_gen"), folder + "/double_gen.exe");
  Session s = Start(launcher, {"--time-limit=60", "double.exe"}, folder);
  ASSERT_TRUE(Expect(s, STRESS_KEY, 60));
  Send(s, "D");
  // The rounds may go on to their limit of 1000, each start slow under Wine.
  ASSERT_TRUE(Expect(s, Crlf("下次运行时会评测它。\n" + STRESS_KEY), 3600));
  Send(s, "x");
  status = Finish(s, 30);
  out = std::regex_replace(Timeless(s.output), std::regex("[0-9]+ 轮"), "K 轮");
  out = std::regex_replace(out, std::regex("种子 [0-9]+，规模 [0-9]+：double_gen.exe [0-9 ]+"),
                           "种子 S，规模 K：double_gen.exe S K ");
  EXPECT_NE(
      out.find("对拍 K 轮，在第 K 轮发现问题：\nWA 答案错误，用时 T 秒，内存 M MB。第 1 行不同：\n"
               "  期望：14\n  实际：15\n  输入：7\n"
               "  种子 S，规模 K：double_gen.exe S K 会生成这个输入。\n"
               "已保存为样例 1（double1.in 和 double1.ans），下次运行时会评测它。\n"),
      std::string::npos)
      << out;
  EXPECT_EQ(status, 1);
  EXPECT_EQ(Read_File_Bytes(folder + "/double1.in"), "7\r\n");
  EXPECT_EQ(Read_File_Bytes(folder + "/double1.ans"), "14\r\n");
  EXPECT_EQ(Read_File_Bytes(folder + "/g++.log"),
            "[-O2][-g][-o][double_gen.~0.exe][double_gen.cpp]\n");
  out = ::Run(launcher, {"--time-limit=60", "double.exe"}, folder, "x", &status);
  EXPECT_NE(Visible(out).find("样例 1：WA 答案错误"), std::string::npos) << Escaped(out);
}

// A checker judges the samples under Wine as on POSIX: another right answer
// passes, a wrong one gets the checker's words, and its folder goes.
TEST(WindowsLauncher, ACheckerBesideTheSamplesJudgesThem) {
  REQUIRE_LAUNCHER();
  if (!fs::exists(Sample("checker_perm_checker"))) GTEST_SKIP() << "no MinGW build";
  std::string folder = Fresh_Folder("检查器");
  const std::string sources = TWS_SOURCE_DIR "/tests/launch_sample/contests/checker-permutation/";
  for (const std::string name : {"perm", "perm_checker"}) {
    fs::copy_file(sources + name + ".cpp", folder + "/" + name + ".cpp");
    fs::copy_file(Sample("checker_" + name), folder + "/" + name + ".exe");
  }
  for (const std::string name : {"perm1.in", "perm1.ans", "perm2.in", "perm2.ans"})
    fs::copy_file(sources + name, folder + "/" + name);
  int status = -1;
  std::string out = ::Run(Launcher(), {"--time-limit=5", "perm.exe"}, folder, "x", &status);
  EXPECT_EQ(Timeless(out),
            "在 . 找到 2 个样例，每个限时 5.000 秒，内存限制 512 MB。\n"
            "答案由检查器 perm_checker.cpp 评判，不再逐字比较。\n"
            "样例 1：AC 通过，用时 T 秒，内存 M MB。\n"
            "样例 2：WA 答案错误，用时 T 秒，内存 M MB。\n"
            "  检查器 perm_checker.cpp 的话：\n    wrong answer 3 is not new in 1..5\n"
            "  输入：5\n通过 1/2\n" +
                SAMPLES_KEY + "\n");
  EXPECT_EQ(status, 1);
  EXPECT_FALSE(fs::exists(folder + "/output.txt"));  // the checker ran in a folder of its own
}
