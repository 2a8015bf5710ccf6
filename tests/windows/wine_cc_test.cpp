// The compiler companion's Windows build under Wine, in front of a compiler
// double named g++.exe beside it: the locked-program message and GCC's
// Chinese messages explained, the words passed on exactly.
#include <algorithm>
#include <filesystem>

#include "wine_session.h"

namespace fs = std::filesystem;

namespace {

// A fresh folder with the companion, and the compiler double beside it as g++.exe.
std::string Companion_Folder(const std::string& test) {
  std::string folder = Fresh_Folder(test);
  fs::copy_file(Windows_Build("tarnwickstone-cc.exe"), folder + "/tarnwickstone-cc.exe");
  fs::copy_file(Windows_Build("tests/windows/doubles/compiler.exe"), folder + "/g++.exe");
  fs::copy_file(Windows_Build("tests/windows/doubles/recorder.exe"), folder + "/recorder.exe");
  return folder;
}

#define REQUIRE_COMPANION()                                                     \
  do {                                                                          \
    REQUIRE_WINE();                                                             \
    if (!fs::exists(Windows_Build("tarnwickstone-cc.exe"))) {                   \
      if (Under_CI()) FAIL() << "tarnwickstone-cc.exe is missing";              \
      GTEST_SKIP() << "tarnwickstone-cc.exe is missing: scripts/build windows"; \
    }                                                                           \
  } while (0)

}  // namespace

TEST(WindowsCompanion, NamesTheProgramThatStillRunsAndPassesTheWordsOnExactly) {
  REQUIRE_COMPANION();
  std::string folder = Companion_Folder("cc-locked");
  Write_File_Bytes(folder + "/你好.cpp", "// LOCKED_OUTPUT\nint main() {}\n");
  std::string exe = Windows_Path(folder + "/你好.exe");
  std::string source = Windows_Path(folder + "/你好.cpp");
  int status = -1;
  std::string output =
      ::Run(folder + "/tarnwickstone-cc.exe", {"-O2", "-DNAME=\"a b\"", "-g", "-o", exe, source},
            folder, "", &status);
  EXPECT_EQ(
      output,
      Crlf("C:/mingw64/bin/../lib/gcc/x86_64-w64-mingw32/12.2.0/../../../../"
           "x86_64-w64-mingw32/bin/ld.exe: cannot open output file " +
           exe +
           ": Permission denied\n"
           "collect2.exe: error: ld returned 1 exit status\n"
           "\n中文提示（tarnwickstone-cc）：\n"
           "1. 无法写入 你好.exe：上次运行的 你好.exe 可能还没有关闭，正在运行的程序不能被覆盖。\n"
           "   关闭 你好.exe 的窗口（或者在任务管理器里结束它），然后重新编译。\n"));
  EXPECT_EQ(status, 1);
  EXPECT_EQ(Read_File_Bytes(folder + "/g++.log"),
            "[-O2][-DNAME=\"a b\"][-g][-o][" + exe + "][" + source + "]\n");
}

TEST(WindowsCompanion, ExplainsGccsChineseMessagesInUtf8AndInGbk) {
  REQUIRE_COMPANION();
  std::string folder = Companion_Folder("cc-chinese");
  Write_File_Bytes(folder + "/a.cpp",
                   "// CHINESE_MESSAGES\n#include <iostream>\nint main() {\n    cout << 1;\n"
                   "    int x = 1\n    return x;\n}\n");
  int status = -1;
  std::string output =
      ::Run(folder + "/tarnwickstone-cc.exe", {"-g", "-o", "a.exe", "a.cpp"}, folder, "", &status);
  EXPECT_NE(
      output.find(Crlf("\n中文提示（tarnwickstone-cc）：\n"
                       "1. a.cpp 第 4 行：“cout”没有声明：它是标准库里的名字，属于 std 命名空间，"
                       "这个文件却没有写 using namespace std;。\n")),
      std::string::npos)
      << Escaped(output);
  EXPECT_NE(output.find(Crlf("\n2. a.cpp 第 5 行：这一行的末尾少了分号“;”。\n")), std::string::npos)
      << Escaped(output);
  EXPECT_EQ(status, 1);
}

