// tarnwickstone-launch at a real terminal: a program that prints Chinese,
// returns 3, divides by zero, writes through a null pointer or does not exist,
// run through the launcher directly and through the main program's page.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <regex>
#include <thread>

#include "e2e/piped_run.h"
#include "e2e/pty_session.h"
#include "pages.h"
#include "test_text.h"

namespace fs = std::filesystem;

namespace {

const std::string LAUNCHER = TWS_LAUNCHER;
const std::string SAMPLE = TWS_LAUNCH_SAMPLE;
const std::string RULE = LAUNCH_RULE;
const std::string WAIT = KEY_WAIT;

std::string Title(const std::string& name) {
  return "\x1b]0;" + name + "\x07";
}

// The screen with every "用时 0.123 秒" as "用时 T 秒".
std::string Timeless(const std::string& screen) {
  return std::regex_replace(screen, std::regex("用时 [0-9]+\\.[0-9]{3} 秒"), "用时 T 秒");
}

// "出错位置：sample.cpp 第 N 行，函数 main", N the line of sample.cpp that holds `code`.
std::string Place_Of(const std::string& code) {
  std::string source = Read_File_Bytes(std::string(TWS_SAMPLE_SOURCES) + "/sample.cpp");
  size_t at = source.find(code);
  int line = 1 + static_cast<int>(std::count(source.begin(), source.begin() + at, '\n'));
  return "出错位置：sample.cpp 第 " + std::to_string(line) + " 行，函数 main\n";
}

struct Launch_Test : ::testing::Test {
  std::string folder = Make_Temp_Folder();
  ~Launch_Test() override { fs::remove_all(folder); }

