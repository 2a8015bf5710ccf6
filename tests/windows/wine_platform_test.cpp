// The Windows platform layer under Wine, one operation at a time, through the
// probe program.

#include <filesystem>

#include "process.h"
#include "wine_session.h"

namespace fs = std::filesystem;

namespace {

std::string Probe(const std::string& folder, const std::vector<std::string>& args,
                  const std::string& input = "") {
  return Run(Windows_Build("tests/windows/doubles/probe.exe"), args, folder, input);
}

}  // namespace

TEST(WindowsLayer, TellsFilesFoldersDevicesAndMissingPathsWithChineseNames) {
  REQUIRE_WINE();
  std::string folder = Fresh_Folder("status");
  fs::create_directory(folder + "/源 码");
  Write_File_Bytes(folder + "/源 码/你好.cpp", "");
  EXPECT_EQ(Probe(folder, {"status", "源 码"}), "directory\r\n");
  EXPECT_EQ(Probe(folder, {"status", "源 码\\你好.cpp"}), "file\r\n");
  EXPECT_EQ(Probe(folder, {"status", Windows_Path(folder) + "\\源 码\\你好.cpp"}), "file\r\n");
  EXPECT_EQ(Probe(folder, {"status", "源 码\\没有.cpp"}), "missing\r\n");
  EXPECT_EQ(Probe(folder, {"status", "源 码\\你好.cpp\\x"}), "missing\r\n");
  EXPECT_EQ(Probe(folder, {"status", ""}), "missing\r\n");
  EXPECT_EQ(Probe(folder, {"status", "NUL"}), "other\r\n");
}

TEST(WindowsLayer, ReplacesAHiddenOrReadOnlyFileThroughANewFile) {
  REQUIRE_WINE();
  std::string folder = Fresh_Folder("replace");
  std::string file = folder + "/设置 文件.tws";
  EXPECT_EQ(Probe(folder, {"replace", "设置 文件.tws", "a b\n\n1"}), "replaced\r\n");
  EXPECT_EQ(Read_File_Bytes(file), "a b\r\n\r\n1");
  Probe(folder, {"hide", "设置 文件.tws"});
  ASSERT_EQ(Dos_Attributes(file), "0x2");
  // Wine would let the old file be written in place; Windows refuses to open
  // a hidden file that way, so the new content must come as a new file.
  ino_t before = Inode(file);
  EXPECT_EQ(Probe(folder, {"replace", "设置 文件.tws", "中文\n0"}), "replaced\r\n");
  EXPECT_NE(Inode(file), before);
  EXPECT_EQ(Read_File_Bytes(file), "中文\r\n0");
  EXPECT_EQ(Probe(folder, {"read", "设置 文件.tws"}), "[中文\r\n0]\r\n");
  fs::permissions(file, fs::perms::owner_write, fs::perm_options::remove);  // read-only to Wine
  EXPECT_EQ(Probe(folder, {"replace", "设置 文件.tws", "x"}), "replaced\r\n");
  EXPECT_EQ(Read_File_Bytes(file), "x");
  // Only the file itself is left: no temporary file beside it.
  int entries = 0;
  for (auto& entry : fs::directory_iterator(folder)) entries += entry.is_regular_file();
  EXPECT_EQ(entries, 1);
  // A folder that cannot take the new file: false, and nothing left behind.
  EXPECT_EQ(Probe(folder, {"replace", "没有 目录\\a.tws", "x"}),
            "failed: 它所在的文件夹不存在\r\n");
}

