// What a received problem becomes: the name of its files, the comments at the
// top of X.cpp as the launcher reads them back, and which names are refused.
#include <gtest/gtest.h>

#include "launch/limits.h"
#include "launch/receive_files.h"
#include "launch/receive_problem.h"

namespace {

Received_Problem Problem(const std::string& name, const std::string& url) {
  Received_Problem problem;
  problem.name = name;
  problem.url = url;
  return problem;
}

TEST(Receive, TheFilesAreNamedAsTheJudgeNamesTheProblem) {
  struct Case {
    const char *name, *url, *stem;
  } cases[] = {
      {"P1001 A+B Problem", "https://www.luogu.com.cn/problem/P1001", "P1001"},
      {"A. Spell Check", "https://codeforces.com/contest/1791/problem/A", "1791A"},
      {"F2. Range Update", "https://codeforces.com/problemset/problem/1790/F2?locale=en", "1790F2"},
      {"B. Gym", "https://codeforces.com/gym/102942/problem/B", "102942B"},
      {"A - N-choice", "https://atcoder.jp/contests/abc300/tasks/abc300_a", "abc300_a"},
      {"#1. A + B Problem", "https://loj.ac/p/1", "1_A_B_Problem"},
      {"小凯的疑惑", "https://oj.example/problem/1234", "1234"},
      {"小凯的疑惑", "https://oj.example", "problem"},
      {"Con", "https://oj.example/x", "Con_"},
  };
  for (const Case& c : cases) EXPECT_EQ(Problem_Stem(Problem(c.name, c.url)), c.stem) << c.url;
}

TEST(Receive, TheLauncherReadsTheLimitsBackAndNothingElse) {
  Received_Problem problem = Problem("A - 时间限制 9 秒的误差 0.5 题 \\", "https://atcoder.jp/x");
  problem.time_ms = 1234;
  problem.memory_mb = 62.5;
  problem.input_file = "number.in";
  problem.output_file = "number.out";
  std::string source = Problem_Source(problem);
  Problem_Limits limits = Read_Limits(source, "X.cpp");
  EXPECT_EQ(limits.time_us, 1234000);
  EXPECT_EQ(limits.memory_bytes, 62.5 * (1 << 20));
  EXPECT_EQ(limits.tolerance.absolute, 0);
  EXPECT_TRUE(limits.notes.empty());
  EXPECT_EQ(source.find("误差"), std::string::npos) << source;  // the name is left out
  EXPECT_NE(source.find("// 来源：https://atcoder.jp/x\n"), std::string::npos) << source;
  EXPECT_NE(source.find("    freopen(\"number.in\", \"r\", stdin);\n"
                        "    freopen(\"number.out\", \"w\", stdout);\n"),
            std::string::npos)
      << source;
  // A plain name stays, without the '\' that would join the next line to it.
  problem.name = "A - Sum \\";
  EXPECT_NE(Problem_Source(problem).find("// 题目：A - Sum\n"), std::string::npos);
}

TEST(Receive, OnlyPlainNamesAreFileNames) {
  for (const char* name : {"sum.in", "P1001.out", "a-b_c.txt"}) EXPECT_TRUE(Safe_File_Name(name));
  for (const char* name : {"", ".in", "a.", "../a.in", "a/b.in", "a\\b.in", "con.in", "NUL",
                           "com1.txt", "LPT9", "a b.in", "和.in", "a\nb"})
    EXPECT_FALSE(Safe_File_Name(name)) << name;
  EXPECT_TRUE(Safe_File_Name("com10.in"));
}

TEST(Receive, LimitsOutOfTheLaunchersRangeAreLeftOutAndSaid) {
  Received_Problem problem;
  std::string why;
  ASSERT_TRUE(Read_Problem(R"({"name": "A", "url": "https://x.example/a", "timeLimit": 0,
    "memoryLimit": 1000000, "tests": [], "interactive": true})",
                           problem, why))
      << why;
  EXPECT_EQ(problem.time_ms, 0);
  EXPECT_EQ(problem.memory_mb, 0);
  EXPECT_EQ(problem.notes.size(), 1u);  // a judge that sets no time limit sends 0
  EXPECT_TRUE(problem.interactive);
  EXPECT_FALSE(Read_Problem(R"({"name": "A", "url": "u", "timeLimit": "1s", "memoryLimit": 1,
    "tests": []})",
                            problem, why));
  EXPECT_EQ(why, "“timeLimit”（时间限制）不是数");
}

}  // namespace
