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

// Each row of the table has its line, in the table's order, and the bytes
// written are the bytes read back.
TEST_F(Settings_File, ValuesSurviveASaveAndALoadUnchanged) {
  const std::string values[] = {" C:\\My Tools\\g++.exe ", "", "D:\\张三\\代码\\",
                                "  -O2 -DX=\"a b\" "};
  COM_PATH = values[0], LAU_PATH = values[1], US_PATH = values[2], COM_SETTINGS = values[3];
  SLOWSAY = false;
  std::string text = Settings_Text();
  EXPECT_EQ(text, Saved_Settings(values[0], values[1], values[2], values[3], false));
  COM_PATH = LAU_PATH = US_PATH = COM_SETTINGS = "changed";
  SLOWSAY = true;
  Load_Settings(text);
  size_t row = 0;
  for (const Setting& s : SETTING_TABLE) {
    if (s.kind == SETTING_SWITCH)
      EXPECT_FALSE(*s.on) << s.name;
    else
      EXPECT_EQ(*s.text, values[row++]) << s.name;
  }
}

TEST_F(Settings_File, FifthValueIsReadAsANumber) {
  const std::pair<const char*, bool> cases[] = {{"0", false}, {"1", true},    {"2", true},
                                                {"-1", true}, {"x", false},   {"\n\n 0", false},
                                                {"", true},   {"  \n", true}, {"00", false}};
  for (const auto& [fifth, on] : cases) {
    SLOWSAY = true;
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

  Load_Settings("a\nb\nc\nd");
  EXPECT_EQ(COM_SETTINGS, "d");
  EXPECT_TRUE(SLOWSAY);
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
  FAKE.files[SETTINGS] = Saved_Settings("old", "old", "old", "old", false);
  FAKE.hidden.insert(SETTINGS);
  EXPECT_TRUE(Exit());
  EXPECT_EQ(FAKE.screen, "[cls]将在 3s 内退出……\n");
  EXPECT_EQ(FAKE.files[SETTINGS], Saved_Settings("", "", "", "", true));
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
    FAKE.files[SETTINGS] = Saved_Settings("old", "", "", "", false);
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
    EXPECT_EQ(kind == 1 ? "" : Saved_Settings("old", "", "", "", false), FAKE.files[SETTINGS]);
    EXPECT_TRUE(FAKE.sleeps.empty()) << "no timed wait after a failed save";
  }
}

// What the program saves it reads back, on Windows too (CR LF); anything
// bigger is not one of its files, is not read and is said.
TEST_F(Settings_File, TheLargestSavedFileReadsBackAndABiggerOneIsSaid) {
  std::string longest(VALUE_LIMIT, 'x');
  std::string saved = Saved_Settings(longest, longest, longest, longest, true),
              on_windows = Saved_Settings(longest, longest, longest, longest, true, "\r\n");
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
