// tarnwickstone-launch on contest folders with samples: real programs built
// with g++ (tests/launch_sample), verdicts as a student reads them, answer
// files untouched, nothing left running.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <thread>

#include "e2e/piped_run.h"
#include "e2e/pty_session.h"
#include "pages.h"
#include "test_text.h"

namespace fs = std::filesystem;

namespace {

using Files = std::map<std::string, std::string>;  // path in the folder -> bytes

// The screen with every "用时 0.123 秒" as "用时 T 秒".
std::string Timeless(const std::string& screen) {
  return std::regex_replace(screen, std::regex("用时 [0-9]+\\.[0-9]{3} 秒"), "用时 T 秒");
}

// A contest folder: the program as `stem`.exe with its source beside it, and `files`.
std::string Contest_Folder(const std::string& program, const std::string& stem,
                           const Files& files) {
  std::string folder = Make_Temp_Folder();
  fs::copy_file(std::string(TWS_SAMPLE_PROGRAMS) + "/" + program, folder + "/" + stem + ".exe");
  fs::copy_file(std::string(TWS_SAMPLE_SOURCES) + "/" + program + ".cpp",
                folder + "/" + stem + ".cpp");
  for (const auto& [name, bytes] : files) {
    fs::create_directories(fs::path(folder + "/" + name).parent_path());
    Write_File_Bytes(folder + "/" + name, bytes);
  }
  return folder;
}

Files Folder_Files(const std::string& folder) {
  Files files;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    if (entry.is_regular_file()) files[entry.path().string()] = Read_File_Bytes(entry.path());
  return files;
}

// Gone, or a zombie that nothing will wake again.
bool Ended(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  return kill(pid, 0) != 0 || text.find(") Z ") != std::string::npos;
}

TEST(LaunchSamples, EveryVerdictAsTheJudgesGiveIt) {
  std::string pids = Make_Temp_Folder();
  // clang-format off
  Files files = {
      {"plus.in", "9 9\n"}, {"plus.out", "mine\n"},  // the student's own files, never samples
      {"plus1.in", "1 2\n"}, {"plus1.ans", "3\n"},
      {"plus2.in", "1 2\n3 4\n"}, {"plus2.ans", "4\n"},
      {"plus3.in", "2 2\n"}, {"plus3.ans", "4 \t \n\n\n"},            // blanks at the ends
      {"plus4.in", "2 3"}, {"plus4.ans", "5"},                        // no last line end
      {"plus5.in", "3 3\r\n"}, {"plus5.ans", "\xEF\xBB\xBF" "6\r\n"}, // CR LF and a BOM
      {"plus6.in", "loop\n"}, {"plus6.ans", "0\n"},
      {"plus7.in", "fork " + pids + "/child\n"}, {"plus7.ans", "0\n"},
      {"plus8.in", "div\n"}, {"plus8.out", "0\n"},
      {"plus9.in", "flood\n"}, {"plus9.ans", "flood\n"},
      {"plus10.in", "1 1\n"}, {"plus10.ans", " 2\n"},
      {"plus11.in", "1 1\n"}};
  // clang-format on
  std::string folder = Contest_Folder("plus", "plus", files);
  Files before = Folder_Files(folder);
  Piped_Run run = Run_Piped({TWS_LAUNCHER, "plus.exe"}, folder, "x", 60000);
  EXPECT_EQ(Timeless(run.out),
            "在 . 找到 10 个样例，每个限时 1.000 秒。\n"
            "提示：plus11.in 没有对应的答案文件，没有作为样例。\n"
            "样例 1：AC 通过，用时 T 秒。\n"
            "样例 2：WA 答案错误，用时 T 秒。第 1 行不同：\n"
            "  期望：4\n  实际：3\n  输入：1 2\n        3 4\n"
            "样例 3：AC 通过，用时 T 秒。\n"
            "样例 4：AC 通过，用时 T 秒。\n"
            "样例 5：AC 通过，用时 T 秒。\n"
            "样例 6：TLE 超时，超过 1.000 秒还没有结束，程序已被结束。\n"
            "样例 7：TLE 超时，超过 1.000 秒还没有结束，程序已被结束。\n"
            "样例 8：RE 运行错误，程序被信号 8（0x8，SIGFPE）终止，用时 T 秒。\n"
            "  算术错误：常见原因是整数除以零。\n"
            "  出错位置：plus.cpp 第 30 行，函数 main\n"  // `return one / zero;`
            "样例 9：WA 答案错误，用时 T 秒。输出超过 64 MB，后面的部分被截掉，算作答案错误。\n"
            "样例 10：WA 答案错误，用时 T 秒。第 1 行不同（只有空格或制表符不同）：\n"
            "  期望： 2\n  实际：2\n  输入：1 1\n"
            "通过 4/10\n" +
                SAMPLES_KEY + "\n")
      << Escaped(run.out);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(Folder_Files(folder), before);  // byte for byte, and nothing new

  // The child the endless program started was ended with it.
  pid_t child = std::atoi(Read_File_Bytes(pids + "/child").c_str());
  ASSERT_GT(child, 0);
  auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!Ended(child) && std::chrono::steady_clock::now() < give_up)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_TRUE(Ended(child));
  fs::remove_all(folder);
  fs::remove_all(pids);
}

