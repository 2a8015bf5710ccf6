// tarnwickstone-launch --receive: the problems Competitive Companion sends
// (recorded payloads, tests/receive/*.json) posted to the real receiver on a
// free loopback port; the files it writes, byte for byte, then judged by the
// launcher with each problem's own limits. Hostile requests write nothing.
#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <regex>

#include "e2e/piped_run.h"
#include "e2e/pty_session.h"
#include "loopback.h"
#include "process.h"
#include "test_text.h"

namespace fs = std::filesystem;

namespace {

const std::string PAYLOADS = std::string(TWS_SOURCE_DIR) + "/tests/receive/";
const std::string LISTENING = "接收 Competitive Companion 发来的题目";

struct Receiver {
  Child child;
  int port = 0;
  std::string screen;  // what it has said so far
};

// Reads what the receiver says until `text` has come `times` times in all;
// false when it has not within twenty seconds.
bool Wait_For(Receiver& r, const std::string& text, size_t times = 1) {
  for (int i = 0; i < 100; ++i) {
    size_t seen = 0;
    for (size_t at = r.screen.find(text); at != std::string::npos; at = r.screen.find(text, at + 1))
      ++seen;
    if (seen >= times) return true;
    if (Read_Output(r.child, r.screen, 200) < 0) return false;
  }
  return false;
}

Receiver Start_Receiver(const std::string& folder) {
  Receiver r;
  r.port = Free_Loopback_Port();
  r.child = Spawn({TWS_LAUNCHER, "--receive", "--port=" + std::to_string(r.port), folder});
  EXPECT_TRUE(Wait_For(r, LISTENING)) << r.screen;
  return r;
}

// Ctrl+C, and its end: its status.
int Stop(Receiver& r) {
  kill(r.child.pid, SIGINT);
  return Wait_End(r.child, r.screen, 20000);
}

int Post(const Receiver& r, const std::string& body,
         const std::multimap<std::string, std::string>& headers = {}) {
  return Post_To_Loopback(r.port, body, headers);
}

std::string Payload(const std::string& name) {
  return Read_File_Bytes(PAYLOADS + name);
}

size_t Read_Problem_Samples(const std::string& payload) {
  return nlohmann::json::parse(Payload(payload))["tests"].size();
}

// Every file in the folder, by name.
std::vector<std::string> Names_In(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

struct Received {
  const char* payload;
  const char* stem;
  const char* program;  // what solves it, among the launcher's sample programs
  const char* limits;   // as the launcher says them when it judges
};

const Received RECEIVED[] = {
    {"luogu_file.json", "P1001", "sum", "每个限时 2(\\.0+)? 秒，内存限制 128 MB"},
    {"codeforces.json", "1791A", "plus", "每个限时 1(\\.0+)? 秒，内存限制 256 MB"},
    {"atcoder_batch_a.json", "abc300_a", "plus", "每个限时 2(\\.0+)? 秒，内存限制 1024 MB"},
    {"atcoder_batch_b.json", "abc300_b", "plus", "每个限时 1.50* 秒，内存限制 1024 MB"},
};

// The samples are the payload's bytes; X.cpp names the page and the limits.
void Expect_Files(const std::string& folder, const Received& received) {
  nlohmann::json problem = nlohmann::json::parse(Payload(received.payload));
  std::string stem = received.stem, source = Read_File_Bytes(folder + "/" + stem + ".cpp");
  EXPECT_NE(source.find("// 来源：" + problem["url"].get<std::string>() + "\n"), std::string::npos)
      << source;
  EXPECT_NE(source.find("#include <bits/stdc++.h>"), std::string::npos) << source;
  if (problem["input"]["type"] == "file") {
    std::string opens =
        "freopen(\"" + problem["input"]["fileName"].get<std::string>() + "\", \"r\", stdin);";
    EXPECT_NE(source.find(opens), std::string::npos) << source;
  }
  int number = 0;
  for (const auto& test : problem["tests"]) {
    std::string base = folder + "/" + stem + std::to_string(++number);
    EXPECT_EQ(Read_File_Bytes(base + ".in"), test["input"].get<std::string>()) << base;
    EXPECT_EQ(Read_File_Bytes(base + ".ans"), test["output"].get<std::string>()) << base;
  }
}

TEST(Receive, WritesEachProblemAndTheLauncherJudgesItWithItsLimits) {
  std::string folder = Make_Temp_Folder();
  Receiver r = Start_Receiver(folder);
  for (const Received& received : RECEIVED) EXPECT_EQ(Post(r, Payload(received.payload)), 200);
  EXPECT_TRUE(Wait_For(r, "收到“", std::size(RECEIVED))) << r.screen;
  EXPECT_EQ(Stop(r), 0) << r.screen;
  EXPECT_NE(r.screen.find("这批已收到 2/2 道。"), std::string::npos) << r.screen;
  EXPECT_NE(r.screen.find("已停止接收题目。"), std::string::npos) << r.screen;
  // A name that reads as a tolerance ("误差不超过 1e-3") is left out of the comments.
  EXPECT_EQ(Read_File_Bytes(folder + "/abc300_b.cpp").find("误差"), std::string::npos);
  for (const Received& received : RECEIVED) {
    Expect_Files(folder, received);
    std::string program = folder + "/" + received.stem + ".exe";
    fs::copy_file(std::string(TWS_SAMPLE_PROGRAMS) + "/" + received.program, program);
    Piped_Run judged = Run_Piped({TWS_LAUNCHER, program}, folder, "q");
    EXPECT_EQ(judged.status, 0) << judged.out;
    EXPECT_TRUE(std::regex_search(judged.out, std::regex(received.limits))) << judged.out;
    std::string samples = std::to_string(Read_Problem_Samples(received.payload));
    EXPECT_NE(judged.out.find("通过 " + samples + "/" + samples), std::string::npos) << judged.out;
    EXPECT_NE(judged.out.find("限制来自 " + std::string(received.stem) + ".cpp 开头的注释"),
              std::string::npos)
        << judged.out;
  }
  for (const std::string& name : Names_In(folder))
    EXPECT_EQ(name.find(".~"), std::string::npos) << "left behind: " << name;
}

TEST(Receive, ASecondReceiptKeepsWhatTheStudentHas) {
  std::string folder = Make_Temp_Folder();
  Receiver r = Start_Receiver(folder);
  ASSERT_EQ(Post(r, Payload("codeforces.json")), 200);
  ASSERT_TRUE(Wait_For(r, "收到“")) << r.screen;
  Write_File_Bytes(folder + "/1791A.cpp", "int main() { return 0; }\n");
  Write_File_Bytes(folder + "/1791A1.ans", "mine\n");
  fs::remove(folder + "/1791A2.in");
  fs::remove(folder + "/1791A2.ans");
  ASSERT_EQ(Post(r, Payload("codeforces.json")), 200);
  ASSERT_TRUE(Wait_For(r, "收到“", 2)) << r.screen;
  EXPECT_EQ(Stop(r), 0);
  EXPECT_EQ(Read_File_Bytes(folder + "/1791A.cpp"), "int main() { return 0; }\n");
  EXPECT_EQ(Read_File_Bytes(folder + "/1791A1.ans"), "mine\n");
  EXPECT_EQ(Read_File_Bytes(folder + "/1791A2.in"), "100000000000 1\n");
  EXPECT_NE(r.screen.find(
                "1791A.cpp 已经有了，没有改动，样例 2，样例 1 和收到的不同，保留了原来的文件。"),
            std::string::npos)
      << r.screen;
}

TEST(Receive, HostileRequestsAreRefusedAndWriteNothing) {
  std::string folder = Make_Temp_Folder();
  Receiver r = Start_Receiver(folder);
  int refused = 0;
  for (const auto& entry : fs::directory_iterator(PAYLOADS)) {
    std::string name = entry.path().filename();
    if (name.compare(0, 8, "hostile_") != 0) continue;
    EXPECT_EQ(Post(r, Read_File_Bytes(entry.path())), 400) << name;
    ++refused;
  }
  std::string good = Payload("codeforces.json");
  EXPECT_EQ(Post(r, good, {{"Origin", "https://contest.example"}}), 403);
  EXPECT_EQ(Post(r, good, {{"Host", "rebound.example:80"}}), 403);
  EXPECT_EQ(Post(r, std::string(9 << 20, ' ')), 413);
  EXPECT_EQ(Post_To_Loopback(r.port, "", {}, "GET"), 405);
  refused += 4;
  EXPECT_TRUE(Wait_For(r, "什么也没有写入。", refused)) << r.screen;
  EXPECT_TRUE(Names_In(folder).empty()) << r.screen;
  // It goes on receiving, from the extension as well.
  EXPECT_EQ(Post(r, good, {{"Origin", "moz-extension://4c1b5e2a"}}), 200);
  EXPECT_EQ(Stop(r), 0);
  for (const char* said :
       {"缺少“tests”（样例）", "样例 1 里有 NUL 字符", "不是 UTF-8 文字",
        "输入文件名“../../escape.in”不能用作文件名", "路径分隔符", "是 Windows 留给设备的名字",
        "不是有效的 JSON", "控制字符", "请求来自网页 https://contest.example", "内容超过 8 MB",
        "请求方式是 GET"})
    EXPECT_NE(r.screen.find(said), std::string::npos) << said << "\n" << r.screen;
}

TEST(Receive, APortInUseOrAWrongOptionIsSaid) {
  std::string folder = Make_Temp_Folder();
  Receiver r = Start_Receiver(folder);
  std::string port = std::to_string(r.port);
  Process_Run second = Run_Process({TWS_LAUNCHER, "--receive", "--port=" + port, folder});
  EXPECT_EQ(second.status, 1);
  EXPECT_NE(second.out.find("无法在 127.0.0.1:" + port + " 接收题目（它正被别的程序使用）"),
            std::string::npos)
      << second.out;
  EXPECT_EQ(Stop(r), 0);
  Process_Run wrong = Run_Process({TWS_LAUNCHER, "--receive", "--port=80"});
  EXPECT_EQ(wrong.status, 2);
  EXPECT_NE(wrong.out.find("端口“80”不是 1024 到 65535 之间的整数"), std::string::npos)
      << wrong.out;
  Process_Run missing = Run_Process({TWS_LAUNCHER, "--receive", folder + "/none"});
  EXPECT_EQ(missing.status, 2);
  EXPECT_NE(missing.out.find("不存在"), std::string::npos) << missing.out;
}

}  // namespace
