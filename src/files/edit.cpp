#include "files/edit.h"

#include "console/input.h"
#include "console/print.h"
#include "files/paths.h"
#include "platform/platform.h"
#include "settings/settings.h"

void Edit() {
  while (true) {
    Command("cls");
    switch (Edit_Page()) {
      case 1:
        New_File();
        break;
      case 2:
        Open_File();
        break;
      default:
        return;
    }
  }
}

int Edit_Page() {
  Print_Title(NAME + " -- 编辑文件", 1);
  Print("1. 新建文件", 1);
  Print("2. 打开已有文件", 1);
  Print("3. 返回", 2);
  return Read_Nint({1, 2, 3});
}

void New_File() {
  Command("cls");
  std::string tpath;
  if (!US_PATH.empty() && IsPath(US_PATH)) {
    tpath = US_PATH;
  } else {
    Print("请输入想要创建的文件的目录：", 1);
    if (!US_PATH.empty()) Print("由于你的默认文件夹路径无效，因此你需要填写本项。", 1);
    tpath = Read_Path();
  }
  Print("请输入想要创建的文件名：", 1);
  std::string file = Read_Input_Line();
  Write_Out("\n");
  std::string fpath = Join_Path(tpath, file);
  if (IsFile(fpath)) {
    Print("文件已存在。", 2);
  } else {
    // A name the file system refuses, a missing folder in the name or a folder
    // that may not be written to: say so rather than claim success.
    Print(Create_Empty_File(fpath) ? "创建成功！" : "创建失败！", 2);
  }
  Command("pause");
}

void Open_File() {
  Command("cls");
  Print("请输入想要打开的文件的目录：", 1);
  std::string fpath = Read_File_In_Default("");
  Write_Out("\n");
  Print("正在打开……", 1);
  std::string t = "notepad.exe " + Cover(fpath);
  Print("打开成功！", 2);
  Command(t);
  Command("pause");
}