  // Runs the launcher with `args` in a new terminal up to its wait, checks
  // that the wait holds until a key comes, presses one and gives back the
  // launcher's exit status (negative when it went wrong before that).
  int Launch(Pty_Session& s, const std::vector<std::string>& args, const std::string& before = "") {
    // The harness starts a program without arguments: a script adds them.
    std::string script = folder + "/launch.sh";
    std::string text = "#!/bin/sh\nexec '" + LAUNCHER + "'";
    for (const std::string& arg : args) text += " '" + arg + "'";
    std::ofstream(script) << text << "\n";
    chmod(script.c_str(), 0755);
    if (!Start(s, script, folder)) return -2;
    if (!before.empty()) Type(s, before);
    if (!Expect(s, WAIT)) return -3;
    if (!Waits_For_A_Key(s)) return -4;  // no key is waited for
    Drain(s);
    if (!Ends_With(s.screen, WAIT)) return -5;  // it went on without a key
    Type(s, "x");
    return Wait_Exit(s);
  }
};

TEST_F(Launch_Test, ShowsChineseOutputThenHowItEndedAndWaitsForAKey) {
  Pty_Session s;
  EXPECT_EQ(Launch(s, {SAMPLE, "hello"}), 0) << Transcript(s);
  EXPECT_EQ(Timeless(s.screen), Title("launch_sample") + "你好，世界\n" + RULE +
                                    "程序已结束，返回值 0，用时 T 秒。\n" + WAIT + "\n")
      << Escaped(s.screen);
}

TEST_F(Launch_Test, PassesOnItsArgumentsAndTheReturnValue) {
  Pty_Session s;
  EXPECT_EQ(Launch(s, {SAMPLE, "echo", "a b", "", "说\"话"}), 0) << Transcript(s);
  EXPECT_NE(s.screen.find("[a b]\n[]\n[说\"话]\n" + RULE), std::string::npos) << Escaped(s.screen);

  Pty_Session three;
  EXPECT_EQ(Launch(three, {SAMPLE, "return3"}), 3) << Transcript(three);
  EXPECT_TRUE(
      Ends_With(Timeless(three.screen), RULE + "程序已结束，返回值 3，用时 T 秒。\n" + WAIT + "\n"))
      << Escaped(three.screen);
}

TEST_F(Launch_Test, ExplainsACrashWithTheSignalInDecimalAndHexAndNamesItsLine) {
  Pty_Session divide;
  EXPECT_EQ(Launch(divide, {SAMPLE, "divide"}), 128 + 8) << Transcript(divide);
  EXPECT_TRUE(
      Ends_With(Timeless(divide.screen), RULE +
                                             "程序被信号 8（0x8，SIGFPE）终止，用时 T 秒。\n"
                                             "算术错误：常见原因是整数除以零。\n" +
                                             Place_Of("return argc / zero;") + WAIT + "\n"))
      << Escaped(divide.screen);

  Pty_Session null;
  EXPECT_EQ(Launch(null, {SAMPLE, "null"}), 128 + 11) << Transcript(null);
  EXPECT_TRUE(
      Ends_With(Timeless(null.screen), RULE +
                                           "程序被信号 11（0xB，SIGSEGV）终止，用时 T 秒。\n"
                                           "段错误：程序读写了不允许访问的内存，"
                                           "常见原因是空指针、野指针、数组越界或递归太深。\n" +
                                           Place_Of("*pointer = 1;") + WAIT + "\n"))
      << Escaped(null.screen);
}

TEST_F(Launch_Test, CtrlCEndsTheProgramButNotTheLauncher) {
  Pty_Session s;
  std::string script = folder + "/loop.sh";
  std::ofstream(script) << "#!/bin/sh\nexec '" << LAUNCHER << "' '" << SAMPLE << "' loop\n";
  chmod(script.c_str(), 0755);
  ASSERT_TRUE(Start(s, script, folder));
  ASSERT_TRUE(Expect(s, "循环中……\n"));
  Type(s, "\x03");
  ASSERT_TRUE(Expect(s, RULE + "程序被信号 2（0x2，SIGINT）终止，用时 "));
  ASSERT_TRUE(Expect(s, " 秒。\n程序被 Ctrl+C 中断。\n" + WAIT));
  Type(s, "x");
  EXPECT_EQ(Wait_Exit(s), 128 + 2) << Transcript(s);
}

TEST_F(Launch_Test, KeysTypedWhileTheProgramRanDoNotAnswerTheWait) {
  Pty_Session s;
  // Launch itself fails with -4 when "abc" ends the wait.
  EXPECT_EQ(Launch(s, {SAMPLE, "sleep"}, "abc"), 0) << Transcript(s);
  EXPECT_TRUE(Ends_With(Timeless(s.screen), "程序已结束，返回值 0，用时 T 秒。\n" + WAIT + "\n"))
      << Escaped(s.screen);
}

TEST_F(Launch_Test, SaysWhyAProgramCannotStart) {
  Pty_Session missing;
  EXPECT_EQ(Launch(missing, {folder + "/没有"}), 127) << Transcript(missing);
  EXPECT_EQ(missing.screen,
            Title("没有") + "无法启动程序 " + folder + "/没有：文件不存在。\n" + WAIT + "\n");

  std::ofstream(folder + "/text.exe") << "not a program\n";
  Pty_Session denied;
  EXPECT_EQ(Launch(denied, {folder + "/text.exe"}), 126) << Transcript(denied);
  EXPECT_TRUE(Ends_With(denied.screen,
                        "无法启动程序 " + folder + "/text.exe：没有运行它的权限。\n" + WAIT + "\n"))
      << Escaped(denied.screen);

  // Marked executable but not a program: never run by a shell as a script.
  std::ofstream(folder + "/script.exe") << "touch '" << folder << "/ran'\n";
  chmod((folder + "/script.exe").c_str(), 0755);
  Pty_Session script;
  EXPECT_EQ(Launch(script, {folder + "/script.exe"}), 126) << Transcript(script);
  EXPECT_TRUE(Ends_With(
      script.screen,
      "无法启动程序 " + folder + "/script.exe：它不是本系统能运行的程序。\n" + WAIT + "\n"))
      << Escaped(script.screen);
  EXPECT_FALSE(fs::exists(folder + "/ran"));

  Pty_Session directory;
  EXPECT_EQ(Launch(directory, {folder}), 126) << Transcript(directory);
  EXPECT_TRUE(Ends_With(directory.screen,
                        "无法启动程序 " + folder + "：这是一个文件夹，不是程序。\n" + WAIT + "\n"))
      << Escaped(directory.screen);

  // Started with nothing, as a double click starts it: how it is set up, no
  // error first; with an option but no program, the error first.
  Pty_Session none;
  EXPECT_EQ(Launch(none, {}), 2) << Transcript(none);
  EXPECT_EQ(none.screen, Launcher_Setup(LAUNCHER) + WAIT + "\n");
  Pty_Session no_program;
  EXPECT_EQ(Launch(no_program, {"--time-limit=2"}), 2) << Transcript(no_program);
  EXPECT_EQ(
      no_program.screen,
      "无法启动程序：没有给出程序的路径（用法：tarnwickstone-launch 程序路径 [参数……]）。\n\n" +
          Launcher_Setup(LAUNCHER) + WAIT + "\n");
}

TEST_F(Launch_Test, AnswersHelpAndVersionAndRunsNoProgramSoNamed) {
  // A program named --help would leave a mark if it ran.
  std::ofstream(folder + "/--help") << "#!/bin/sh\ntouch ran\n";
  chmod((folder + "/--help").c_str(), 0755);
  Piped_Run help = Run_Piped({LAUNCHER, "--help"}, folder);
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.find("用法：tarnwickstone-launch [--time-limit=秒数] [--memory-limit=MB] "
                          "程序路径 [参数……]\n"),
            0u)
      << help.out;
  EXPECT_NE(help.out.find("  --version "), std::string::npos) << help.out;
  EXPECT_NE(help.out.find("程序被信号 N 结束时为 128+N"), std::string::npos) << help.out;
  EXPECT_FALSE(fs::exists(folder + "/ran"));

