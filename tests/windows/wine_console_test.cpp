// The Windows program in a console: Wine gives one to a program started in a
// terminal, so this is the path of WriteConsoleW and ReadConsoleW.
#include <filesystem>

#include "pages.h"
#include "wine_session.h"

namespace fs = std::filesystem;

// The paced bytes of a character must still show as that character, and a
// Chinese line typed at a prompt must arrive whole.
TEST(WindowsProgram, ShowsAndReadsWholeChineseCharactersInAConsole) {
  REQUIRE_WINE();
  std::string program = Windows_Build("tarnwickstone.exe");
  std::string folder = Fresh_Folder("console");
  fs::create_directory(folder + "/源 码");
  Session s = Start_In_Terminal(program, folder);
  // Wine draws some spaces as cursor moves, so texts are matched between them.
  ASSERT_TRUE(Expect(s, "检测到你是第一次使用"));
  ASSERT_TRUE(Expect(s, "Tarnwickstone，是否需要查看帮助（否：0，是：1）？\n"));
  Send(s, "3\r");
  ASSERT_TRUE(Expect(s, "输入不在给定范围内。\n"));
  Send(s, "1\r");
  ASSERT_TRUE(Expect(s, "3.不喜欢慢速输出？现在可以在"));
  ASSERT_TRUE(Expect(s, "中修改了！\n"));
  Send(s, " ");
  ASSERT_TRUE(Expect(s, "5.保存信息并退出\n"));
  Send(s, "3\r");
  ASSERT_TRUE(Expect(s, "7.返回\n"));
  Send(s, "3\r");
  ASSERT_TRUE(Expect(s, "请输入新默认文件夹路径：\n"));
  Send(s, "源 码\r");
  ASSERT_TRUE(Expect(s, "修改成功！\n"));
  Send(s, " ");
  ASSERT_TRUE(Expect(s, "7.返回\n"));
  Send(s, "7\r");
  ASSERT_TRUE(Expect(s, "5.保存信息并退出\n"));
  Send(s, "5\r");
  ASSERT_TRUE(Expect(s, "将在3s内退出……\n"));
  EXPECT_EQ(Finish(s), 0);
  EXPECT_EQ(Visible(s.output).find("\xEF\xBF\xBD"), std::string::npos)
      << "replacement marks in: " << Escaped(Visible(s.output));
  EXPECT_EQ(Read_File_Bytes(folder + "/Tarnwickstone.tws"),
            Saved_Settings("", "", "源 码", "", true, "\r\n"));

  // Ctrl+Z and Enter: the console's end of input ends the program, saving nothing.
  s = Start_In_Terminal(program, folder);
  ASSERT_TRUE(Expect(s, "5.保存信息并退出\n"));
  Send(s, "\x1a\r");
  EXPECT_EQ(Finish(s), 1);
  EXPECT_EQ(Read_File_Bytes(folder + "/Tarnwickstone.tws"),
            Saved_Settings("", "", "源 码", "", true, "\r\n"));
}
