#include <gtest/gtest.h>

#include "fake_platform.h"
#include "files/paths.h"
#include "settings/settings.h"

namespace {

class Paths : public ::testing::Test {
 protected:
  void SetUp() override {
    Reset_Fake();
    SLOWSAY = false;
    FAKE.folders = {"D:\\src", "D:\\src.cpp", "D:\\src.old"};
    FAKE.files = {{"D:\\src\\Main.CPP", ""}, {"D:\\src\\a.tar.cpp", ""},
                  {"D:\\src\\noext", ""},    {"D:\\src\\dot.", ""},
                  {"D:\\src.old\\main", ""}, {"D:\\tools\\g++.EXE", ""}};
  }
};

TEST_F(Paths, KindsOfPath) {
  EXPECT_TRUE(IsFile("D:\\src\\noext"));
  EXPECT_FALSE(IsFile("D:\\src"));
  EXPECT_TRUE(IsPath("D:\\src"));
  EXPECT_FALSE(IsPath("D:\\src\\noext"));
  EXPECT_FALSE(IsFile(""));
  EXPECT_FALSE(IsPath(""));
  EXPECT_FALSE(IsFile("D:\\missing"));
}

TEST_F(Paths, CoverQuotesWithoutEscaping) {
  EXPECT_EQ(Cover(""), "\"\"");
  EXPECT_EQ(Cover("a \"b\" c"), "\"a \"b\" c\"");
  EXPECT_EQ(Join_Path("D:\\src\\", "a.cpp"), "D:\\src\\\\a.cpp");
}

TEST_F(Paths, ReadPathReportsEachRejectedLineInOrder) {
  FAKE.input = {"", "D:\\nowhere", "D:\\src\\noext", " D:\\src", "D:\\src"};
  EXPECT_EQ(Read_Path(), "D:\\src");
  EXPECT_EQ(FAKE.screen, "路径无效。\n路径无效。\n路径不是目录。\n路径无效。\n");
}

TEST_F(Paths, ReadFileChecksExistenceThenKindThenExtension) {
  FAKE.input = {"",
                "D:\\nowhere.cpp",
                "D:\\src.cpp",
                "D:\\src\\noext",
                "D:\\src\\dot.",
                "D:\\src.old\\main",
                "D:\\src\\Main.CPP"};
  EXPECT_EQ(Read_File("cpp"), "D:\\src\\Main.CPP");
  EXPECT_EQ(FAKE.screen,
            "路径无效。\n路径无效。\n路径指向的不是文件。\n"
            "路径指向的文件类型不正确，应为 .cpp。\n路径指向的文件类型不正确，应为 .cpp。\n"
            "路径指向的文件类型不正确，应为 .cpp。\n");

  FAKE.screen.clear();
  FAKE.input = {"D:\\src\\a.tar.cpp"};
  EXPECT_EQ(Read_File("cpp"), "D:\\src\\a.tar.cpp");
  FAKE.input = {"D:\\src.old\\main", "D:\\tools\\g++.EXE"};
  EXPECT_EQ(Read_File("exe"), "D:\\tools\\g++.EXE");
  EXPECT_EQ(FAKE.screen, "路径指向的文件类型不正确，应为 .exe。\n");
  FAKE.input = {"D:\\src\\noext"};
  EXPECT_EQ(Read_File(""), "D:\\src\\noext");
}

TEST_F(Paths, APathCopiedWithItsQuotesIsTakenWithout) {
  FAKE.input = {"\"D:\\src\"", "\"D:\\src\\noext\"", "\"D:\\nowhere\"", "\"D:\\src\""};
  EXPECT_EQ(Read_Path(), "D:\\src");
  EXPECT_EQ(Read_Path(), "D:\\src");  // with the messages a line without quotes gets
  EXPECT_EQ(FAKE.screen, "路径不是目录。\n路径无效。\n");
  FAKE.screen.clear();
  // Only one whole pair counts.
  FAKE.input = {"\"\"", "\"D:\\src\\Main.CPP", "\"D:\\src\\\"Main.CPP\"", "\"D:\\src\\Main.CPP\""};
  EXPECT_EQ(Read_File("cpp"), "D:\\src\\Main.CPP");
  EXPECT_EQ(FAKE.screen, "路径无效。\n路径无效。\n路径无效。\n");
  FAKE.input = {"\"Main.CPP\""};
  EXPECT_EQ(Read_File("cpp", "D:\\src\\"), "Main.CPP");
  // A name that holds the quotes itself, as POSIX allows, is that name.
  FAKE.files["\"odd.cpp\""] = "";
  FAKE.input = {"\"odd.cpp\""};
  EXPECT_EQ(Read_File(""), "\"odd.cpp\"");
}

TEST_F(Paths, ReadersCheckTheLineBehindAPrefixButReturnItAsTyped) {
  FAKE.input = {"D:\\src\\Main.CPP", "Main.CPP"};
  EXPECT_EQ(Read_File("cpp", "D:\\src\\"), "Main.CPP");
  EXPECT_EQ(FAKE.screen, "路径无效。\n");
}

TEST_F(Paths, AWholePathStartingWithATildeIsInTheHomeFolderUnlessItNamesSomething) {
  FAKE.home = "/home/u";
  FAKE.folders.insert({"/home/u/code", "~/here"});  // the second so named, as POSIX allows
  FAKE.files["/home/u/code/a.cpp"] = "";
  FAKE.input = {"~/code", "~/here", "~/code/a.cpp"};
  EXPECT_EQ(Read_Path(), "/home/u/code");
  EXPECT_EQ(Read_Path(), "~/here");
  EXPECT_EQ(Read_File("cpp"), "/home/u/code/a.cpp");
  // Behind a default folder the line is taken as it stands.
  FAKE.input = {"~/a.cpp", "a.cpp"};
  EXPECT_EQ(Read_File("cpp", "/home/u/code/"), "a.cpp");
  EXPECT_EQ(FAKE.screen, "路径无效。\n");
}

TEST_F(Paths, EndOfInputEndsTheProgram) {
  EXPECT_THROW(Read_Path(), Fake_Quit);
  EXPECT_THROW(Read_File("cpp"), Fake_Quit);
}

}  // namespace