TEST(WindowsLayer, ReadsTextFilesAndCreatesOnlyNewFiles) {
  REQUIRE_WINE();
  std::string folder = Fresh_Folder("files");
  Write_File_Bytes(folder + "/文本.txt",
                   "a\r\nb\rc\n\x1A"
                   "d");
  EXPECT_EQ(Probe(folder, {"read", "文本.txt"}), Crlf("[a\nb\rc\n\x1A"
                                                      "d]\n"));
  EXPECT_EQ(Probe(folder, {"read", "没有.txt"}), "[<cannot open: >]\r\n");
  EXPECT_EQ(Probe(folder, {"read", "NUL"}), "[<cannot open: 它不是普通文件>]\r\n");
  EXPECT_EQ(Probe(folder, {"create", "新 文件.cpp"}), "created\r\n");
  EXPECT_EQ(fs::file_size(folder + "/新 文件.cpp"), 0u);
  EXPECT_EQ(Probe(folder, {"create", "文本.txt"}), "failed: 它已经存在\r\n");
  EXPECT_EQ(Read_File_Bytes(folder + "/文本.txt"),
            "a\r\nb\rc\n\x1A"
            "d");
  // A new file's bytes as they are, its line ends among them; never over another.
  EXPECT_EQ(Probe(folder, {"write-new", "样例 1.in", "1 2\n3"}), "written\r\n");
  EXPECT_EQ(Read_File_Bytes(folder + "/样例 1.in"), "1 2\n3");
  EXPECT_EQ(Probe(folder, {"write-new", "文本.txt", "x"}), "failed: 它已经存在\r\n");
  EXPECT_EQ(Read_File_Bytes(folder + "/文本.txt").size(), 9u);  // as it was
  // A copy appears whole under its name, never over another, and nothing is left beside it.
  EXPECT_EQ(Probe(folder, {"copy", "样例 1.in", "样例 2.in"}), "copied\r\n");
  EXPECT_EQ(Read_File_Bytes(folder + "/样例 2.in"), "1 2\n3");
  EXPECT_EQ(Probe(folder, {"copy", "样例 1.in", "文本.txt"}), "failed: 它已经存在\r\n");
  EXPECT_EQ(Probe(folder, {"copy", "没有.in", "样例 3.in"}), "failed: 不存在\r\n");
  EXPECT_FALSE(fs::exists(folder + "/样例 3.in"));
  // A program compiled anew takes the old one's place in one step.
  EXPECT_EQ(Probe(folder, {"replace-file", "样例 2.in", "文本.txt"}), "replaced\r\n");
  EXPECT_EQ(Read_File_Bytes(folder + "/文本.txt"), "1 2\n3");
  EXPECT_FALSE(fs::exists(folder + "/样例 2.in"));
  size_t files = 0;
  for (const auto& entry : fs::directory_iterator(folder)) files += entry.is_regular_file();
  EXPECT_EQ(files, 3u);  // 文本.txt, 新 文件.cpp, 样例 1.in: no file half-made beside them
  EXPECT_EQ(Probe(folder, {"remove", "样例 1.in"}), "removed\r\n");
  EXPECT_FALSE(fs::exists(folder + "/样例 1.in"));
  EXPECT_EQ(Probe(folder, {"remove", "样例 1.in"}), "failed: 不存在\r\n");
}

TEST(WindowsLayer, RunsProgramsWithTheirArgumentsIntactAndTheWholeExitCode) {
  REQUIRE_WINE();
  std::string folder = Fresh_Folder("run");
  fs::copy_file(Windows_Build("tests/windows/doubles/recorder.exe"), folder + "/记 录.exe");
  std::vector<std::string> words = {"a b",     "",         "q\"x",      "tr\\",
                                    "tr sp\\", "a\\\\\"b", "中文 路径", "x\\y"};
  std::vector<std::string> args = {"run", "记 录.exe"};
  args.insert(args.end(), words.begin(), words.end());
  EXPECT_EQ(Probe(folder, args), "started 0\r\n");
  std::string expected;
  for (const std::string& w : words) expected += "[" + w + "]";
  EXPECT_EQ(Read_File_Bytes(folder + "/记 录.log"), expected + "\n");
  std::string probe = Windows_Path(Windows_Build("tests/windows/doubles/probe.exe"));
  EXPECT_EQ(Probe(folder, {"run", probe, "exit", "3221225477"}), "started 3221225477\r\n");
  EXPECT_EQ(Probe(folder, {"run", "没有 程序.exe"}), "not started 127 文件不存在\r\n");
}

