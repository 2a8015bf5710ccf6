// The real program at a real terminal: first start, help, main menu, exit,
// and the ways a session can end early.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <termios.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "e2e/piped_run.h"
#include "e2e/pty_session.h"
#include "test_text.h"

namespace fs = std::filesystem;

namespace {
const std::string TITLE = "\x1b]0;Tarnwickstone\x07";
const std::string CLS = "\x1b[H\x1b[2J\x1b[3J";
const std::string DASHES(100, '-');

const std::string FIRST_QUESTION =
    "检测到你是第一次使用 Tarnwickstone，是否需要查看帮助（否：0，是：1）？\n";

const std::string MAIN_MENU = CLS + std::string(43, ' ') + "Tarnwickstone\n" + DASHES +
                              "\n1. 编辑文件\n2. 运行程序\n3. 设置\n4. 帮助\n5. 保存信息并退出\n\n";

// The help page from its title to its pause; the lines between the
// sections are checked byte for byte by the unit tests.
const std::string HELP_TOP = CLS + std::string(39, ' ') + "Tarnwickstone -- 帮助\n" + DASHES +
                             "\n\n" + std::string(47, '-') + " 路径 " + std::string(47, '-') +
                             "\n1. 修改编译器、启动器、常用文件夹路径时，请输入完整路径！\n";
const std::string HELP_END =
    "3. 不喜欢慢速输出？现在可以在 设置 - 慢速输出 中修改了！\n\n请按任意键继续. . .";

const std::string EXIT_PAGE = CLS + "将在 3s 内退出……\n";

// True once the terminal reads single keys without echo, as during a pause.
bool Waits_For_A_Key(Pty_Session& s) {
  for (int i = 0; i < 500; i++) {
    termios mode{};
    if (tcgetattr(s.master, &mode) == 0 && !(mode.c_lflag & (ICANON | ECHO))) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

long long Ms_Since(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                               start)
      .count();
}

class Foundation : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = Make_Temp_Folder();
    ASSERT_FALSE(dir.empty());
    settings = dir + "/Tarnwickstone.tws";
  }
  void TearDown() override { fs::remove_all(dir); }

  // A settings file as an earlier run left it.
  void Saved_Settings(const std::string& text) {
    std::ofstream(settings, std::ios::binary) << text;
    struct stat st;
    ASSERT_EQ(0, stat(settings.c_str(), &st));
    saved_inode = st.st_ino;
  }

  // Still the file written before the start: it was never replaced.
  void Expect_Settings_Untouched(const std::string& text) {
    struct stat st;
    ASSERT_EQ(0, stat(settings.c_str(), &st));
    EXPECT_EQ(saved_inode, st.st_ino);
    EXPECT_EQ(text, Read_File_Bytes(settings));
  }

  std::vector<std::string> Folder_Names() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir))
      names.push_back(entry.path().filename().string());
    return names;
  }

  std::string dir;       // the working folder, fresh for each test
  std::string settings;  // the settings file in it
  ino_t saved_inode = 0;
};
}  // namespace

TEST_F(Foundation, FirstStartOffersHelpThenSavesTheDefaultsAndTheNextStartAsksNothing) {
  {
    Pty_Session s;
    ASSERT_TRUE(Start(s, TWS_PROGRAM, dir));
    ASSERT_TRUE(Expect(s, FIRST_QUESTION, 20000));
    // Nothing is cleared before the question: it is the first thing shown.
    EXPECT_EQ(TITLE + FIRST_QUESTION, s.screen.substr(0, s.seen));
    Send(s, "1");
    ASSERT_TRUE(Expect(s, HELP_TOP, 20000));
    ASSERT_TRUE(Expect(s, HELP_END, 20000));
    ASSERT_TRUE(Waits_For_A_Key(s)) << Transcript(s);
    Type(s, "x");
    ASSERT_TRUE(Expect(s, "\n" + MAIN_MENU, 20000));
    Send(s, "5");
    ASSERT_TRUE(Expect(s, EXIT_PAGE));
    EXPECT_EQ(0, Wait_Exit(s)) << Transcript(s);
  }
  EXPECT_EQ("\n\n\n\n1", Read_File_Bytes(settings));
  EXPECT_EQ(std::vector<std::string>{"Tarnwickstone.tws"}, Folder_Names());

  Pty_Session again;
  ASSERT_TRUE(Start(again, TWS_PROGRAM, dir));
  ASSERT_TRUE(Expect(again, MAIN_MENU, 20000));
  EXPECT_EQ(TITLE + MAIN_MENU, again.screen.substr(0, again.seen));
  Send(again, "5");
  ASSERT_TRUE(Expect(again, EXIT_PAGE));
  EXPECT_EQ(0, Wait_Exit(again)) << Transcript(again);
  EXPECT_EQ("\n\n\n\n1", Read_File_Bytes(settings));
}