  Piped_Run version = Run_Piped({LAUNCHER, "--time-limit=2", "--version"}, folder);
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, std::string("tarnwickstone-launch ") + TWS_VERSION + "\n");

  // Any other option is refused, and the window waits so that it can be read.
  Pty_Session other;
  EXPECT_EQ(Launch(other, {"--hepl", SAMPLE}), 2) << Transcript(other);
  EXPECT_NE(other.screen.find("无法启动程序：没有“--hepl”这个选项"), std::string::npos)
      << Escaped(other.screen);
}

TEST_F(Launch_Test, ABareNameIsTheFileHereNotAProgramOnThePath) {
  // "ls" here is the sample, not /bin/ls.
  fs::copy_file(SAMPLE, folder + "/ls");
  Pty_Session s;
  EXPECT_EQ(Launch(s, {"ls", "return3"}), 3) << Transcript(s);
}

TEST_F(Launch_Test, TheMainProgramRunsAProgramThroughIt) {
  if (access("/usr/bin/g++", X_OK) != 0) GTEST_SKIP() << "no /usr/bin/g++ to compile with";
  std::ofstream(folder + "/hello.cpp")
      << "#include <cstdio>\nint main() { std::puts(\"你好，世界\"); return 3; }\n";
  // Compiler, launcher, default folder, no options, slow output off.
  Write_File_Bytes(folder + "/Tarnwickstone.tws",
                   Saved_Settings("/usr/bin/g++", LAUNCHER, folder, "", false));
  Pty_Session s;
  ASSERT_TRUE(Start(s, TWS_PROGRAM, folder));
  ASSERT_TRUE(Expect(s, "5. 保存信息并退出\n\n"));
  Send(s, "2");
  ASSERT_TRUE(Expect(s, "请输入 C++ 文件的路径：\n"));
  Send(s, "hello.cpp");
  ASSERT_TRUE(Expect(s, "编译成功！\n", 60000));
  ASSERT_TRUE(Expect(s, "是否需要运行？\n"));
  Send(s, "1");
  ASSERT_TRUE(Expect(s, "正在通过启动器启动程序……\n" + Title("hello.exe") + "你好，世界\n" + RULE +
                            "程序已结束，返回值 3，用时 "));
  ASSERT_TRUE(Expect(s, " 秒。\n" + WAIT));
  // The first key answers the launcher; the page then goes on to its own pause.
  Type(s, "x");
  ASSERT_TRUE(Expect(s, "\n启动成功！\n\n" + WAIT));
  Type(s, "x");
  ASSERT_TRUE(Expect(s, "5. 保存信息并退出\n\n"));
  Send(s, "5");
  EXPECT_EQ(Wait_Exit(s, 15000), 0) << Transcript(s);
}

}  // namespace