TEST(WindowsCompanion, InAConsoleTheHintsShowAsChineseWhateverTheCodePage) {
  REQUIRE_COMPANION();
  std::string folder = Companion_Folder("cc-console");
  Write_File_Bytes(folder + "/a.cpp", "// LOCKED_OUTPUT\nint main() {}\n");
  Session s = Start_In_Terminal("cmd", folder);
  ASSERT_TRUE(Expect(s, ">"));
  // cmd's console is in code page 936 here; the hints are whole UTF-16 characters.
  Send(s, "tarnwickstone-cc.exe -g -o a.exe a.cpp\r");
  EXPECT_TRUE(Expect(s, "Permission denied"));
  EXPECT_TRUE(Expect(s, "中文提示（tarnwickstone-cc）："));
  EXPECT_TRUE(Expect(s, "可能还没有关闭，正在运行的程序不能被覆盖。"));
  ASSERT_TRUE(Expect(s, ">"));
  Send(s, "exit\r");
  EXPECT_EQ(Finish(s), 0);
}

// A compiler unpacked where the guide says (C:\mingw64) is found with no
// change to the PATH, and runs with its folder first on its PATH: MSYS2's
// parts load their DLLs from there.
TEST(WindowsCompanion, FindsACompilerInItsInstallFolderAndPutsThatOnItsPath) {
  REQUIRE_COMPANION();
  std::string folder = Fresh_Folder("cc-installed");
  fs::copy_file(Windows_Build("tarnwickstone-cc.exe"), folder + "/tarnwickstone-cc.exe");
  Write_File_Bytes(folder + "/a.cpp", "// PRINT_PATH\nint main() {}\n");
  std::string installed = std::string(TWS_WINE_PREFIX) + "/drive_c/mingw64";
  fs::create_directories(installed + "/bin");
  fs::copy_file(Windows_Build("tests/windows/doubles/compiler.exe"), installed + "/bin/g++.exe");
  int status = -1;
  std::string output =
      ::Run(folder + "/tarnwickstone-cc.exe", {"-o", "a.exe", "a.cpp"}, folder, "", &status);
  fs::remove_all(installed);
  EXPECT_EQ(status, 0) << Escaped(output);
  EXPECT_EQ(output.rfind("C:\\mingw64\\bin;", 0), 0u) << Escaped(output);
}

