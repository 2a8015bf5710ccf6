#include <gtest/gtest.h>

#include "fake_platform.h"
#include "files/edit.h"
#include "pages.h"
#include "settings/settings.h"

namespace {

class Edit_Test : public ::testing::Test {
 protected:
  void SetUp() override {
    Reset_Fake();
    SLOWSAY = false;
    FAKE.folders = {"D:\\src", "D:\\other"};
    FAKE.files = {{"D:\\src\\old.cpp", "int main() {}"}, {"notes", "x"}};
  }
};

TEST_F(Edit_Test, MenuAndReturn) {
  FAKE.input = {"4", "3"};
  Edit();
  EXPECT_EQ(FAKE.screen, "[cls]" + EDIT_MENU + "输入不在给定范围内。\n") << Escaped(FAKE.screen);
}

TEST_F(Edit_Test, NewFileInAValidDefaultFolderAsksOnlyForTheName) {
  US_PATH = "D:\\src";
  FAKE.input = {"1", "hello", "3"};
  Edit();
  EXPECT_EQ(FAKE.screen, "[cls]" + EDIT_MENU +
                             "[cls]请输入想要创建的文件名：\n\n创建成功！\n\n[pause][cls]" +
                             EDIT_MENU)
      << Escaped(FAKE.screen);
  ASSERT_TRUE(FAKE.files.count("D:\\src\\hello"));
  EXPECT_EQ(FAKE.files["D:\\src\\hello"], "");
}

TEST_F(Edit_Test, NewFileAsksForTheFolderWhenTheDefaultIsEmptyOrInvalid) {
  FAKE.input = {"D:\\nowhere", "D:\\other", "a b.cpp"};
  New_File();
  EXPECT_EQ(
      FAKE.screen,
      "[cls]请输入想要创建的文件的目录：\n路径无效。\n请输入想要创建的文件名：\n\n创建成功！\n\n["
      "pause]");
  EXPECT_TRUE(FAKE.files.count("D:\\other\\a b.cpp"));

  FAKE.screen.clear();
  US_PATH = "D:\\gone";
  FAKE.input = {"D:\\other", "c.cpp"};
  New_File();
  EXPECT_EQ(FAKE.screen,
            "[cls]请输入想要创建的文件的目录：\n由于你的默认文件夹路径无效，因此你需要填写本项。\n"
            "请输入想要创建的文件名：\n\n创建成功！\n\n[pause]");
}

TEST_F(Edit_Test, NewFileNeverTouchesAnExistingFileAndReportsAFailedCreate) {
  US_PATH = "D:\\src";
  FAKE.input = {"old.cpp"};
  New_File();
  EXPECT_EQ(Last_Page(), "请输入想要创建的文件名：\n\n文件已存在。\n\n[pause]");
  EXPECT_EQ(FAKE.files["D:\\src\\old.cpp"], "int main() {}");

  for (const char* name : {"missing\\a.cpp", ""}) {
    FAKE.screen.clear();
    FAKE.input = {name};
    New_File();
    EXPECT_EQ(Last_Page(), "请输入想要创建的文件名：\n\n创建失败！\n\n[pause]") << name;
  }
  FAKE.fail_writes = true;  // a folder that may not be written to
  FAKE.input = {"new.cpp"};
  New_File();
  EXPECT_EQ(Last_Page(), "请输入想要创建的文件名：\n\n创建失败！\n\n[pause]");
  EXPECT_FALSE(FAKE.files.count("D:\\src\\new.cpp"));
}

TEST_F(Edit_Test, ADefaultFolderEndingInTheSeparatorGivesTwoInARow) {
  US_PATH = "D:\\src\\";
  FAKE.folders.insert(US_PATH);
  FAKE.input = {"new.cpp"};
  New_File();
  EXPECT_TRUE(FAKE.files.count("D:\\src\\\\new.cpp"));
}

TEST_F(Edit_Test, OpenFileWithoutADefaultFolderUsesTheTypedPath) {
  FAKE.input = {"D:\\src", "notes"};
  Open_File();
  EXPECT_EQ(FAKE.screen,
            "[cls]请输入想要打开的文件的目录：\n由于你的默认文件夹路径无效，请输入完整路径。\n"
            "路径指向的不是文件。\n\n正在打开……\n打开成功！\n\n[notepad.exe \"notes\"][pause]")
      << Escaped(FAKE.screen);
}

TEST_F(Edit_Test, OpenFileInAValidDefaultFolderChecksAndOpensThePathInIt) {
  US_PATH = "D:\\src";
  FAKE.input = {"notes", "old.cpp"};  // "notes" exists only in the working folder
  Open_File();
  EXPECT_EQ(FAKE.screen,
            "[cls]请输入想要打开的文件的目录：\n路径无效。\n\n正在打开……\n打开成功！\n\n"
            "[notepad.exe \"D:\\src\\old.cpp\"][pause]")
      << Escaped(FAKE.screen);
}

}  // namespace
