#include <gtest/gtest.h>

#include "fake_platform.h"
#include "pages.h"
#include "settings/settings.h"

// Runner.cpp is built into the tests with its main renamed.
int Runner_Main();
int Main_Page();
void Help();

namespace {

const std::string EXIT_PAGE = "[cls]" + EXITING;

class Runner : public ::testing::Test {
 protected:
  void SetUp() override { Reset_Fake(); }
  // Runs the program to its end with the typed lines; returns its status.
  int Start(std::deque<std::string> lines) {
    FAKE.input = lines;
    try {
      return Runner_Main();
    } catch (const Fake_Quit& quit) {
      return quit.status;
    }
  }
};

TEST_F(Runner, MainMenuByteForByteWithOnlyItsEntriesPaced) {
  FAKE.input = {"4"};
  EXPECT_EQ(Main_Page(), 4);
  EXPECT_EQ(FAKE.screen, MAIN_MENU) << Escaped(FAKE.screen);
  long long paced = 0;
  for (const char* entry :
       {"1. 编辑文件", "2. 运行程序", "3. 设置", "4. 帮助", "5. 保存信息并退出"})
    paced += std::string(entry).size();
  EXPECT_EQ(FAKE.sleeps.size(), static_cast<size_t>(paced));
}

TEST_F(Runner, HelpPageByteForByteThenAKeyPress) {
  Help();
  EXPECT_EQ(FAKE.screen, "[cls]" + HELP_PAGE + "[pause]") << Escaped(FAKE.screen);
  // Every byte of the numbered lines is paced; frame lines and line feeds are not.
  size_t paced = 0;
  for (const char* line :
       {"1. 修改编译器、启动器、常用文件夹路径时，请输入完整路径！",
        "2. 编译器路径建议设置为 g++.exe 的路径。",
        "3. 设置默认文件夹后，创建、打开文件和编译、运行程序不必再输入完整路径，Tarnwickstone "
        "会自动在默认文件夹下操作。",
        "1. 受限于作者编码能力，设置编译选项时请不要输入 \"，否则可能导致崩溃。",
        "2. Tarnwickstone 支持调用外部启动器（如 ConsolePauser.exe）运行程序，可以在 设置 - "
        "修改启动器路径 中设置。设置后将优先使用启动器运行程序。",
        "1. 输入选项时，请在输入结束后按下回车。", "2. 询问是否时，1 表示是，0 表示否。",
        "3. 不喜欢慢速输出？现在可以在 设置 - 慢速输出 中修改了！"})
    paced += std::string(line).size();
  EXPECT_EQ(FAKE.sleeps.size(), paced);
}

TEST_F(Runner, FirstStartOffersHelpBeforeAnyClearAndThenShowsTheMainMenu) {
  EXPECT_EQ(Start({"2", "1", "5"}), 0);
  EXPECT_EQ(FAKE.screen, "[title Tarnwickstone]" + FIRST_QUESTION + "输入不在给定范围内。\n[cls]" +
                             HELP_PAGE + "[pause][cls]" + MAIN_MENU + EXIT_PAGE)
      << Escaped(FAKE.screen);
  EXPECT_EQ(FAKE.files[SETTINGS], Saved_Settings("", "", "", "", true));
}

TEST_F(Runner, FirstStartAnsweredNoGoesStraightToTheMainMenu) {
  EXPECT_EQ(Start({"0", "5"}), 0);
  EXPECT_EQ(FAKE.screen,
            "[title Tarnwickstone]" + FIRST_QUESTION + "[cls]" + MAIN_MENU + EXIT_PAGE);
}

TEST_F(Runner, LaterStartsAskNothingAndTheMenuRereadsWithoutRedrawing) {
  FAKE.files[SETTINGS] = Saved_Settings("", "", "", "", false);
  EXPECT_EQ(Start({"6", "4", "5"}), 0);
  EXPECT_EQ(FAKE.screen, "[title Tarnwickstone][cls]" + MAIN_MENU + "输入不在给定范围内。\n[cls]" +
                             HELP_PAGE + "[pause][cls]" + MAIN_MENU + EXIT_PAGE)
      << Escaped(FAKE.screen);
  EXPECT_EQ(FAKE.files[SETTINGS], Saved_Settings("", "", "", "", false));
}

TEST_F(Runner, EndOfInputEndsTheProgramWithoutSaving) {
  EXPECT_EQ(Start({}), 1);
  EXPECT_FALSE(FAKE.files.count(SETTINGS));
  FAKE.files.clear();
  Reset_Fake();
  FAKE.files[SETTINGS] = Saved_Settings("a", "", "", "", true);
  EXPECT_EQ(Start({"4"}), 1);
  EXPECT_EQ(FAKE.files[SETTINGS], Saved_Settings("a", "", "", "", true));
  EXPECT_TRUE(FAKE.replaced.empty());
}

}  // namespace
