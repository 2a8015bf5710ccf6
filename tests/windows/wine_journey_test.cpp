// The Windows program under Wine, driven through its pages as a user would,
// in a fresh folder whose path holds Chinese characters and a space.
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "pages.h"
#include "wine_session.h"

namespace fs = std::filesystem;

namespace {

// Wine's cmd shows its own press-any-key text, in the code page of the locale;
// it ends in these three dots in every language.
const std::string PAUSE = "...";
std::string Program() {
  return Windows_Build("tarnwickstone.exe");
}

// The program's next output is exactly `text` (LF written as CR LF), with
// nothing before it.
testing::AssertionResult Shows(Session& s, const std::string& text) {
  size_t from = s.seen;
  testing::AssertionResult found = Expect(s, Crlf(text));
  if (!found) return found;
  if (s.seen - Crlf(text).size() != from)
    return testing::AssertionFailure()
           << "before " << Escaped(Crlf(text))
           << "\ncame: " << Escaped(s.output.substr(from, s.seen - from));
  return testing::AssertionSuccess();
}

// Waits for cmd's pause and presses a key: one byte, all that pause reads.
testing::AssertionResult Press_Key(Session& s) {
  testing::AssertionResult paused = Expect(s, PAUSE);
  if (paused) Send(s, " ");
  return paused;
}

// What a double wrote to its log, once it is there: a started program runs
// on its own, and the program goes on without waiting for it. The double
// writes its one line at once.
std::string Log_Of(const std::string& path, int seconds = 30) {
  return Wait_For_File(path, Whole_Lines, seconds * 1000);
}

}  // namespace

TEST(WindowsProgram, FirstUseHelpExitAndARestartThatAsksNothing) {
  REQUIRE_WINE();
  std::string folder = Fresh_Folder("first");
  std::string settings = folder + "/Tarnwickstone.tws";

  Session s = Start(Program(), {}, folder);
  ASSERT_TRUE(Shows(s, FIRST_QUESTION));
  Send(s, "2\r\n");
  ASSERT_TRUE(Shows(s, "输入不在给定范围内。\n"));
  Send(s, "1\r\n");
  ASSERT_TRUE(Shows(s, HELP_PAGE));
  ASSERT_TRUE(Press_Key(s));
  ASSERT_TRUE(Shows(s, MAIN_MENU));
  Send(s, "5\r\n");
  ASSERT_TRUE(Shows(s, EXITING));
  EXPECT_EQ(Finish(s), 0);
  EXPECT_EQ(s.output.substr(s.seen), "");
  EXPECT_EQ(Read_File_Bytes(settings), Saved_Settings("", "", "", "", true, "\r\n"));
  EXPECT_EQ(Dos_Attributes(settings), "0x2");

  // Saving again over the hidden file goes through a new file: Windows would
  // refuse to open the hidden one for writing.
  ino_t first = Inode(settings);
  s = Start(Program(), {}, folder);
  ASSERT_TRUE(Shows(s, MAIN_MENU));
  Send(s, "5\r\n");
  ASSERT_TRUE(Shows(s, EXITING));
  EXPECT_EQ(Finish(s), 0);
  EXPECT_NE(Inode(settings), first);
  EXPECT_EQ(Read_File_Bytes(settings), Saved_Settings("", "", "", "", true, "\r\n"));
  EXPECT_EQ(Dos_Attributes(settings), "0x2");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);

  // End of input at the main menu: status 1, and the file is left alone.
  ino_t second = Inode(settings);
  s = Start(Program(), {}, folder);
  ASSERT_TRUE(Shows(s, MAIN_MENU));
  EXPECT_EQ(Finish(s), 1);
  EXPECT_EQ(Inode(settings), second);
}

