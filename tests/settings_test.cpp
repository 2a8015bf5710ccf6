#include <gtest/gtest.h>

#include "fake_platform.h"
#include "settings/settings.h"
#include "settings/settings_file.h"

namespace {

class Settings_File : public ::testing::Test {
 protected:
  void SetUp() override { Reset_Fake(); }
};

TEST_F(Settings_File, FirstStartWithoutAFile) {
  Init();
  EXPECT_TRUE(FIRST);
  EXPECT_TRUE(SLOWSAY);
  EXPECT_EQ(COM_PATH + LAU_PATH + US_PATH + COM_SETTINGS, "");
  EXPECT_EQ(FAKE.commands, (std::vector<std::string>{"<utf8>", "title Tarnwickstone"}));
  EXPECT_EQ(FAKE.screen, "[title Tarnwickstone]") << "Init writes nothing of its own";
}

TEST_F(Settings_File, ValuesSurviveASaveAndALoadUnchanged) {
  COM_PATH = " C:\\My Tools\\g++.exe ";
  LAU_PATH = "";
  US_PATH = "D:\\张三\\代码\\";
  COM_SETTINGS = "  -O2 -DX=\"a b\" ";
  SLOWSAY = false;
  std::string text = Settings_Text();
  EXPECT_EQ(text, " C:\\My Tools\\g++.exe \n\nD:\\张三\\代码\\\n  -O2 -DX=\"a b\" \n0");
  Reset_Fake();
  Load_Settings(text);
  EXPECT_EQ(COM_PATH, " C:\\My Tools\\g++.exe ");
  EXPECT_EQ(LAU_PATH, "");
  EXPECT_EQ(US_PATH, "D:\\张三\\代码\\");
  EXPECT_EQ(COM_SETTINGS, "  -O2 -DX=\"a b\" ");
  EXPECT_FALSE(SLOWSAY);
}

TEST_F(Settings_File, FifthValueIsReadAsANumber) {
  const std::pair<const char*, bool> cases[] = {{"0", false}, {"1", true},    {"2", true},
                                                {"-1", true}, {"x", false},   {"\n\n 0", false},
                                                {"", true},   {"  \n", true}, {"00", false}};
  for (const auto& [fifth, on] : cases) {
    Reset_Fake();
    Load_Settings(std::string("a\nb\nc\nd\n") + fifth);
    EXPECT_EQ(SLOWSAY, on) << "fifth value \"" << Escaped(fifth) << "\"";
  }
}

TEST_F(Settings_File, ShortFilesLeaveTheRestAtTheirInitialValues) {
  FAKE.files[SETTINGS] = "gcc\nlauncher";
  Init();
  EXPECT_FALSE(FIRST);
  EXPECT_EQ(COM_PATH, "gcc");
  EXPECT_EQ(LAU_PATH, "launcher");
  EXPECT_EQ(US_PATH, "");
  EXPECT_EQ(COM_SETTINGS, "");
  EXPECT_TRUE(SLOWSAY);

  Reset_Fake();
  Load_Settings("a\nb\nc\nd");
  EXPECT_EQ(COM_SETTINGS, "d");
  EXPECT_TRUE(SLOWSAY);
}

TEST_F(Settings_File, NothingIsStrippedFromALoadedValue) {
  Load_Settings(
      "\xEF\xBB\xBF"
      "C:\\g++.exe\n\n\n\n0\nignored\n");
  EXPECT_EQ(COM_PATH,
            "\xEF\xBB\xBF"
            "C:\\g++.exe");
  EXPECT_FALSE(SLOWSAY);
}

TEST_F(Settings_File, ExitAnnouncesThenReplacesTheFileInOneStepHidesItAndWaits) {
  FAKE.files[SETTINGS] = "old\nold\nold\nold\n0";
  FAKE.hidden.insert(SETTINGS);
  Exit();
  EXPECT_EQ(FAKE.screen, "[cls]将在 3s 内退出……\n");
  EXPECT_EQ(FAKE.files[SETTINGS], "\n\n\n\n1");
  EXPECT_EQ(FAKE.replaced, std::vector<std::string>{SETTINGS});
  EXPECT_TRUE(FAKE.hidden.count(SETTINGS));
  ASSERT_FALSE(FAKE.sleeps.empty());
  EXPECT_EQ(FAKE.sleeps.back(), 2500000);
}

TEST_F(Settings_File, AFailedSaveKeepsTheOldFile) {
  FAKE.files[SETTINGS] = "old\n\n\n\n0";
  FAKE.hidden.insert(SETTINGS);
  FAKE.fail_writes = true;
  Exit();
  EXPECT_EQ(FAKE.files[SETTINGS], "old\n\n\n\n0");
  EXPECT_TRUE(FAKE.hidden.count(SETTINGS));
  EXPECT_EQ(FAKE.sleeps.back(), 2500000) << "the wait and the normal end follow";
}

}  // namespace
