// The real program at a real terminal: first start, help, main menu, exit,
// and the ways a session can end early.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <termios.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <thread>

#include "e2e/piped_run.h"
#include "e2e/pty_session.h"
#include "pages.h"
#include "test_text.h"

namespace fs = std::filesystem;

namespace {
const std::string TITLE = "\x1b]0;Tarnwickstone\x07";
const std::string CLS = "\x1b[H\x1b[2J\x1b[3J";
const std::string MENU = CLS + MAIN_MENU;
const std::string HELP = CLS + HELP_PAGE + KEY_WAIT;
const std::string EXIT_PAGE = CLS + EXITING;
const std::string PAUSE = KEY_WAIT + "\n";

// The words that run the program as an ordinary user, for whom file
// permissions hold; none needed when this already is one.
bool As_Ordinary_User(std::vector<std::string>& wrapper) {
  wrapper.clear();
  if (geteuid() != 0) return true;
  wrapper = {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"};
  return access("/usr/bin/setpriv", X_OK) == 0;
}

// The exit sequence shows its page before its wait: never shown, never waited.
::testing::AssertionResult Never_Showed_The_Exit(const Pty_Session& s) {
  if (s.screen.find(EXITING) == std::string::npos) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "the exit sequence, which waits 2.5 s, was shown";
}

class Foundation : public ::testing::Test {
 public:
  void SetUp() override {
    dir = Make_Temp_Folder();
    ASSERT_FALSE(dir.empty());
    settings = dir + "/Tarnwickstone.tws";
  }
  void TearDown() override { fs::remove_all(dir); }

  // A settings file as an earlier run left it.
  void Leave_Settings(const std::string& text) {
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
    ASSERT_TRUE(Expect(s, HELP, 20000));
    ASSERT_TRUE(Waits_For_A_Key(s)) << Transcript(s);
    Type(s, "x");
    ASSERT_TRUE(Expect(s, "\n" + MENU, 20000));
    Send(s, "5");
    ASSERT_TRUE(Expect(s, EXIT_PAGE));
    EXPECT_EQ(0, Wait_Exit(s)) << Transcript(s);
  }
  EXPECT_EQ(Saved_Settings("", "", "", "", true), Read_File_Bytes(settings));
  EXPECT_EQ(std::vector<std::string>{"Tarnwickstone.tws"}, Folder_Names());

  Pty_Session again;
  ASSERT_TRUE(Start(again, TWS_PROGRAM, dir));
  ASSERT_TRUE(Expect(again, MENU, 20000));
  EXPECT_EQ(TITLE + MENU, again.screen.substr(0, again.seen));
  Send(again, "5");
  ASSERT_TRUE(Expect(again, EXIT_PAGE));
  EXPECT_EQ(0, Wait_Exit(again)) << Transcript(again);
  EXPECT_EQ(Saved_Settings("", "", "", "", true), Read_File_Bytes(settings));
}

TEST_F(Foundation, EndOfInputAtTheFirstUseQuestionEndsAtOnceAndSavesNothing) {
  Pty_Session s;
  ASSERT_TRUE(Start(s, TWS_PROGRAM, dir));
  ASSERT_TRUE(Expect(s, FIRST_QUESTION, 20000));
  Type(s, "\x04");  // Ctrl+D on an empty line: end of input
  EXPECT_EQ(1, Wait_Exit(s)) << Transcript(s);
  EXPECT_TRUE(Never_Showed_The_Exit(s));
  EXPECT_EQ(std::vector<std::string>{}, Folder_Names());
}

TEST_F(Foundation, EndOfInputAtTheMainMenuEndsAtOnceAndSavesNothing) {
  const std::string saved = Saved_Settings("/usr/bin/g++", "", "", "-O2", false);
  Leave_Settings(saved);
  Pty_Session s;
  ASSERT_TRUE(Start(s, TWS_PROGRAM, dir));
  ASSERT_TRUE(Expect(s, MENU));
  Send(s, "abc");
  ASSERT_TRUE(Expect(s, "输入不是自然数。\n"));
  Type(s, "\x04");
  EXPECT_EQ(1, Wait_Exit(s)) << Transcript(s);
  EXPECT_TRUE(Never_Showed_The_Exit(s));
  Expect_Settings_Untouched(saved);
  EXPECT_EQ(std::vector<std::string>{"Tarnwickstone.tws"}, Folder_Names());
}

TEST_F(Foundation, CtrlCDuringThePauseEndsTheProgramAndLeavesTheTerminalAsItWas) {
  Leave_Settings(Saved_Settings("", "", "", "", false));
  Pty_Session s;
  ASSERT_TRUE(Start(s, TWS_PROGRAM, dir));
  ASSERT_TRUE(Expect(s, MENU));
  Send(s, "4");
  ASSERT_TRUE(Expect(s, HELP));
  ASSERT_TRUE(Waits_For_A_Key(s)) << Transcript(s);
  Type(s, "\x03");
  EXPECT_EQ(128 + SIGINT, Wait_Exit(s)) << Transcript(s);
  termios mode{};
  ASSERT_EQ(0, tcgetattr(s.master, &mode));
  EXPECT_TRUE(mode.c_lflag & ICANON) << "lines are edited again";
  EXPECT_TRUE(mode.c_lflag & ECHO) << "typing shows again";
  Expect_Settings_Untouched(Saved_Settings("", "", "", "", false));
}

TEST_F(Foundation, AScriptOfAnswersPipedInAtOnceIsReadInOrder) {
  // The pause takes one byte ("x") and leaves the next answer for the menu;
  // a script written on Windows, with CR LF, reads the same.
  for (const std::string script : {"1\nx5\n", "1\r\nx5\r\n"}) {
    fs::remove(settings);
    Piped_Run run = Run_Piped({TWS_PROGRAM}, dir, script);
    EXPECT_EQ(0, run.status) << Escaped(run.out);
    size_t help = run.out.find(HELP + "\n" + MENU);
    EXPECT_EQ(0u, run.out.find(FIRST_QUESTION + HELP)) << Escaped(run.out);
    EXPECT_NE(std::string::npos, help) << Escaped(run.out);
    EXPECT_EQ(HELP + "\n" + MENU + EXIT_PAGE, run.out.substr(help)) << Escaped(run.out);
    EXPECT_EQ(Saved_Settings("", "", "", "", true), Read_File_Bytes(settings));
  }
  // The script ends before the question is answered: nothing is saved.
  fs::remove(settings);
  Piped_Run run = Run_Piped({TWS_PROGRAM}, dir, "");
  EXPECT_EQ(1, run.status);
  EXPECT_EQ(FIRST_QUESTION, run.out);
  EXPECT_EQ(std::vector<std::string>{}, Folder_Names());
}

// Whatever is in the settings file's place, the program starts at once and
// says what it cannot read; a save that cannot be made is said, waits for a key, ends with status 1
// and leaves what was there as it was.
TEST_F(Foundation, ASaveThatCannotBeMadeIsSaidAndLosesNothing) {
  struct Case {
    const char* name;
    std::function<void(Foundation&)> arrange;
    bool as_user;  // needs file permissions that hold
    std::string first_page, said;
  } cases[] = {
      {"a folder in the way", [](Foundation& t) { fs::create_directory(t.settings); }, false,
       Unreadable_At_Start("它是一个文件夹") + PAUSE, FOLDER_IN_THE_WAY},
      {"a FIFO", [](Foundation& t) { mkfifo(t.settings.c_str(), 0644); }, false,
       Unreadable_At_Start("它不是普通文件") + PAUSE, Kept("它不是普通文件")},
      {"a link to /dev/zero", [](Foundation& t) { fs::create_symlink("/dev/zero", t.settings); },
       false, Unreadable_At_Start("它不是普通文件") + PAUSE, Kept("它不是普通文件")},
      {"an unreadable file",
       [](Foundation& t) {
         t.Leave_Settings(Saved_Settings("/usr/bin/g++", "", "", "", true));
         chmod(t.settings.c_str(), 0);
       },
       true, Unreadable_At_Start("没有读取它的权限") + PAUSE, Kept("没有读取它的权限")},
      {"a folder that cannot be written",
       [](Foundation& t) {
         t.Leave_Settings(Saved_Settings("/usr/bin/g++", "", "", "", false));
         chmod(t.dir.c_str(), 0555);
       },
       true, MENU, Not_Saved("这个文件夹不允许写入")},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.name);
    TearDown();
    SetUp();
    std::vector<std::string> wrapper;
    if (c.as_user && !As_Ordinary_User(wrapper)) continue;  // no way to be an ordinary user
    chmod(dir.c_str(), 0755);
    c.arrange(*this);
    std::string before = fs::is_regular_file(settings) ? Read_File_Bytes(settings) : "";
    std::string answers = c.first_page == MENU ? "5\nx" : "x5\nx";  // a key for what is said
    wrapper.push_back(TWS_PROGRAM);
    Piped_Run run = Run_Piped(wrapper, dir, answers);
    chmod(dir.c_str(), 0755);
    chmod(settings.c_str(), 0644);
    EXPECT_EQ(1, run.status) << Escaped(run.out);
    EXPECT_EQ(0u, run.out.find(c.first_page)) << Escaped(run.out);
    EXPECT_EQ(EXIT_PAGE + c.said + PAUSE, run.out.substr(run.out.rfind(CLS))) << Escaped(run.out);
    if (!before.empty()) Expect_Settings_Untouched(before);
    EXPECT_LE(Folder_Names().size(), 1u) << "no temporary file is left behind";
  }
}

// A compile option typed too long for any command line is refused, so that
// no saved file is ever too big to be read at the next start.
TEST_F(Foundation, WhatIsSavedIsReadBackAtTheNextStart) {
  Leave_Settings(Saved_Settings("", "", "", "", false));
  std::string huge(12 << 20, 'O');
  Piped_Run run = Run_Piped({TWS_PROGRAM}, dir, "3\n4\n" + huge + "\n-O2\nx7\n5\n");
  EXPECT_EQ(0, run.status);
  EXPECT_NE(run.out.find("请输入新编译选项：\n" + OPTIONS_TOO_LONG + "设置成功！"),
            std::string::npos)
      << Escaped(run.out.substr(0, 2000));
  EXPECT_EQ(Saved_Settings("", "", "", "-O2", false), Read_File_Bytes(settings));
  run = Run_Piped({TWS_PROGRAM}, dir, "5\n");
  EXPECT_EQ(0, run.status);
  EXPECT_EQ(0u, run.out.find(MENU)) << Escaped(run.out);
}

// A full disk, where the machine lets a test mount a small one of its own.
TEST_F(Foundation, ASaveOnAFullDiskIsSaidAndKeepsTheOldFile) {
  std::string disk = dir + "/disk";
  fs::create_directory(disk);
  if (mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=64k") != 0)
    GTEST_SKIP() << "this machine does not let a test mount a small disk";
  std::string old = Saved_Settings("/usr/bin/g++", "", "", "", false);
  Write_File_Bytes(disk + "/Tarnwickstone.tws", old);
  std::ofstream fill(disk + "/fill", std::ios::binary);
  std::string block(4096, 'x');
  while (fill.write(block.data(), block.size()) && fill.flush()) {
  }
  fill.close();
  Piped_Run run = Run_Piped({TWS_PROGRAM}, disk, "5\nx");
  std::string after = Read_File_Bytes(disk + "/Tarnwickstone.tws");
  auto files = std::distance(fs::directory_iterator(disk), fs::directory_iterator());
  umount2(disk.c_str(), MNT_DETACH);
  EXPECT_EQ(1, run.status) << Escaped(run.out);
  EXPECT_EQ(EXIT_PAGE + Not_Saved("磁盘已满") + PAUSE, run.out.substr(run.out.rfind(CLS)))
      << Escaped(run.out);
  EXPECT_EQ(old, after);
  EXPECT_EQ(2, files) << "no temporary file is left behind";
}
