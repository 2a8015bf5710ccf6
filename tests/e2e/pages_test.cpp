// The three working pages with a real compiler: settings set and kept, a file
// created and opened in the editor, a program compiled, failed, skipped and
// started directly and through a launcher.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "e2e/piped_run.h"
#include "e2e/pty_session.h"
#include "pages.h"
#include "test_text.h"

namespace fs = std::filesystem;

namespace {

void Write_Script(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << "#!/bin/sh\n" << text;
  fs::permissions(path, fs::perms::owner_all);
}

const char* HELLO =
    "#include <cstdio>\nint main() { std::printf(\"你好，世界 %d\\n\", NUM); return 0; }\n";

class Pages : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = Make_Temp_Folder();
    ASSERT_FALSE(dir.empty());
    src = dir + "/源 码";  // a default folder with a space and Chinese characters
    fs::create_directory(src);
    // The editor double writes a real program into the file it is given.
    Write_File_Bytes(dir + "/hello.txt", HELLO);
    Write_Script(dir + "/editor", "printf '%s\\n' \"$1\" >> '" + dir + "/editor.log'\ncat '" + dir +
                                      "/hello.txt' > \"$1\"\n");
    Write_Script(dir + "/launcher", "printf '%s\\n' \"$@\" >> '" + dir + "/launcher.log'\n");
    Write_File_Bytes(dir + "/Tarnwickstone.tws", Saved_Settings("", "", "", "", false));
  }
  void TearDown() override { fs::remove_all(dir); }

  bool Start_Program() {
    return Start(s, TWS_PROGRAM, dir, {{"EDITOR", dir + "/editor"}, {"VISUAL", ""}});
  }

  // Answers a page's closing key press and waits for the menu it returns to.
  void Key_Then(const std::string& menu_end) {
    ASSERT_TRUE(Expect(s, KEY_WAIT));
    Type(s, "x");
    ASSERT_TRUE(Expect(s, menu_end));
  }

  std::string dir, src;
  Pty_Session s;
};

const std::string MAIN_END = "5. 保存信息并退出\n\n";
const std::string SETTINGS_END = "6. 项目信息\n\n7. 返回\n\n";
const std::string EDIT_END = "2. 打开已有文件\n3. 返回\n\n";