TEST(WindowsLayer, CommandsGoThroughCmd) {
  REQUIRE_WINE();
  std::string folder = Fresh_Folder("command");
  fs::copy_file(Windows_Build("tests/windows/doubles/recorder.exe"), folder + "/记 录.exe");
  EXPECT_EQ(Probe(folder, {"command", "cmd /c\"\"记 录.exe\" 你 \"好 吗\"\" & exit 7"}),
            "status 7\r\n");
  EXPECT_EQ(Read_File_Bytes(folder + "/记 录.log"), "[你][好 吗]\n");
}

TEST(WindowsLayer, AKeyFromAPipeIsEnterDOrAnother) {
  REQUIRE_WINE();
  std::string folder = Fresh_Folder("key");
  EXPECT_EQ(Probe(folder, {"key"}, "d"), "\r\nD\r\n");
  EXPECT_EQ(Probe(folder, {"key"}, "\r\n"), "\r\nEnter\r\n");
  EXPECT_EQ(Probe(folder, {"key"}, "x"), "\r\nother\r\n");
  EXPECT_EQ(Probe(folder, {"key"}, ""), "\r\nnone\r\n");
}

TEST(WindowsLayer, ReadsPipedLinesByteByByteAndWritesCrLf) {
  REQUIRE_WINE();
  std::string folder = Fresh_Folder("lines");
  EXPECT_EQ(Probe(folder, {"lines"}, "ab\r\n中文 路径\n\nlast"),
            Crlf("[ab]\n[中文 路径]\n[]\n[last]\nend\n"));
  EXPECT_EQ(Probe(folder, {"lines"}, ""), "end\r\n");
  // Lines read leave the rest of the input to the programs that follow.
  EXPECT_EQ(
      Probe(folder, {"line-then-command", "cmd /c \"set /p x=& echo got %x%\""}, "one\r\ntwo\r\n"),
      "[one]\r\ngot two\r\nstatus 0\r\n");
  EXPECT_EQ(Probe(folder, {"bytes", "一\n二"}), "一\r\n二");
}

TEST(WindowsLayer, PacesOneMillisecondSleepsAgainstTheClock) {
  REQUIRE_WINE();
  std::string folder = Fresh_Folder("sleep");
  // The high-resolution timer, and the fallback for Windows without one.
  for (std::string op : {"sleep", "sleep-by-ticks"}) {
    std::string out = Probe(folder, {op, "1000", "500"});
    ASSERT_EQ(out.rfind("elapsed ", 0), 0u) << op << ": " << out;
    long long us = std::stoll(out.substr(8));
    EXPECT_GE(us, 500000) << op;
    // A sleep that took a whole 15.6 ms timer tick would make this 7.8 s.
    EXPECT_LT(us, 1000000) << op;
  }
}

TEST(WindowsBuild, ImportsOnlyWindowsSystemLibraries) {
  REQUIRE_WINE();
  Process_Run objdump =
      Run_Process({"x86_64-w64-mingw32-objdump", "-p", Windows_Build("tarnwickstone.exe")});
  ASSERT_EQ(objdump.status, 0) << objdump.out;
  const std::string& dump = objdump.out;
  std::vector<std::string> dlls;
  for (size_t at = dump.find("DLL Name: "); at != std::string::npos;
       at = dump.find("DLL Name: ", at + 1))
    dlls.push_back(dump.substr(at + 10, dump.find('\n', at) - at - 10));
  ASSERT_FALSE(dlls.empty()) << dump;
  for (std::string dll : dlls) {
    for (char& c : dll) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    bool system = dll == "kernel32.dll" || dll == "msvcrt.dll" || dll == "ucrtbase.dll" ||
                  dll == "winmm.dll" || dll == "user32.dll" || dll == "advapi32.dll" ||
                  dll == "shell32.dll" || dll.rfind("api-ms-win-", 0) == 0;
    EXPECT_TRUE(system) << dll << " is not a Windows system library";
  }
}