struct Layout {
  const char* program;  // in tests/launch_sample
  const char* stem;     // the name it is given in the folder
  Files files;
  std::string keys;      // what is typed after the samples
  std::string expected;  // what the launcher writes, times as T
  int status;
};

TEST(LaunchSamples, FindsSamplesInEachLayoutAndThenRunsTheProgramByHand) {
  // clang-format off
  const Layout layouts[] = {
      // freopen under names other than its own, read from the source; samples in X/.
      {"sum", "fsum", {{"fsum/fsum1.in", "5 6\n"}, {"fsum/fsum1.ans", "11\n"},
                       {"fsum/FSUM2.IN", "1 1\r\n"}, {"fsum/fsum2.out", "2\r\n"}}, "x",
       "在 ./fsum 找到 2 个样例，每个限时 1.000 秒。\n"
       "样例 1：AC 通过，用时 T 秒。\n样例 2：AC 通过，用时 T 秒。\n通过 2/2\n" + SAMPLES_KEY +
       "\n", 0},
      // A judge tool's layout; Enter runs it by hand with what is typed next.
      {"plus", "p", {{"test/sample-1.in", "7 8\n"}, {"test/sample-1.out", "15\n"}}, "\n1 2\n",
       "在 ./test 找到 1 个样例，每个限时 1.000 秒。\n样例 1：AC 通过，用时 T 秒。\n通过 1/1\n" +
       SAMPLES_KEY + "\n3\n" + LAUNCH_RULE + "程序已结束，返回值 0，用时 T 秒。\n" + KEY_WAIT + "\n", 0},
  };
  // clang-format on
  for (const Layout& layout : layouts) {
    std::string folder = Contest_Folder(layout.program, layout.stem, layout.files);
    Piped_Run run =
        Run_Piped({TWS_LAUNCHER, folder + "/" + layout.stem + ".exe"}, folder, layout.keys, 20000);
    std::string expected =
        std::regex_replace(layout.expected, std::regex("在 \\."), "在 " + folder);
    EXPECT_EQ(Timeless(run.out), expected) << Escaped(run.out);
    EXPECT_EQ(run.status, layout.status) << layout.stem;
    fs::remove_all(folder);
  }
}

TEST(LaunchSamples, CtrlCEndsTheRunningSampleAndSkipsTheRest) {
  std::string folder = Contest_Folder("plus", "plus",
                                      {{"plus1.in", "1 2\n"},
                                       {"plus1.ans", "3\n"},
                                       {"plus2.in", "loop\n"},
                                       {"plus2.ans", "0\n"},
                                       {"plus3.in", "1 1\n"},
                                       {"plus3.ans", "2\n"}});
  // A limit far beyond the waits below: only Ctrl+C can end the loop in time.
  Write_File_Bytes(folder + "/run.sh",
                   "#!/bin/sh\nexec '" TWS_LAUNCHER "' --time-limit=600 plus.exe\n");
  fs::permissions(folder + "/run.sh", fs::perms::owner_all);
  Pty_Session s;
  ASSERT_TRUE(Start(s, folder + "/run.sh", folder));
  ASSERT_TRUE(Expect(s, "样例 1：AC 通过"));
  Type(s, "\x03");
  ASSERT_TRUE(
      Expect(s, "样例 2：已中断：按下了 Ctrl+C，后面的样例不再运行。\n通过 1/3\n" + SAMPLES_KEY));
  Type(s, "x");
  EXPECT_EQ(Wait_Exit(s), 1) << Transcript(s);
  fs::remove_all(folder);
}

}  // namespace