TEST_F(Pages, AWholeSessionWithARealCompiler) {
  ASSERT_TRUE(Start_Program());
  ASSERT_TRUE(Expect(s, MAIN_END));

  // Settings: compiler, launcher, default folder, options.
  Send(s, "3");
  ASSERT_TRUE(Expect(s, SETTINGS_END));
  Send(s, "1");
  ASSERT_TRUE(Expect(s, "请输入新编译器路径：\n"));
  Send(s, dir + "/nothing");
  ASSERT_TRUE(Expect(s, "路径无效。\n"));
  Send(s, "/usr/bin/g++");
  ASSERT_TRUE(Expect(s, "修改成功！\n\n"));
  Key_Then(SETTINGS_END);
  Send(s, "3");
  ASSERT_TRUE(Expect(s, "请输入新默认文件夹路径：\n"));
  Send(s, src);
  ASSERT_TRUE(Expect(s, "修改成功！\n\n"));
  Key_Then(SETTINGS_END);
  Send(s, "4");
  ASSERT_TRUE(Expect(s, "请输入新编译选项：\n"));
  Send(s, "-O2 -DNUM=42");
  ASSERT_TRUE(Expect(s, "设置成功！\n\n"));
  Key_Then("当前编译选项：-O2 -DNUM=42\n");
  ASSERT_TRUE(Expect(s, SETTINGS_END));
  Send(s, "7");
  ASSERT_TRUE(Expect(s, MAIN_END));

  // Edit menu: a new file in the default folder, then open it in the editor.
  Send(s, "1");
  ASSERT_TRUE(Expect(s, EDIT_END));
  Send(s, "1");
  ASSERT_TRUE(Expect(s, "请输入想要创建的文件名：\n"));
  Send(s, "hello.cpp");
  ASSERT_TRUE(Expect(s, "\n\n创建成功！\n\n"));
  Key_Then(EDIT_END);
  EXPECT_EQ(fs::file_size(src + "/hello.cpp"), 0u);
  Send(s, "2");
  ASSERT_TRUE(Expect(s, "请输入想要打开的文件的目录：\n"));
  Send(s, "hello.cpp");
  ASSERT_TRUE(Expect(s, "正在打开……\n打开成功！\n\n"));
  Key_Then(EDIT_END);
  EXPECT_EQ(Read_File_Bytes(dir + "/editor.log"), src + "/hello.cpp\n");
  EXPECT_EQ(Read_File_Bytes(src + "/hello.cpp"), HELLO);
  Send(s, "3");
  ASSERT_TRUE(Expect(s, MAIN_END));

  // Compile and start it here: its output comes before "启动成功！".
  Send(s, "2");
  ASSERT_TRUE(Expect(s, "请输入 C++ 文件的路径：\n"));
  Send(s, "hello.cpp");
  ASSERT_TRUE(Expect(s, "未找到对应程序的 .exe 文件，自动启动编译。\n正在编译……\n", 30000));
  ASSERT_TRUE(Expect(s, "编译成功！\n\n是否需要运行？\n", 60000));
  Send(s, "1");
  ASSERT_TRUE(Expect(s, "启动器路径无效。即将直接启动程序。\n你好，世界 42\n启动成功！\n\n"));
  Key_Then(MAIN_END);

  // Again: the executable is there, so it asks; skip the compile, skip the run.
  Send(s, "2");
  ASSERT_TRUE(Expect(s, "请输入 C++ 文件的路径：\n"));
  Send(s, "hello.cpp");
  ASSERT_TRUE(Expect(s, "是否需要编译？\n"));
  Send(s, "0");
  ASSERT_TRUE(Expect(s, "跳过编译。\n\n是否需要运行？\n"));
  Send(s, "0");
  ASSERT_TRUE(Expect(s, "跳过运行。\n\n"));
  Key_Then(MAIN_END);

  // A broken program: the compiler's errors, then the failure.
  Write_File_Bytes(src + "/hello.cpp", "int main() { return missing; }\n");
  Send(s, "2");
  ASSERT_TRUE(Expect(s, "请输入 C++ 文件的路径：\n"));
  Send(s, "hello.cpp");
  ASSERT_TRUE(Expect(s, "是否需要编译？\n"));
  Send(s, "1");
  ASSERT_TRUE(Expect(s, "正在编译……\n"));
  ASSERT_TRUE(Expect(s, "missing", 60000));
  ASSERT_TRUE(Expect(s, "编译失败！请检查编译选项或代码。\n\n", 60000));
  Key_Then(MAIN_END);

  // Through the launcher, which gets the executable's path.
  Send(s, "3");
  ASSERT_TRUE(Expect(s, SETTINGS_END));
  Send(s, "2");
  ASSERT_TRUE(Expect(s, "请输入新启动器路径：\n"));
  Send(s, dir + "/launcher");
  Key_Then(SETTINGS_END);
  Send(s, "7");
  ASSERT_TRUE(Expect(s, MAIN_END));
  Send(s, "2");
  ASSERT_TRUE(Expect(s, "请输入 C++ 文件的路径：\n"));
  Send(s, "hello.cpp");
  ASSERT_TRUE(Expect(s, "是否需要编译？\n"));
  Send(s, "0");
  ASSERT_TRUE(Expect(s, "是否需要运行？\n"));
  Send(s, "1");
  ASSERT_TRUE(Expect(s, "正在通过启动器启动程序……\n启动成功！\n\n"));
  Key_Then(MAIN_END);
  EXPECT_EQ(Read_File_Bytes(dir + "/launcher.log"), src + "/hello.exe\n");

  Send(s, "5");
  EXPECT_EQ(Wait_Exit(s), 0) << Transcript(s);
  EXPECT_EQ(Read_File_Bytes(dir + "/Tarnwickstone.tws"),
            Saved_Settings("/usr/bin/g++", dir + "/launcher", src, "-O2 -DNUM=42", false));

  // Restart: every value is kept.
  Pty_Session again;
  ASSERT_TRUE(Start(again, TWS_PROGRAM, dir));
  ASSERT_TRUE(Expect(again, MAIN_END));
  Send(again, "3");
  ASSERT_TRUE(Expect(again, "当前编译器路径：/usr/bin/g++\n1. 修改编译器路径\n\n当前启动器路径：" +
                                dir + "/launcher\n2. 修改启动器路径\n\n当前默认文件夹路径：" + src +
                                "\n3. 修改默认文件夹路径\n\n"));
  ASSERT_TRUE(Expect(again, "当前编译选项：-O2 -DNUM=42\n4. 修改编译选项\n\n"));
  ASSERT_TRUE(Expect(again, "慢速输出：关闭\n5. 开启慢速输出\n"));
}