TEST(WindowsLayer, KeepsWorkInFoldersMovedWholeStampedAndLocked) {
  REQUIRE_WINE();
  std::string folder = Fresh_Folder("keep");
  std::string cache = Probe(folder, {"cache"});
  EXPECT_EQ(cache.rfind("C:\\users\\", 0), 0u) << cache;
  EXPECT_TRUE(Ends_With(cache, "\\AppData\\Local\r\n"));
  EXPECT_EQ(Probe(folder, {"folders", "缓存 目录"}), "made a\r\n");
  EXPECT_TRUE(fs::is_directory(folder + "/缓存 目录/a/b"));
  EXPECT_EQ(Probe(folder, {"folders", "缓存 目录"}), "made a\r\n");  // already there
  // The user's own folder, made or found, is private; a file in its place is not.
  EXPECT_EQ(Probe(folder, {"private", "缓存 目录\\私有"}), "private\r\n");
  EXPECT_TRUE(fs::is_directory(folder + "/缓存 目录/私有"));
  EXPECT_EQ(Probe(folder, {"private", "缓存 目录\\私有"}), "private\r\n");
  Write_File_Bytes(folder + "/文件", "");
  EXPECT_EQ(Probe(folder, {"private", "文件"}).rfind("failed: ", 0), 0u);
  EXPECT_EQ(Probe(folder, {"move", "缓存 目录\\a", "条目"}), "moved\r\n");
  EXPECT_TRUE(fs::is_directory(folder + "/条目/b"));
  fs::create_directories(folder + "/占位/x");
  EXPECT_EQ(Probe(folder, {"move", "条目", "占位"}).rfind("failed: ", 0), 0u);
  EXPECT_TRUE(fs::is_directory(folder + "/条目/b"));

  Write_File_Bytes(folder + "/头.gch", "abc");
  fs::last_write_time(folder + "/头.gch", fs::file_time_type::clock::now() - std::chrono::hours(1));
  std::string before = Probe(folder, {"stamp", "头.gch"});
  ASSERT_EQ(before.rfind("3 ", 0), 0u) << before;
  EXPECT_EQ(Probe(folder, {"touch", "头.gch"}), "touched\r\n");
  std::string after = Probe(folder, {"stamp", "头.gch"});
  EXPECT_GT(std::stoll(after.substr(2)), std::stoll(before.substr(2))) << after;
  EXPECT_EQ(Probe(folder, {"stamp", "没有"}), "failed: 不存在\r\n");

  // A lock that one program holds is no other's until the first ends.
  Session holder = Start(Windows_Build("tests/windows/doubles/probe.exe"), {"lock", "锁"}, folder);
  ASSERT_TRUE(Expect(holder, "locked"));
  EXPECT_EQ(Probe(folder, {"lock", "锁"}, "\n"), "busy: 它正被别的程序使用\r\n");
  EXPECT_EQ(Finish(holder), 0);
  EXPECT_EQ(Probe(folder, {"lock", "锁"}, "\n"), "locked\r\n");
  EXPECT_FALSE(fs::exists(folder + "/锁"));  // gone with its last holder

  // A program started in the background runs on its own, with its words whole.
  fs::copy_file(Windows_Build("tests/windows/doubles/recorder.exe"), folder + "/recorder.exe");
  EXPECT_EQ(Probe(folder, {"background", Windows_Path(folder + "/recorder.exe"), "后台", "a b"}),
            "started\r\n");
  EXPECT_EQ(Wait_For_File(folder + "/recorder.log", Whole_Lines, 30000), "[后台][a b]\n");
  EXPECT_EQ(Probe(folder, {"background", "没有.exe"}), "failed: 文件不存在\r\n");
}
