// The Windows launcher's receiver under Wine: Winsock on 127.0.0.1, files
// written byte for byte into a folder with a Chinese name and a space,
// nothing for a hostile request, and Ctrl+C (Wine makes SIGINT the console's
// Ctrl+C) ending it cleanly.
#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>

#include "loopback.h"
#include "test_text.h"
#include "wine_session.h"

namespace fs = std::filesystem;

namespace {

std::string Payload(const std::string& name) {
  return Read_File_Bytes(std::string(TWS_SOURCE_DIR) + "/tests/receive/" + name);
}

TEST(WindowsReceiver, WritesTheProblemAndStopsOnCtrlC) {
  REQUIRE_WINE();
  std::string folder = Fresh_Folder("receive");
  int port = Free_Loopback_Port();
  Session s = Start(Windows_Build("tarnwickstone-launch.exe"),
                    {"--receive", "--port=" + std::to_string(port)}, folder);
  ASSERT_TRUE(Expect(s, "接收 Competitive Companion 发来的题目", 120));
  EXPECT_EQ(Post_To_Loopback(port, Payload("luogu_file.json")), 200);
  EXPECT_EQ(Post_To_Loopback(port, Payload("hostile_input_path.json")), 400);
  EXPECT_TRUE(Expect(s, "P1001.cpp，样例 1、2。"));
  EXPECT_TRUE(Expect(s, "不能用作文件名，什么也没有写入。"));
  kill(s.child.pid, SIGINT);
  EXPECT_TRUE(Expect(s, "已停止接收题目。"));
  EXPECT_EQ(Finish(s), 0);
  EXPECT_EQ(Read_File_Bytes(folder + "/P10012.in"), "-7 20\r\n");
  EXPECT_EQ(Read_File_Bytes(folder + "/P10012.ans"), "13\r\n");
  std::string source = Read_File_Bytes(folder + "/P1001.cpp");
  EXPECT_NE(source.find("// 时间限制：2 秒\n// 内存限制：128 MB\n"), std::string::npos) << source;
  EXPECT_NE(source.find("freopen(\"sum.out\", \"w\", stdout);"), std::string::npos) << source;
  size_t files = 0;
  for (const auto& entry : fs::directory_iterator(folder)) {
    EXPECT_EQ(entry.path().filename().string().find(".~"), std::string::npos) << entry.path();
    ++files;
  }
  EXPECT_EQ(files, 5u);  // P1001.cpp and two samples
}

}  // namespace
