// The Windows program under Wine, driven through its pages as a user would,
// in a fresh folder whose path holds Chinese characters and a space.
#include <sys/stat.h>

#include <filesystem>

#include "wine_session.h"

namespace fs = std::filesystem;

namespace {

// Wine's cmd shows its own press-any-key text, in the code page of the locale;
// it ends in these three dots in every language.
const std::string PAUSE = "...";
const std::string DASHES(100, '-');

std::string Program() {
  return Windows_Build("tarnwickstone.exe");
}

std::string Rule(int left, const std::string& label, int right) {
  return std::string(left, '-') + label + std::string(right, '-') + "\n";
}

const std::string FIRST_USE =
    "检测到你是第一次使用 Tarnwickstone，是否需要查看帮助（否：0，是：1）？\n";

const std::string MAIN_MENU = std::string(43, ' ') + "Tarnwickstone\n" + DASHES +
                              "\n"
                              "1. 编辑文件\n2. 运行程序\n3. 设置\n4. 帮助\n5. 保存信息并退出\n\n";

const std::string HELP =
    std::string(39, ' ') + "Tarnwickstone -- 帮助\n" + DASHES + "\n\n" + Rule(47, " 路径 ", 47) +
    "1. 修改编译器、启动器、常用文件夹路径时，请输入完整路径！\n"
    "2. 编译器路径建议设置为 g++.exe 的路径。\n"
    "3. 设置默认文件夹后，创建、打开文件和编译、运行程序不必再输入完整路径，Tarnwickstone "
    "会自动在默认文件夹下操作。\n\n" +
    Rule(43, " 编译 & 运行 ", 44) +
    "1. 受限于作者编码能力，设置编译选项时请不要输入 \"，否则可能导致崩溃。\n"
    "2. Tarnwickstone 支持调用外部启动器（如 ConsolePauser.exe）运行程序，可以在 设置 - "
    "修改启动器路径 中设置。设置后将优先使用启动器运行程序。\n\n" +
    Rule(42, " Tarnwickstone ", 43) +
    "1. 输入选项时，请在输入结束后按下回车。\n"
    "2. 询问是否时，1 表示是，0 表示否。\n"
    "3. 不喜欢慢速输出？现在可以在 设置 - 慢速输出 中修改了！\n\n";

const std::string EXITING = "将在 3s 内退出……\n";

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

ino_t Inode(const std::string& path) {
  struct stat st = {};
  stat(path.c_str(), &st);
  return st.st_ino;
}

}  // namespace

TEST(WindowsProgram, ImportsOnlyWindowsSystemLibraries) {
  REQUIRE_WINE();
  std::string command = "x86_64-w64-mingw32-objdump -p '" + Program() + "'";
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string dump;
  char buffer[4096];
  size_t got;
  while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) dump.append(buffer, got);
  ASSERT_EQ(pclose(pipe), 0) << command;
  std::vector<std::string> dlls;
  for (size_t at = dump.find("DLL Name: "); at != std::string::npos;
       at = dump.find("DLL Name: ", at + 1))
    dlls.push_back(dump.substr(at + 10, dump.find('\n', at) - at - 10));
  ASSERT_FALSE(dlls.empty()) << dump;
  for (std::string dll : dlls) {
    for (char& c : dll) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    bool system = dll == "kernel32.dll" || dll == "msvcrt.dll" || dll == "ucrtbase.dll" ||
                  dll == "winmm.dll" || dll == "user32.dll" || dll == "advapi32.dll" ||
                  dll == "shell32.dll" || dll.rfind("api-ms-win-", 0) == 0;
    EXPECT_TRUE(system) << dll << " is not a Windows system library";
  }
}

TEST(WindowsProgram, FirstUseHelpExitAndARestartThatAsksNothing) {
  REQUIRE_WINE();
  std::string folder = Fresh_Folder("first");
  std::string settings = folder + "/Tarnwickstone.tws";

  Session s = Start(Program(), {}, folder);
  ASSERT_TRUE(Shows(s, FIRST_USE));
  Send(s, "2\r\n");
  ASSERT_TRUE(Shows(s, "输入不在给定范围内。\n"));
  Send(s, "1\r\n");
  ASSERT_TRUE(Shows(s, HELP));
  ASSERT_TRUE(Press_Key(s));
  ASSERT_TRUE(Shows(s, MAIN_MENU));
  Send(s, "5\r\n");
  ASSERT_TRUE(Shows(s, EXITING));
  EXPECT_EQ(Finish(s), 0);
  EXPECT_EQ(s.output.substr(s.seen), "");
  EXPECT_EQ(Read_File_Bytes(settings), "\r\n\r\n\r\n\r\n1");
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
  EXPECT_EQ(Read_File_Bytes(settings), "\r\n\r\n\r\n\r\n1");
  EXPECT_EQ(Dos_Attributes(settings), "0x2");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);

  // End of input at the main menu: status 1, and the file is left alone.
  ino_t second = Inode(settings);
  s = Start(Program(), {}, folder);
  ASSERT_TRUE(Shows(s, MAIN_MENU));
  EXPECT_EQ(Finish(s), 1);
  EXPECT_EQ(Inode(settings), second);
}