TEST_F(Pages, AProgramThatCannotBeStartedIsReportedAsAFailure) {
  // A compiler double that "succeeds" without writing a runnable program.
  Write_Script(dir + "/fakecc", "exit 0\n");
  Write_File_Bytes(dir + "/a.cpp", "int main() {}\n");
  Write_File_Bytes(dir + "/a.exe", "not a program\n");
  Write_File_Bytes(dir + "/Tarnwickstone.tws", Saved_Settings(dir + "/fakecc", "", "", "", false));
  ASSERT_TRUE(Start_Program());
  ASSERT_TRUE(Expect(s, MAIN_END));
  Send(s, "2");
  ASSERT_TRUE(Expect(s, "由于你的默认文件夹路径无效，请输入完整路径。\n"));
  Send(s, dir + "/a.cpp");
  ASSERT_TRUE(Expect(s, "是否需要编译？\n"));
  Send(s, "0");
  ASSERT_TRUE(Expect(s, "是否需要运行？\n"));
  Send(s, "1");
  ASSERT_TRUE(Expect(s, "启动器路径无效。即将直接启动程序。\n"));
  ASSERT_TRUE(Expect(s, "启动失败！\n\n"));
  Key_Then(MAIN_END);
}

// A NUL byte would cut a path short (a.cpp<NUL>.cpp would compile into
// a.cpp itself): a line or a setting holding one names nothing.
TEST_F(Pages, ALineOrSettingHoldingANulByteIsNeverAPath) {
  const std::string nul(1, '\0');
  Write_Script(dir + "/fakecc", "exit 0\n");
  Write_File_Bytes(dir + "/a.cpp", "int main() {}\n");
  Write_File_Bytes(dir + "/Tarnwickstone.tws",
                   Saved_Settings(dir + "/fakecc" + nul + "x", "", "", "", false));
  std::string script = "2\n" + dir + "/a.cpp" + nul + ".cpp\n" + dir + "/a.cpp\nx" +  // run page
                       "1\n1\n" + dir + "\nb" + nul + "c\nx3\n" +                     // new file
                       "3\n1\n/usr/bin/g++" + nul + "\n";                             // compiler
  Piped_Run run = Run_Piped({TWS_PROGRAM}, dir, script);
  EXPECT_EQ(1, run.status) << "ends at the end of the script";
  EXPECT_NE(std::string::npos, run.out.find("路径无效。\n\n编译器路径无效！请修改。\n\n"))
      << Escaped(run.out);
  EXPECT_NE(std::string::npos, run.out.find("创建失败！\n\n")) << Escaped(run.out);
  EXPECT_TRUE(Ends_With(run.out, "请输入新编译器路径：\n路径无效。\n")) << Escaped(run.out);
  EXPECT_EQ("int main() {}\n", Read_File_Bytes(dir + "/a.cpp"));
  EXPECT_FALSE(fs::exists(dir + "/b"));
}

}  // namespace
