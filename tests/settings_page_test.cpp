#include <gtest/gtest.h>

#include <algorithm>

#include "fake_platform.h"
#include "pages.h"
#include "settings/settings.h"
#include "settings/settings_page.h"

namespace {

class Settings_Page_Test : public ::testing::Test {
 protected:
  void SetUp() override {
    Reset_Fake();
    FAKE.folders = {"D:\\src", "D:\\tools"};
    FAKE.files = {{"D:\\tools\\G++.EXE", ""}, {"D:\\src\\a.cpp", ""}, {"D:\\tools\\run.exe", ""}};
  }
};

TEST_F(Settings_Page_Test, InitialValuesShowLabelsAloneAndOppositeSlowOutputWords) {
  FAKE.input = {"8", "7"};
  Settings();
  EXPECT_EQ(FAKE.screen, "[cls]" + Settings_Page("", "", "", "", true) + "输入不在给定范围内。\n")
      << Escaped(FAKE.screen);
}

TEST_F(Settings_Page_Test, SlowOutputSwitchWritesItsMessageAtTheNewPace) {
  FAKE.input = {"5", "5", "7"};
  Settings();
  std::string off = "[cls]关闭成功！\n\n[pause]";
  std::string on = "[cls]开启成功！\n\n[pause]";
  EXPECT_EQ(FAKE.screen, "[cls]" + Settings_Page("", "", "", "", true) + off + "[cls]" +
                             Settings_Page("", "", "", "", false) + on + "[cls]" +
                             Settings_Page("", "", "", "", true))
      << Escaped(FAKE.screen);
  // Paced: the first page, "开启成功！" and the last page; never the off page or "关闭成功！".
  size_t page_text = 0;
  for (const char* line :
       {"当前编译器路径：", "1. 修改编译器路径", "当前启动器路径：", "2. 修改启动器路径",
        "当前默认文件夹路径：", "3. 修改默认文件夹路径", "当前编译选项：", "4. 修改编译选项",
        "慢速输出：开启", "5. 关闭慢速输出", "6. 项目信息", "7. 返回"})
    page_text += std::string(line).size();
  EXPECT_EQ(FAKE.sleeps.size(), 2 * page_text + std::string("开启成功！").size());
}

TEST_F(Settings_Page_Test, PathEditorsReaskUntilValidAndStoreTheLineAsTyped) {
  FAKE.input = {"1",         "D:\\src\\a.cpp",
                "D:\\tools", "D:\\tools\\G++.EXE",
                "2",         "D:\\tools\\run.exe",
                "3",         "D:\\src\\a.cpp",
                "",          "D:\\src",
                "7"};
  SLOWSAY = false;
  Settings();
  EXPECT_EQ(COM_PATH, "D:\\tools\\G++.EXE");
  EXPECT_EQ(LAU_PATH, "D:\\tools\\run.exe");
  EXPECT_EQ(US_PATH, "D:\\src");
  std::string screen = FAKE.screen;
  EXPECT_NE(screen.find("[cls]请输入新编译器路径：\n路径指向的文件类型不正确，应为 .exe。\n"
                        "路径指向的不是文件。\n修改成功！\n\n[pause]"),
            std::string::npos)
      << Escaped(screen);
  EXPECT_NE(screen.find("[cls]请输入新启动器路径：\n修改成功！\n\n[pause]"), std::string::npos);
  EXPECT_NE(screen.find("[cls]请输入新默认文件夹路径：\n路径不是目录。\n路径无效。\n修改成功！\n\n"
                        "[pause]"),
            std::string::npos);
  EXPECT_NE(Last_Page().find(
                Settings_Page("D:\\tools\\G++.EXE", "D:\\tools\\run.exe", "D:\\src", "", false)),
            std::string::npos);
}

TEST_F(Settings_Page_Test, CompileOptionsAreStoredAsTypedEvenWhenEmpty) {
  SLOWSAY = false;
  FAKE.input = {"4", "  -O2 -DMSG=\"你 好\" ", "7"};
  Settings();
  EXPECT_EQ(COM_SETTINGS, "  -O2 -DMSG=\"你 好\" ");
  EXPECT_NE(FAKE.screen.find("[cls]请输入新编译选项：\n设置成功！\n\n[pause]"), std::string::npos);
  FAKE.input = {"4", "", "7"};
  Settings();
  EXPECT_EQ(COM_SETTINGS, "");
  EXPECT_EQ(Last_Page(), Settings_Page("", "", "", "", false));
}

TEST_F(Settings_Page_Test, OptionsNoCommandLineCouldHoldAreRefused) {
  SLOWSAY = false;
  FAKE.input = {"4", std::string(12 << 20, 'O'), std::string(VALUE_LIMIT + 1, 'O'),
                std::string(VALUE_LIMIT, 'O'), "7"};
  Settings();
  EXPECT_EQ(COM_SETTINGS, std::string(VALUE_LIMIT, 'O'));
  EXPECT_NE(FAKE.screen.find("[cls]请输入新编译选项：\n" + OPTIONS_TOO_LONG + OPTIONS_TOO_LONG +
                             "设置成功！\n\n[pause]"),
            std::string::npos);
}

TEST_F(Settings_Page_Test, ProjectInformationPage) {
  SLOWSAY = false;
  FAKE.input = {"6", "7"};
  Settings();
  std::string screen = FAKE.screen;
  std::string::size_type at = screen.find("[cls]作者：");
  ASSERT_NE(at, std::string::npos) << Escaped(screen);
  std::string info = screen.substr(at, screen.find("[pause]", at) - at);
  EXPECT_NE(info.find("\n介绍："), std::string::npos);
  EXPECT_NE(info.find("\n版本：Alpha 1.2\n发布时间：2025/10/4\n\n"), std::string::npos);
  EXPECT_EQ(std::count(info.begin(), info.end(), '\n'), 5);
}

}  // namespace