TEST_F(Foundation, EndOfInputAtTheFirstUseQuestionEndsAtOnceAndSavesNothing) {
  Pty_Session s;
  ASSERT_TRUE(Start(s, TWS_PROGRAM, dir));
  ASSERT_TRUE(Expect(s, FIRST_QUESTION, 20000));
  auto sent = std::chrono::steady_clock::now();
  Type(s, "\x04");  // Ctrl+D on an empty line: end of input
  EXPECT_EQ(1, Wait_Exit(s)) << Transcript(s);
  EXPECT_LT(Ms_Since(sent), 2000) << "the exit sequence alone waits 2.5 s";
  EXPECT_EQ(std::vector<std::string>{}, Folder_Names());
}

TEST_F(Foundation, EndOfInputAtTheMainMenuEndsAtOnceAndSavesNothing) {
  const std::string saved = "/usr/bin/g++\n\n\n-O2\n0";
  Saved_Settings(saved);
  Pty_Session s;
  ASSERT_TRUE(Start(s, TWS_PROGRAM, dir));
  ASSERT_TRUE(Expect(s, MAIN_MENU));
  Send(s, "abc");
  ASSERT_TRUE(Expect(s, "输入不是自然数。\n"));
  auto sent = std::chrono::steady_clock::now();
  Type(s, "\x04");
  EXPECT_EQ(1, Wait_Exit(s)) << Transcript(s);
  EXPECT_LT(Ms_Since(sent), 2000) << "the exit sequence alone waits 2.5 s";
  Expect_Settings_Untouched(saved);
  EXPECT_EQ(std::vector<std::string>{"Tarnwickstone.tws"}, Folder_Names());
}

TEST_F(Foundation, CtrlCDuringThePauseEndsTheProgramAndLeavesTheTerminalAsItWas) {
  Saved_Settings("\n\n\n\n0");
  Pty_Session s;
  ASSERT_TRUE(Start(s, TWS_PROGRAM, dir));
  ASSERT_TRUE(Expect(s, MAIN_MENU));
  Send(s, "4");
  ASSERT_TRUE(Expect(s, HELP_END));
  ASSERT_TRUE(Waits_For_A_Key(s)) << Transcript(s);
  Type(s, "\x03");
  EXPECT_EQ(128 + SIGINT, Wait_Exit(s)) << Transcript(s);
  termios mode{};
  ASSERT_EQ(0, tcgetattr(s.master, &mode));
  EXPECT_TRUE(mode.c_lflag & ICANON) << "lines are edited again";
  EXPECT_TRUE(mode.c_lflag & ECHO) << "typing shows again";
  Expect_Settings_Untouched("\n\n\n\n0");
}

TEST_F(Foundation, AScriptOfAnswersPipedInAtOnceIsReadInOrder) {
  // The pause takes one byte ("x") and leaves the next answer for the menu;
  // a script written on Windows, with CR LF, reads the same.
  for (const std::string script : {"1\nx5\n", "1\r\nx5\r\n"}) {
    fs::remove(settings);
    Piped_Run run = Run_Piped(TWS_PROGRAM, dir, script);
    EXPECT_EQ(0, run.status) << Escaped(run.out);
    size_t help = run.out.find(HELP_END + "\n" + MAIN_MENU);
    EXPECT_EQ(0u, run.out.find(FIRST_QUESTION + HELP_TOP)) << Escaped(run.out);
    EXPECT_NE(std::string::npos, help) << Escaped(run.out);
    EXPECT_EQ(HELP_END + "\n" + MAIN_MENU + EXIT_PAGE, run.out.substr(help)) << Escaped(run.out);
    EXPECT_EQ("\n\n\n\n1", Read_File_Bytes(settings));
  }
  // The script ends before the question is answered: nothing is saved.
  fs::remove(settings);
  Piped_Run run = Run_Piped(TWS_PROGRAM, dir, "");
  EXPECT_EQ(1, run.status);
  EXPECT_EQ(FIRST_QUESTION, run.out);
  EXPECT_EQ(std::vector<std::string>{}, Folder_Names());
}