namespace {

// The precompiled headers' cache under the Wine user's %LOCALAPPDATA%, as
// Linux sees it, and the user's name.
std::string Cache_Root(std::string* user = nullptr) {
  for (const auto& entry :
       fs::directory_iterator(std::string(TWS_WINE_PREFIX) + "/drive_c/users")) {
    std::string name = entry.path().filename();
    if (name == "Public" || !fs::exists(entry.path() / "AppData/Local")) continue;
    if (user) *user = name;
    return entry.path().string() + "/AppData/Local/tarnwickstone/pch";
  }
  return "";
}

// The cache's entry once its header is ready (made for other files than
// `unlike` says) and no preparer is at work (the lock's file is there only
// while one holds it); "" when that does not come within twenty minutes (a
// preparer under Wine on a busy machine may take several).
std::string Ready_Entry(const std::string& unlike = "") {
  std::string root = Cache_Root(), ready;
  Wait_Until(
      [&] {
        std::error_code error;
        for (const auto& entry : fs::directory_iterator(root, error)) {
          std::string made_for = Read_File_Bytes(entry.path().string() + "/made-for.txt");
          if (made_for.rfind(Crlf("ready\n"), 0) == 0 && made_for != unlike)
            ready = entry.path().filename();
        }
        return !ready.empty() && !fs::exists(root + "/building") &&
               !fs::exists(root + "/prepare.lock");
      },
      1200000);
  return ready;
}

std::string Last_Line(const std::string& log) {
  size_t end = log.size() > 1 ? log.rfind('\n', log.size() - 2) : std::string::npos;
  return end == std::string::npos ? log : log.substr(end + 1);
}

std::vector<std::string> Listing(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

TEST(WindowsCompanion, PreparesTheHeaderUnderLocalAppDataInTheBackgroundAndUsesItNextTime) {
  REQUIRE_COMPANION();
  std::string folder = Companion_Folder("cc-pch"), user;
  std::error_code ignored;
  fs::remove_all(Cache_Root(&user), ignored);
  Write_File_Bytes(folder + "/stdc++.h", "// what the double's header is made from\n");
  Write_File_Bytes(folder + "/a.cpp", "// T1\n#include <bits/stdc++.h>\nint main() {}\n");
  std::string exe = Windows_Path(folder + "/a.exe"), source = Windows_Path(folder + "/a.cpp");
  const std::vector<std::string> words = {"-O2", "-g", "-o", exe, source};
  std::string compile = "[-O2][-g][-o][" + exe + "][" + source + "]\n";
  int status = -1;
  EXPECT_EQ(::Run(folder + "/tarnwickstone-cc.exe", words, folder, "", &status), "");
  EXPECT_EQ(status, 0);
  EXPECT_EQ(Read_File_Bytes(folder + "/g++.log").rfind(compile, 0), 0u);

  std::string entry = Ready_Entry();
  ASSERT_NE(entry, "") << Read_File_Bytes(folder + "/g++.log");
  std::string root = Cache_Root(), local = "C:\\users\\" + user + "\\AppData\\Local";
  std::string pch = local + "\\tarnwickstone\\pch";
  std::string log = Read_File_Bytes(folder + "/g++.log");
  EXPECT_NE(
      log.find("[-O2][-g][-E][" + source + "]\n[-O2][-g][-x][c++-header][" + pch +
               "\\scratch\\wrapper.h][-o][" + pch + "\\building\\bits\\stdc++.h.gch][-MD][-MF][" +
               pch + "\\scratch\\deps.txt][-MT][pch]\n[-O2][-g][-I" + pch +
               "\\building][-H][-fsyntax-only][-x][c++][" + pch + "\\scratch\\wrapper.h]\n"),
      std::string::npos)
      << log;
  // Named after the source, with its include on its own line number.
  EXPECT_EQ(Read_File_Bytes(root + "/" + entry + "/bits/stdc++.h.gch"),
            "precompiled " + pch + "\\scratch\\wrapper.h\n");
  std::string made_for = Read_File_Bytes(root + "/" + entry + "/made-for.txt");
  std::string escaped;  // as made-for.txt keeps it
  for (char c : source) escaped += c == '\\' ? "\\\\" : std::string(1, c);
  EXPECT_NE(
      made_for.find(Crlf("source " + escaped + "\nline 2\ninclude #include <bits/stdc++.h>\n")),
      std::string::npos)
      << made_for;
  EXPECT_FALSE(fs::exists(root + "/scratch"));

  EXPECT_EQ(::Run(folder + "/tarnwickstone-cc.exe", words, folder, "", &status), "");
  EXPECT_EQ(status, 0);
  EXPECT_EQ(Last_Line(Read_File_Bytes(folder + "/g++.log")),
            "[-I" + pch + "\\" + entry + "]" + compile);
  std::vector<std::string> off = words;
  off.insert(off.begin(), "--no-pch");
  ::Run(folder + "/tarnwickstone-cc.exe", off, folder, "", &status);
  EXPECT_EQ(Last_Line(Read_File_Bytes(folder + "/g++.log")), compile);
  EXPECT_EQ(Listing(folder),
            std::vector<std::string>({"a.cpp", "a.exe", "g++.exe", "g++.log", "recorder.exe",
                                      "stdc++.h", "tarnwickstone-cc.exe"}));

  // The library changed: its header made from the old one is not used, and another is made.
  Write_File_Bytes(folder + "/stdc++.h", "// a newer library\n");
  ::Run(folder + "/tarnwickstone-cc.exe", words, folder, "", &status);
  EXPECT_EQ(Last_Line(Read_File_Bytes(folder + "/g++.log")), compile);
  made_for = Read_File_Bytes(root + "/" + entry + "/made-for.txt");
  ASSERT_EQ(Ready_Entry(made_for), entry) << Read_File_Bytes(folder + "/g++.log");

  // g++ refuses it, as an older MinGW-w64 may after a reboot: the refusal is
  // not shown, and the compile is done again without it.
  Write_File_Bytes(folder + "/a.cpp", "// REFUSE_PCH\n#include <bits/stdc++.h>\nint main() {}\n");
  EXPECT_EQ(::Run(folder + "/tarnwickstone-cc.exe", words, folder, "", &status), "");
  EXPECT_EQ(status, 0);
  log = Read_File_Bytes(folder + "/g++.log");
  EXPECT_NE(log.find("[-I" + pch + "\\" + entry + "]" + compile + compile), std::string::npos)
      << log;
  EXPECT_NE(Ready_Entry(), "");  // thrown away, and made again
}
