#include <gtest/gtest.h>

#include "console/input.h"
#include "console/print.h"
#include "fake_platform.h"
#include "settings/settings.h"

namespace {

class Console : public ::testing::Test {
 protected:
  void SetUp() override { Reset_Fake(); }
};

TEST_F(Console, StopSleepsWholeMicrosecondsAndNothingBelowOne) {
  Stop(0);
  Stop(-1);
  Stop(0.0000004);
  EXPECT_TRUE(FAKE.sleeps.empty());
  Stop(2.5);
  Stop(0.001);
  EXPECT_EQ(FAKE.sleeps, (std::vector<long long>{2500000, 1000}));
  Stop(1e12);  // beyond the 32-bit count: capped, never undefined
  EXPECT_EQ(FAKE.sleeps.back(), 2147483647);
}

TEST_F(Console, PrintPacesEveryByteOneMillisecondThenWritesTheLineFeedsAtOnce) {
  Print("1. 编辑文件", 1);
  EXPECT_EQ(FAKE.screen, "1. 编辑文件\n");
  EXPECT_EQ(FAKE.sleeps, std::vector<long long>(15, 1000));

  Reset_Fake();
  Print("", 1);
  EXPECT_EQ(FAKE.screen, "\n");
  EXPECT_TRUE(FAKE.sleeps.empty());

  Reset_Fake();
  SLOWSAY = false;
  Print("1. 编辑文件", 2);
  EXPECT_EQ(FAKE.screen, "1. 编辑文件\n\n");
  EXPECT_TRUE(FAKE.sleeps.empty());
}

TEST_F(Console, PacingKeepsToTheClockWhenWritingTakesTime) {
  // A slow console eats into the pause instead of adding to it.
  FAKE.write_cost = 300;
  Print("abcd", 0);
  EXPECT_EQ(FAKE.sleeps, std::vector<long long>(4, 700));
  EXPECT_EQ(FAKE.clock, 4000);
}

TEST_F(Console, FrameLinesAreCentredAndExactlyOneHundredColumns) {
  EXPECT_EQ(Display_Width("Tarnwickstone -- 编辑文件"), 25);
  EXPECT_EQ(Display_Width(" 编译 & 运行 "), 13);
  Print_Title(NAME, 1);
  EXPECT_EQ(FAKE.screen, std::string(43, ' ') + "Tarnwickstone\n" + std::string(100, '-') + "\n");
  FAKE.screen.clear();
  Print_Title(NAME + " -- 编辑文件", 1);
  EXPECT_EQ(FAKE.screen.substr(0, 38), std::string(37, ' ') + "T");
  FAKE.screen.clear();
  Print_Section("编译 & 运行");
  EXPECT_EQ(FAKE.screen, std::string(43, '-') + " 编译 & 运行 " + std::string(44, '-') + "\n");
  FAKE.screen.clear();
  Print_Section(NAME);
  EXPECT_EQ(FAKE.screen, std::string(42, '-') + " Tarnwickstone " + std::string(43, '-') + "\n");
  EXPECT_TRUE(FAKE.sleeps.empty()) << "frame lines are never paced";
}

TEST_F(Console, ReadNintAcceptsOnlyNaturalNumbersOfTheAllowedSet) {
  SLOWSAY = false;
  FAKE.input = {"3", "03", "000000003"};
  for (int i = 0; i < 3; i++) EXPECT_EQ(Read_Nint({1, 2, 3, 4, 5}), 3);
  EXPECT_EQ(FAKE.screen, "");

  FAKE.input = {"0", "6", "0000000003", std::string(20, '9'), "2"};
  EXPECT_EQ(Read_Nint({1, 2, 3, 4, 5}), 2);
  EXPECT_EQ(FAKE.screen,
            "输入不在给定范围内。\n输入不在给定范围内。\n"
            "输入不在给定范围内。\n输入不在给定范围内。\n");

  FAKE.screen.clear();
  FAKE.input = {"", " 3", "3 ", "+1", "-1", "3.0", "1a", "３", std::string(20, '9') + "x", "1"};
  EXPECT_EQ(Read_Nint({0, 1}), 1);
  std::string expected;
  for (int i = 0; i < 9; i++) expected += "输入不是自然数。\n";
  EXPECT_EQ(FAKE.screen, expected);
}

TEST_F(Console, EndOfInputEndsTheProgramWithStatusOne) {
  FAKE.input = {"x"};
  try {
    Read_Nint({0, 1});
    FAIL() << "Read_Nint returned at end of input";
  } catch (const Fake_Quit& quit) {
    EXPECT_EQ(quit.status, 1);
  }
}

}  // namespace
