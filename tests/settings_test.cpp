#include <gtest/gtest.h>

#include "fake_platform.h"
#include "pages.h"
#include "settings/settings.h"
#include "settings/settings_file.h"
#include "settings/startup.h"

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
  Settings_Values saved{" C:\\My Tools\\g++.exe ", "", "D:\\张三\\代码\\", "  -O2 -DX=\"a b\" ",
                        false};
  std::string text = Settings_Text(saved);
  EXPECT_EQ(text, " C:\\My Tools\\g++.exe \n\nD:\\张三\\代码\\\n  -O2 -DX=\"a b\" \n0");
  Settings_Values loaded = Read_Settings(text);
  EXPECT_EQ(loaded.com_path, " C:\\My Tools\\g++.exe ");
  EXPECT_EQ(loaded.lau_path, "");
  EXPECT_EQ(loaded.us_path, "D:\\张三\\代码\\");
  EXPECT_EQ(loaded.com_settings, "  -O2 -DX=\"a b\" ");
  EXPECT_FALSE(loaded.slowsay);
}

TEST_F(Settings_File, FifthValueIsReadAsANumber) {
  const std::pair<const char*, bool> cases[] = {{"0", false}, {"1", true},    {"2", true},
                                                {"-1", true}, {"x", false},   {"\n\n 0", false},
                                                {"", true},   {"  \n", true}, {"00", false}};
  for (const auto& [fifth, on] : cases)
    EXPECT_EQ(Read_Settings(std::string("a\nb\nc\nd\n") + fifth).slowsay, on)
        << "fifth value \"" << Escaped(fifth) << "\"";
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

  Settings_Values four = Read_Settings("a\nb\nc\nd");
  EXPECT_EQ(four.com_settings, "d");
  EXPECT_TRUE(four.slowsay);
}

TEST_F(Settings_File, NothingIsStrippedFromALoadedValue) {
  FAKE.files[SETTINGS] =
      "\xEF\xBB\xBF"
      "C:\\g++.exe\n\n\n\n0\nignored\n";
  Init();
  EXPECT_EQ(COM_PATH,
            "\xEF\xBB\xBF"
            "C:\\g++.exe");
  EXPECT_FALSE(SLOWSAY);
}

TEST_F(Settings_File, ExitAnnouncesThenReplacesTheFileInOneStepHidesItAndWaits) {
  FAKE.files[SETTINGS] = "old\nold\nold\nold\n0";
  FAKE.hidden.insert(SETTINGS);
  EXPECT_TRUE(Exit());
  EXPECT_EQ(FAKE.screen, "[cls]将在 3s 内退出……\n");
  EXPECT_EQ(FAKE.files[SETTINGS], "\n\n\n\n1");
  EXPECT_EQ(FAKE.replaced, std::vector<std::string>{SETTINGS});
  EXPECT_TRUE(FAKE.hidden.count(SETTINGS));
  ASSERT_FALSE(FAKE.sleeps.empty());
  EXPECT_EQ(FAKE.sleeps.back(), 2500000);
}

// Every way a save can fail is said, with why and what to do, and waits for a
// key instead of the timed wait; whatever was there stays as it was.
TEST_F(Settings_File, AFailedSaveIsSaidAndKeepsWhatWasThere) {
  const std::string write =
      "设置没有保存：这个文件夹不允许写入。请从你能写入的文件夹启动 "
      "Tarnwickstone，设置会保存在那里。\n[pause]";
  const std::string folder =
      "设置没有保存：这里有一个名为 Tarnwickstone.tws 的文件夹，占着设置文件"
      "的位置。请把它移走或改名，或者从别的文件夹启动 Tarnwickstone。\n[pause]";
  const std::string unread =
      "设置没有保存：原来的设置文件 Tarnwickstone.tws 无法读取（没有读取它的"
      "权限），为了不丢失其中的设置，没有覆盖它。请把它移走或改名，或者从别的"
      "文件夹启动 Tarnwickstone。\n[pause]";
  for (int kind = 0; kind < 3; kind++) {
    Reset_Fake();
    SLOWSAY = false;
    FAKE.files[SETTINGS] = "old\n\n\n\n0";
    if (kind == 0) FAKE.fail_writes = true;
    if (kind == 1) {
      FAKE.files.erase(SETTINGS);
      FAKE.folders.insert(SETTINGS);
    }
    if (kind == 2) FAKE.unreadable[SETTINGS] = "没有读取它的权限";
    Init();
    EXPECT_FALSE(FIRST) << "something is there: no first use";
    if (kind != 0) {  // said at once, and a key waited for
      std::string why = kind == 1 ? "它是一个文件夹" : "没有读取它的权限";
      EXPECT_EQ(FAKE.screen, "[title Tarnwickstone]" + Unreadable_At_Start(why) + "[pause]");
    }
    COM_PATH = "changed";
    EXPECT_FALSE(Exit());
    EXPECT_EQ(Last_Page(), "将在 3s 内退出……\n" + (kind == 0   ? write
                                                   : kind == 1 ? folder
                                                               : unread));
    EXPECT_TRUE(FAKE.replaced.empty());
    EXPECT_EQ(kind == 1 ? "" : "old\n\n\n\n0", FAKE.files[SETTINGS]);
    EXPECT_TRUE(FAKE.sleeps.empty()) << "no timed wait after a failed save";
  }
}

// What the program saves it reads back, on Windows too (CR LF); anything
// bigger is not one of its files, is not read and is said.
TEST_F(Settings_File, TheLargestSavedFileReadsBackAndABiggerOneIsSaid) {
  std::string longest(VALUE_LIMIT, 'x');
  std::string saved = Settings_Text({longest, longest, longest, longest, true}), on_windows;
  for (char c : saved) on_windows += c == '\n' ? std::string("\r\n") : std::string(1, c);
  for (const std::string& text : {saved, on_windows}) {
    Reset_Fake();
    FAKE.files[SETTINGS] = text;
    Init();
    EXPECT_FALSE(FIRST);
    EXPECT_EQ(FAKE.screen, "[title Tarnwickstone]");
    EXPECT_EQ(COM_PATH.substr(0, VALUE_LIMIT), std::string(VALUE_LIMIT, 'x'));
  }
  Reset_Fake();
  FAKE.files[SETTINGS] = on_windows + "0";
  Init();
  EXPECT_FALSE(FIRST);
  EXPECT_EQ(COM_PATH, "");
  EXPECT_EQ(FAKE.screen,
            "[title Tarnwickstone]" + Unreadable_At_Start("它太大了，不是设置文件") + "[pause]");
}

}  // namespace