// The whole journey of a user: settings, edit menu, compile and run, exit and
// restart, with test doubles in place of the compiler, the launcher, notepad
// and the compiled program.
TEST(WindowsProgram, SettingsEditCompileRunExitAndRestart) {
  REQUIRE_WINE();
  std::string folder = Fresh_Folder("journey");
  std::string tools = folder + "/工具 箱", sources = folder + "/源 码";
  fs::create_directory(tools);
  fs::create_directory(sources);
  std::string doubles = Windows_Build("tests/windows/doubles/");
  fs::copy_file(doubles + "compiler.exe", tools + "/编译器.exe");
  fs::copy_file(doubles + "recorder.exe", tools + "/recorder.exe");  // what the compiler writes
  fs::copy_file(doubles + "recorder.exe", tools + "/启动器.exe");
  fs::copy_file(doubles + "recorder.exe", folder + "/notepad.exe");  // cmd looks here first
  std::string com = Windows_Path(tools) + "\\编译器.exe";
  std::string lau = Windows_Path(tools) + "\\启动器.exe";
  std::string us = Windows_Path(sources);

  Session s = Start(Program(), {}, folder);
  ASSERT_TRUE(Shows(s, FIRST_QUESTION));
  Send(s, "0\r\n");
  ASSERT_TRUE(Shows(s, MAIN_MENU));

  // Settings: slow output off first, then every path and the options.
  Send(s, "3\r\n");
  ASSERT_TRUE(Shows(s, Settings_Page("", "", "", "", true)));
  Send(s, "5\r\n");
  ASSERT_TRUE(Shows(s, "关闭成功！\n\n"));
  ASSERT_TRUE(Press_Key(s));
  ASSERT_TRUE(Shows(s, Settings_Page("", "", "", "", false)));
  Send(s, "1\r\n");
  ASSERT_TRUE(Shows(s, "请输入新编译器路径：\n"));
  Send(s, "工具 箱\\没有.exe\r\n");
  ASSERT_TRUE(Shows(s, "路径无效。\n"));
  Send(s, "工具 箱\r\n");
  ASSERT_TRUE(Shows(s, "路径指向的不是文件。\n"));
  Send(s, com + "\r\n");
  ASSERT_TRUE(Shows(s, "修改成功！\n\n"));
  ASSERT_TRUE(Press_Key(s));
  ASSERT_TRUE(Expect(s, "7. 返回\r\n\r\n"));
  Send(s, "2\r\n");
  ASSERT_TRUE(Shows(s, "请输入新启动器路径：\n"));
  Send(s, lau + "\r\n");
  ASSERT_TRUE(Shows(s, "修改成功！\n\n"));
  ASSERT_TRUE(Press_Key(s));
  ASSERT_TRUE(Expect(s, "7. 返回\r\n\r\n"));
  Send(s, "3\r\n");
  ASSERT_TRUE(Shows(s, "请输入新默认文件夹路径：\n"));
  Send(s, us + "\r\n");
  ASSERT_TRUE(Shows(s, "修改成功！\n\n"));
  ASSERT_TRUE(Press_Key(s));
  ASSERT_TRUE(Expect(s, "7. 返回\r\n\r\n"));
  Send(s, "4\r\n");
  ASSERT_TRUE(Shows(s, "请输入新编译选项：\n"));
  Send(s, "-O2 -Wall\r\n");
  ASSERT_TRUE(Shows(s, "设置成功！\n\n"));
  ASSERT_TRUE(Press_Key(s));
  ASSERT_TRUE(Shows(s, Settings_Page(com, lau, us, "-O2 -Wall", false)));
  Send(s, "7\r\n");
  ASSERT_TRUE(Shows(s, MAIN_MENU));

  // Edit menu: a new file in the default folder, again (it exists), then open it.
  Send(s, "1\r\n");
  ASSERT_TRUE(Shows(s, EDIT_MENU));
  Send(s, "1\r\n");
  ASSERT_TRUE(Shows(s, "请输入想要创建的文件名：\n"));
  Send(s, "你好.cpp\r\n");
  ASSERT_TRUE(Shows(s, "\n创建成功！\n\n"));
  ASSERT_TRUE(Press_Key(s));
  EXPECT_EQ(fs::file_size(sources + "/你好.cpp"), 0u);
  Write_File_Bytes(sources + "/你好.cpp", "int main() {}\n");
  ASSERT_TRUE(Shows(s, EDIT_MENU));
  Send(s, "1\r\n");
  ASSERT_TRUE(Shows(s, "请输入想要创建的文件名：\n"));
  Send(s, "你好.cpp\r\n");
  ASSERT_TRUE(Shows(s, "\n文件已存在。\n\n"));
  ASSERT_TRUE(Press_Key(s));
  EXPECT_EQ(Read_File_Bytes(sources + "/你好.cpp"), "int main() {}\n");
  ASSERT_TRUE(Shows(s, EDIT_MENU));
  Send(s, "2\r\n");
  ASSERT_TRUE(Shows(s, "请输入想要打开的文件的目录：\n"));
  Send(s, "你好.cpp\r\n");
  ASSERT_TRUE(Shows(s, "\n正在打开……\n打开成功！\n\n"));
  ASSERT_TRUE(Press_Key(s));
  EXPECT_EQ(Read_File_Bytes(folder + "/notepad.log"), "[" + us + "\\你好.cpp]\n");
  ASSERT_TRUE(Shows(s, EDIT_MENU));
  Send(s, "3\r\n");
  ASSERT_TRUE(Shows(s, MAIN_MENU));

  // Compile without asking (no .exe yet) and run through the launcher.
  Send(s, "2\r\n");
  ASSERT_TRUE(Shows(s, "请输入 C++ 文件的路径：\n"));
  Send(s, "你好.cpp\r\n");
  ASSERT_TRUE(Shows(s,
                    "\n未找到对应程序的 .exe 文件，自动启动编译。\n正在编译……\n编译成功！\n\n"
                    "是否需要运行？\n"));
  EXPECT_EQ(Read_File_Bytes(tools + "/编译器.log"),
            "[-O2][-Wall][-g][-o][" + us + "\\你好.exe][" + us + "\\你好.cpp]\n");
  Send(s, "1\r\n");
  ASSERT_TRUE(Shows(s, "正在通过启动器启动程序……\n启动成功！\n\n"));
  ASSERT_TRUE(Press_Key(s));
  EXPECT_EQ(Log_Of(tools + "/启动器.log"), "[" + us + "\\你好.exe]\n");
  ASSERT_TRUE(Shows(s, MAIN_MENU));

  // A source that does not compile: the compiler's own words, then the failure.
  Write_File_Bytes(sources + "/坏 的.cpp", "FAIL_TO_COMPILE\n");
  Send(s, "2\r\n");
  ASSERT_TRUE(Shows(s, "请输入 C++ 文件的路径：\n"));
  Send(s, "坏 的.cpp\r\n");
  ASSERT_TRUE(Shows(s, "\n未找到对应程序的 .exe 文件，自动启动编译。\n正在编译……\n"));
  ASSERT_TRUE(Shows(s, "a.cpp:1:1: error: asked to fail\n"));
  ASSERT_TRUE(Shows(s, "编译失败！请检查编译选项或代码。\n\n"));
  ASSERT_TRUE(Press_Key(s));
  EXPECT_FALSE(fs::exists(sources + "/坏 的.exe"));
  ASSERT_TRUE(Shows(s, MAIN_MENU));

  // The launcher gone: skip the compilation and start the program directly.
  fs::remove(tools + "/启动器.exe");
  Send(s, "2\r\n");
  ASSERT_TRUE(Shows(s, "请输入 C++ 文件的路径：\n"));
  Send(s, "你好.cpp\r\n");
  ASSERT_TRUE(Shows(s, "\n是否需要编译？\n"));
  Send(s, "0\r\n");
  ASSERT_TRUE(Shows(s, "跳过编译。\n\n是否需要运行？\n"));
  Send(s, "1\r\n");
  ASSERT_TRUE(Shows(s, "启动器路径无效。即将直接启动程序。\n启动成功！\n\n"));
  ASSERT_TRUE(Press_Key(s));
  EXPECT_EQ(Log_Of(sources + "/你好.log"), "\n");  // started with no arguments
  ASSERT_TRUE(Shows(s, MAIN_MENU));

  Send(s, "5\r\n");
  ASSERT_TRUE(Shows(s, EXITING));
  EXPECT_EQ(Finish(s), 0);
  std::string saved = Saved_Settings(com, lau, us, "-O2 -Wall", false, "\r\n");
  EXPECT_EQ(Read_File_Bytes(folder + "/Tarnwickstone.tws"), saved);
  EXPECT_EQ(Dos_Attributes(folder + "/Tarnwickstone.tws"), "0x2");

  // A restart reads it all back.
  s = Start(Program(), {}, folder);
  ASSERT_TRUE(Shows(s, MAIN_MENU));
  Send(s, "3\r\n");
  ASSERT_TRUE(Shows(s, Settings_Page(com, lau, us, "-O2 -Wall", false)));
  Send(s, "7\r\n");
  ASSERT_TRUE(Shows(s, MAIN_MENU));
  Send(s, "5\r\n");
  ASSERT_TRUE(Shows(s, EXITING));
  EXPECT_EQ(Finish(s), 0);
  EXPECT_EQ(Read_File_Bytes(folder + "/Tarnwickstone.tws"), saved);
  EXPECT_EQ(Dos_Attributes(folder + "/Tarnwickstone.tws"), "0x2");
}

