// The Windows zip as a user gets it: unpacked into a folder with a Chinese
// name, its programs run under Wine with nothing else beside them.
#include <algorithm>
#include <filesystem>

#include "wine_session.h"

namespace fs = std::filesystem;

namespace {
const std::string UNZIPPED = TWS_UNZIPPED;

// The text as Notepad reads it best: a byte order mark and CR LF line ends.
std::string Notepad_Text(const std::string& text) {
  return "\xEF\xBB\xBF" + Crlf(text);
}

// UTF-16 little-endian, as a version resource holds its strings.
std::string Utf16(const std::string& ascii_or_utf8);
}  // namespace

TEST(WindowsZip, HoldsTheProgramsTheGuideAndTheLicence) {
  REQUIRE_WINE();
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(UNZIPPED))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"LICENSE.txt", "tarnwickstone-cc.exe",
                                             "tarnwickstone-launch.exe", "tarnwickstone.exe",
                                             "使用说明.txt"}));
  EXPECT_EQ(Read_File_Bytes(UNZIPPED + "/使用说明.txt"),
            Notepad_Text(Read_File_Bytes(std::string(TWS_SOURCE_DIR) + "/docs/guide.zh-CN.md")));
  // What Explorer shows of each program: its description and the one version.
  for (const auto& [exe, description] :
       {std::pair<std::string, std::string>{"tarnwickstone.exe",
                                            "Tarnwickstone：菜单式 C++ 单文件开发环境"},
        {"tarnwickstone-launch.exe", "Tarnwickstone 启动器"},
        {"tarnwickstone-cc.exe", "Tarnwickstone 编译助手"}}) {
    std::string bytes = Read_File_Bytes(UNZIPPED + "/" + exe);
    for (const std::string& text : {std::string("VS_VERSION_INFO"), description,
                                    std::string(TWS_VERSION), std::string("Tarnwickstone")})
      EXPECT_NE(bytes.find(Utf16(text)), std::string::npos) << exe << ": " << text;
  }
}

TEST(WindowsZip, ItsProgramsRunFromAChineseFolder) {
  REQUIRE_WINE();
  std::string folder = Fresh_Folder("zip");
  int status = -1;
  std::string out = ::Run(UNZIPPED + "/tarnwickstone.exe", {}, folder, "0\r\n5\r\n", &status);
  EXPECT_EQ(status, 0) << Escaped(out);
  EXPECT_NE(out.find(Crlf("1. 编辑文件\n2. 运行程序\n3. 设置\n4. 帮助\n5. 保存信息并退出\n")),
            std::string::npos)
      << Escaped(out);
  EXPECT_EQ(Read_File_Bytes(folder + "/Tarnwickstone.tws"), "\r\n\r\n\r\n\r\n1");

  out = ::Run(UNZIPPED + "/tarnwickstone-launch.exe", {}, folder, " ", &status);
  EXPECT_EQ(status, 2) << Escaped(out);
  EXPECT_NE(out.find("没有给出程序的路径"), std::string::npos) << Escaped(out);

  // No compiler in this Wine: the companion says where it looked.
  out = ::Run(UNZIPPED + "/tarnwickstone-cc.exe", {"--version"}, folder, "", &status);
  EXPECT_EQ(status, 127) << Escaped(out);
  EXPECT_NE(out.find("g++"), std::string::npos) << Escaped(out);
}

namespace {
std::string Utf16(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size();) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    unsigned int code = c;
    size_t n = 1;
    if (c >= 0xE0) {
      code = ((c & 0x0F) << 12) | ((text[i + 1] & 0x3F) << 6) | (text[i + 2] & 0x3F);
      n = 3;
    } else if (c >= 0xC0) {
      code = ((c & 0x1F) << 6) | (text[i + 1] & 0x3F);
      n = 2;
    }
    out += static_cast<char>(code & 0xFF);
    out += static_cast<char>(code >> 8);
    i += n;
  }
  return out;
}
}  // namespace
