// The Windows zip as a user gets it: unpacked into a folder with a Chinese
// name, its programs run under Wine with nothing else beside them.
#include <algorithm>
#include <filesystem>
#include <set>

#include "pages.h"
#include "wine_session.h"

namespace fs = std::filesystem;

namespace {
const std::string UNZIPPED = TWS_UNZIPPED;
const std::string SOURCE = TWS_SOURCE_DIR;

// UTF-16 little-endian, as a version resource holds its strings.
std::string Utf16(const std::string& ascii_or_utf8);

// The largest image of an icon file, as the file holds it.
std::string Largest_Image(const std::string& icon, int* size);
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
  // The guide and the licence as every build makes them for Notepad (the
  // unit tests check those copies: plain, narrow, CR LF).
  for (const char* text : {"使用说明.txt", "LICENSE.txt"})
    EXPECT_EQ(Read_File_Bytes(UNZIPPED + "/" + text),
              Read_File_Bytes(std::string(TWS_BINARY_DIR) + "/" + text))
        << text;
  // What Explorer and Task Manager show of each program: a short name, the
  // one version, the copyright line of LICENSE, and an icon of its own whose
  // largest image is 256 pixels.
  std::set<std::string> icons;
  for (const auto& [program, description] :
       {std::pair<std::string, std::string>{"tarnwickstone",
                                            "Tarnwickstone：菜单式 C++ 单文件开发环境"},
        {"tarnwickstone-launch", "Tarnwickstone 启动器"},
        {"tarnwickstone-cc", "Tarnwickstone 编译助手"}}) {
    std::string bytes = Read_File_Bytes(UNZIPPED + "/" + program + ".exe");
    for (const std::string& text :
         {std::string("VS_VERSION_INFO"), description + std::string(1, '\0'),
          std::string(TWS_VERSION),
          std::string("Copyright (c) 2025-2026 The Tarnwickstone founding team")})
      EXPECT_NE(bytes.find(Utf16(text)), std::string::npos) << program << ": " << text;
    int size = 0;
    std::string image = Largest_Image(SOURCE + "/res/" + program + ".ico", &size);
    EXPECT_EQ(size, 256) << program;
    EXPECT_EQ(image.compare(0, 8, "\x89PNG\r\n\x1A\n"), 0) << program << ": not a PNG";
    EXPECT_NE(bytes.find(image), std::string::npos) << program << ": its icon is not in it";
    icons.insert(image);
  }
  EXPECT_EQ(icons.size(), 3u) << "two programs share an icon";
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
  EXPECT_NE(out.find("2. 修改启动器路径"), std::string::npos) << Escaped(out);

  // No compiler in this Wine: the companion says how to get one.
  out = ::Run(UNZIPPED + "/tarnwickstone-cc.exe", {"--version"}, folder, "", &status);
  EXPECT_EQ(status, 127) << Escaped(out);
  EXPECT_EQ(out, Crlf(NO_COMPILER_WINDOWS)) << Escaped(out);

  // Started without words, as a double click starts it: what it is, how it
  // is set up, and a key to wait for.
  out = ::Run(UNZIPPED + "/tarnwickstone-cc.exe", {}, folder, " ", &status);
  EXPECT_EQ(status, 1) << Escaped(out);
  EXPECT_NE(out.find(Crlf("tarnwickstone-cc 是 Tarnwickstone 的编译助手")), std::string::npos)
      << Escaped(out);
  EXPECT_TRUE(Ends_With(out, Crlf(NO_COMPILER_WINDOWS + KEY_WAIT + "\n")));

  out = ::Run(UNZIPPED + "/tarnwickstone-launch.exe", {"--version"}, folder, "", &status);
  EXPECT_EQ(status, 0) << Escaped(out);
  EXPECT_EQ(out, Crlf(std::string("tarnwickstone-launch ") + TWS_VERSION + "\n"));
}

namespace {
std::string Largest_Image(const std::string& icon, int* size) {
  std::string bytes = Read_File_Bytes(icon);
  auto number = [&](size_t at, int width) {
    unsigned int n = 0;
    for (int i = width - 1; i >= 0; i--)
      n = n * 256 + static_cast<unsigned char>(bytes[at + static_cast<size_t>(i)]);
    return n;
  };
  if (bytes.size() < 6) return "";
  std::string largest;
  *size = 0;
  for (unsigned int i = 0, count = number(4, 2); i < count; i++) {
    size_t entry = 6 + 16 * i;
    if (bytes.size() < entry + 16) return "";
    int side = bytes[entry] == 0 ? 256 : static_cast<unsigned char>(bytes[entry]);  // 0 is 256
    if (side <= *size) continue;
    *size = side;
    largest = bytes.substr(number(entry + 12, 4), number(entry + 8, 4));
  }
  return largest;
}

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