// A save that cannot be made is said, waits for a key and ends with status 1;
// what stood in the settings file's place is left as it was.
TEST(WindowsProgram, ASaveThatCannotBeMadeIsSaid) {
  REQUIRE_WINE();
  std::string folder = Fresh_Folder("folder in the way");
  fs::create_directory(folder + "/Tarnwickstone.tws");
  Session s = Start(Program(), {}, folder);
  ASSERT_TRUE(Shows(s, Unreadable_At_Start("它是一个文件夹")));
  ASSERT_TRUE(Press_Key(s));
  ASSERT_TRUE(Shows(s, MAIN_MENU));
  Send(s, "5\r\n");
  ASSERT_TRUE(Shows(s, EXITING + FOLDER_IN_THE_WAY));
  ASSERT_TRUE(Press_Key(s));
  EXPECT_EQ(Finish(s), 1);
  EXPECT_TRUE(fs::is_directory(folder + "/Tarnwickstone.tws"));

  // A read-only folder: a read-only disk of its own where the test may mount
  // one (Wine runs as root here, and root may write any folder), else a
  // folder without write permission.
  folder = Fresh_Folder("read-only") + "/只读";
  fs::create_directory(folder);
  bool mounted = mount("tmpfs", folder.c_str(), "tmpfs", MS_RDONLY, "size=16k") == 0;
  struct Unmount {
    std::string path;
    bool on;
    ~Unmount() {
      if (on) umount2(path.c_str(), MNT_DETACH);
    }
  } unmount{folder, mounted};
  if (!mounted) {
    if (geteuid() == 0) GTEST_SKIP() << "no read-only folder can be made for root here";
    chmod(folder.c_str(), 0555);
  }
  s = Start(Program(), {}, folder);
  ASSERT_TRUE(Shows(s, FIRST_QUESTION));
  Send(s, "0\r\n");
  ASSERT_TRUE(Shows(s, MAIN_MENU));
  Send(s, "5\r\n");
  ASSERT_TRUE(Shows(s, EXITING + Not_Saved("这个文件夹不允许写入")));
  ASSERT_TRUE(Press_Key(s));
  EXPECT_EQ(Finish(s), 1);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 0);
}
