#include <gtest/gtest.h>

#include "build/run.h"
#include "fake_platform.h"
#include "settings/settings.h"

namespace {

const std::string GXX = "C:\\compiler\\bin\\g++.exe";

class Run_Test : public ::testing::Test {
 protected:
  void SetUp() override {
    Reset_Fake();
    SLOWSAY = false;
    COM_PATH = GXX;
    FAKE.folders = {"D:\\src"};
    FAKE.files = {{GXX, ""},
                  {"D:\\src\\a.cpp", ""},
                  {"D:\\src\\A.CPP", ""},
                  {"D:\\my.files\\a.cpp", ""},
                  {"C:\\tools\\launcher.exe", ""}};
    // The compiler writes the executable and succeeds, unless told otherwise.
    FAKE.on_command = [this](const std::string& command) {
      if (command.rfind("cmd /c", 0) != 0) return launch_status;
      if (compile_status == 0) FAKE.files[exe] = "program";
      return compile_status;
    };
  }
  int compile_status = 0;
  int launch_status = 0;
  std::string exe = "D:\\src\\a.exe";
};

TEST_F(Run_Test, FirstRunCompilesWithoutAskingAndStartsTheProgramDirectly) {
  COM_SETTINGS = "-O2";
  FAKE.input = {"D:\\src\\a.cpp", "1"};
  ::Run();
  EXPECT_EQ(
      FAKE.screen,
      "[cls]请输入 C++ 文件的路径：\n由于你的默认文件夹路径无效，请输入完整路径。\n\n"
      "未找到对应程序的 .exe 文件，自动启动编译。\n正在编译……\n"
      "[cmd /c\"\"C:\\compiler\\bin\\g++.exe\" -O2 -g -o \"D:\\src\\a.exe\" \"D:\\src\\a.cpp\"\"]"
      "编译成功！\n\n是否需要运行？\n启动器路径无效。即将直接启动程序。\n"
      "[start \"D:\\src\\a.cpp\" \"D:\\src\\a.exe\"]启动成功！\n\n[pause]")
      << Escaped(FAKE.screen);
}

TEST_F(Run_Test, AnExistingProgramAsksWhetherToCompileAndGoesThroughTheLauncher) {
  FAKE.files[exe] = "old";
  LAU_PATH = "C:\\tools\\launcher.exe";
  FAKE.input = {"D:\\src\\a.cpp", "2", "0", "1"};
  ::Run();
  EXPECT_EQ(Last_Page(),
            "请输入 C++ 文件的路径：\n由于你的默认文件夹路径无效，请输入完整路径。\n\n"
            "是否需要编译？\n输入不在给定范围内。\n跳过编译。\n\n是否需要运行？\n"
            "正在通过启动器启动程序……\n"
            "[start \"\" \"C:\\tools\\launcher.exe\" \"D:\\src\\a.exe\"]启动成功！\n\n[pause]")
      << Escaped(FAKE.screen);
  EXPECT_EQ(FAKE.files[exe], "old") << "nothing compiled";
}

TEST_F(Run_Test, CompileWithoutOptionsThenSkipTheRun) {
  FAKE.files[exe] = "old";
  FAKE.input = {"D:\\src\\a.cpp", "1", "0"};
  ::Run();
  EXPECT_EQ(FAKE.commands[1],
            "cmd /c\"\"C:\\compiler\\bin\\g++.exe\" -g -o \"D:\\src\\a.exe\" \"D:\\src\\a.cpp\"\"");
  EXPECT_NE(FAKE.screen.find("是否需要编译？\n正在编译……\n[cmd"), std::string::npos);
  EXPECT_NE(FAKE.screen.find("编译成功！\n\n是否需要运行？\n跳过运行。\n\n[pause]"),
            std::string::npos)
      << Escaped(FAKE.screen);
}

TEST_F(Run_Test, AFailedCompileEndsAfterItsPauseWithoutTheRunQuestion) {
  compile_status = 1;
  FAKE.input = {"D:\\src\\a.cpp"};
  ::Run();
  EXPECT_NE(FAKE.screen.find("正在编译……\n[cmd"), std::string::npos);
  EXPECT_EQ(FAKE.screen.substr(FAKE.screen.find("\"]") + 2),
            "编译失败！请检查编译选项或代码。\n\n[pause]");
}

TEST_F(Run_Test, AFailedLaunchIsReportedAsAFailure) {
  launch_status = 1;
  FAKE.input = {"D:\\src\\a.cpp", "1"};
  ::Run();
  EXPECT_NE(FAKE.screen.find("\"]启动失败！\n\n[pause]"), std::string::npos)
      << Escaped(FAKE.screen);
}

TEST_F(Run_Test, AnInvalidCompilerIsReportedOnlyAfterTheSourceIsChosen) {
  COM_PATH = "D:\\src";
  FAKE.input = {"D:\\src\\a.cpp"};
  ::Run();
  EXPECT_EQ(Last_Page(),
            "请输入 C++ 文件的路径：\n由于你的默认文件夹路径无效，请输入完整路径。\n\n"
            "编译器路径无效！请修改。\n\n[pause]");
  EXPECT_EQ(FAKE.commands.size(), 2u);
}

TEST_F(Run_Test, TheDefaultFolderIsJoinedInFrontOfTheTypedLine) {
  US_PATH = "D:\\src";
  FAKE.input = {"D:\\src\\a.cpp", "A.CPP", "0"};
  exe = "D:\\src\\A.exe";
  ::Run();
  EXPECT_EQ(FAKE.commands[1],
            "cmd /c\"\"C:\\compiler\\bin\\g++.exe\" -g -o \"D:\\src\\A.exe\" \"D:\\src\\A.CPP\"\"");
  EXPECT_EQ(Last_Page().rfind("请输入 C++ 文件的路径：\n路径无效。\n\n未找到", 0), 0u)
      << Escaped(Last_Page());
}

TEST_F(Run_Test, OnlyTheLastFourBytesOfTheSourceAreReplaced) {
  FAKE.input = {"D:\\my.files\\a.cpp", "0"};
  exe = "D:\\my.files\\a.exe";
  ::Run();
  EXPECT_NE(FAKE.commands[1].find("-g -o \"D:\\my.files\\a.exe\" \"D:\\my.files\\a.cpp\""),
            std::string::npos);
}

TEST_F(Run_Test, EndOfInputAtTheQuestionsEndsTheProgram) {
  FAKE.input = {"D:\\src\\a.cpp"};
  EXPECT_THROW(::Run(), Fake_Quit);
}

}  // namespace
