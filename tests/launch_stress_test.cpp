// 对拍's parts that stand alone: its limits in the source, the helpers found
// by name, the options read from the program, the next free sample, seeds,
// and a long input shown by its start.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>

#include "launch/difference.h"
#include "launch/limits.h"
#include "launch/stress.h"
#include "test_text.h"

namespace fs = std::filesystem;

namespace {

// A new folder holding `names`, each with `bytes`.
std::string Folder_With(const std::string& tag, const std::vector<std::string>& names,
                        const std::string& bytes = "") {
  std::string d = fs::temp_directory_path() / ("tws-" + tag + "-" + std::to_string(getpid()));
  fs::remove_all(d);
  fs::create_directories(d);
  for (const std::string& name : names) {
    fs::create_directories(fs::path(d + "/" + name).parent_path());
    Write_File_Bytes(d + "/" + name, bytes);
  }
  return d;
}

TEST(StressLimits, WrittenBesideTheProblemsOwnAndNeverTakenForThem) {
  Problem_Limits limits = Read_Limits("int main() {}", "a.cpp");
  EXPECT_EQ(limits.stress_rounds, 1000);
  EXPECT_EQ(limits.stress_us, 60000000);
  limits = Read_Limits("// 时间限制：2 秒\n// 对拍轮数：5000 轮\n// 对拍时间：2 分钟\n", "a.cpp");
  EXPECT_EQ(limits.time_us, 2000000);
  EXPECT_EQ(limits.stress_rounds, 5000);
  EXPECT_EQ(limits.stress_us, 120000000);
  // "对拍时限" and "对拍时间上限" hold the time limit's own keywords.
  limits = Read_Limits("// 对拍时限 90 秒\n// 对拍时间上限：100 秒 内存限制 64 MB", "a.cpp");
  EXPECT_EQ(limits.time_us, 1000000);
  EXPECT_EQ(limits.memory_bytes, 64 << 20);
  EXPECT_EQ(limits.stress_us, 90000000);
  EXPECT_TRUE(limits.notes.empty());
  limits = Read_Limits("// 对拍次数：很多", "a.cpp");
  EXPECT_EQ(limits.stress_rounds, 1000);
  ASSERT_EQ(limits.notes.size(), 1u);
  EXPECT_EQ(limits.notes[0],
            "a.cpp 开头的注释里写了“对拍次数”，但没有看懂它的值（例如“对拍轮数：5000”），按 1000 "
            "轮算");
}

TEST(StressHelpers, FoundByTheProgramsNameOrByTheGenericOnesWhenItIsAlone) {
  std::string d = Folder_With("pair", {"a.cpp", "A_GEN.CPP", "a_brute.cpp", "gen.cpp", "b.txt"});
  Stress_Pair pair = Find_Stress_Pair(d + "/a.exe");
  EXPECT_EQ(pair.generator, d + "/A_GEN.CPP");
  EXPECT_EQ(pair.brute, d + "/a_brute.cpp");
  fs::remove(d + "/A_GEN.CPP");
  fs::remove(d + "/a_brute.cpp");
  Write_File_Bytes(d + "/brute.cpp", "");
  pair = Find_Stress_Pair(d + "/a.exe");
  EXPECT_EQ(pair.generator, d + "/gen.cpp");
  EXPECT_EQ(pair.brute, d + "/brute.cpp");
  // Another program in the folder could own gen.cpp just as well.
  Write_File_Bytes(d + "/other.cpp", "");
  pair = Find_Stress_Pair(d + "/a.exe");
  EXPECT_EQ(pair.generator, "");
  EXPECT_EQ(pair.brute, "");
  fs::remove_all(d);
}

TEST(StressHelpers, CompiledWithTheOptionsGxxRecordedInTheProgram) {
  std::string d = Folder_With("options", {});
  const std::string record = "GNU C++17 12.2.0 -mtune=generic -march=x86-64 -g -O1 -std=c++17";
  Write_File_Bytes(d + "/x.exe", std::string("\x7f"
                                             "ELF\0",
                                             5) +
                                     record + std::string(1, '\0'));
  EXPECT_EQ(Compile_Options(d + "/x.exe"), (std::vector<std::string>{"-g", "-O1", "-std=c++17"}));
  Write_File_Bytes(d + "/y.exe", "GNU C++17 12.2.0 -g" + std::string(1, '\0'));
  EXPECT_EQ(Compile_Options(d + "/y.exe"), std::vector<std::string>{"-g"});  // -O0, as it had
  // Two records (a library's beside the program's) or none: the usual -O2.
  Write_File_Bytes(d + "/z.exe", record + std::string(1, '\0') + "GNU C++14 9.0 -O3");
  EXPECT_EQ(Compile_Options(d + "/z.exe"), (std::vector<std::string>{"-O2", "-g"}));
  EXPECT_EQ(Compile_Options(d + "/missing.exe"), (std::vector<std::string>{"-O2", "-g"}));
  EXPECT_EQ(Executable_Of(d + "/x_gen.cpp"), d + "/x_gen.exe");
  fs::remove_all(d);
}

TEST(StressSamples, ANewPairTakesTheNextFreeNumberAndNeverAFileThatExists) {
  std::string d = Folder_With("add", {"x.cpp", "x1.in", "x1.out", "X3.IN", "x3.out", "x4.ans"});
  Write_File_Bytes(d + "/input", "1 2\n");
  Sample_Set set = Find_Samples(d + "/x.exe");
  Sample added;
  std::string err;
  ASSERT_TRUE(Add_Sample(d + "/x.exe", set, d + "/input", "3\r\n", added, &err)) << err;
  EXPECT_EQ(added.number, "5");            // x4.ans has no input, but its number is taken
  EXPECT_EQ(added.answer, d + "/x5.out");  // named as the others' answers
  EXPECT_EQ(Read_File_Bytes(added.input), "1 2\n");
  EXPECT_EQ(Read_File_Bytes(added.answer), "3\r\n");
  ASSERT_EQ(Find_Samples(d + "/x.exe").samples.size(), 3u);
  fs::remove_all(d);

  // p1.in would belong to the program p1: p's first sample is p2.
  d = Folder_With("claimed", {"p.cpp", "p1.cpp", "input"});
  set = Find_Samples(d + "/p.exe");
  ASSERT_TRUE(Add_Sample(d + "/p.exe", set, d + "/input", "", added, &err)) << err;
  EXPECT_EQ(added.input, d + "/p2.in");
  EXPECT_EQ(added.answer, d + "/p2.ans");
  EXPECT_EQ(Find_Samples(d + "/p.exe").samples.size(), 1u);
  fs::remove_all(d);
}

TEST(StressSamples, APairIsSavedWholeOrNotAtAllOnAFullDisk) {
  std::string d = Folder_With("full", {"x.cpp"});
  Write_File_Bytes(d + "/input", std::string(16000, '1'));
  std::string small = d + "/small";
  fs::create_directory(small);
  if (mount("tmpfs", small.c_str(), "tmpfs", 0, "size=64k") != 0)
    GTEST_SKIP() << "mounting a small disk needs root";
  Write_File_Bytes(small + "/x.cpp", "");
  Sample_Set set = Find_Samples(small + "/x.exe");
  Sample added;
  std::string err;
  // The input fits and the answer does not: neither stays.
  EXPECT_FALSE(
      Add_Sample(small + "/x.exe", set, d + "/input", std::string(200000, '2'), added, &err));
  EXPECT_EQ(err, "磁盘已满");
  std::vector<std::string> left;
  for (const auto& entry : fs::directory_iterator(small)) left.push_back(entry.path().filename());
  EXPECT_EQ(left, std::vector<std::string>{"x.cpp"});
  umount(small.c_str());
  fs::remove_all(d);
}

TEST(StressHelpers, ALauncherCompilingAHelperNeverLetsAnotherRunItHalfWritten) {
  std::string d = Folder_With("helpers", {});
  Write_File_Bytes(d + "/gen.cpp", "#include <cstdio>\nint main() { std::puts(\"made\"); }\n");
  ASSERT_TRUE(Compile_Helper(d + "/gen.cpp", {"-O0"}));
  // Its source changed: another launcher compiles it again while this one runs it.
  fs::last_write_time(d + "/gen.cpp", fs::file_time_type::clock::now() + std::chrono::hours(1));
  pid_t other = fork();
  if (other == 0) _exit(Compile_Helper(d + "/gen.cpp", {"-O0"}) ? 0 : 1);
  int runs = 0, whole = 0, status = 0;
  while (waitpid(other, &status, WNOHANG) == 0) {
    std::string out;
    Program_End end = Run_Quietly({d + "/gen.exe"}, out);
    ++runs;
    whole += end.started && !end.signaled && end.code == 0 && out == "made\n";
  }
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(whole, runs);
  std::vector<std::string> left;
  for (const auto& entry : fs::directory_iterator(d)) left.push_back(entry.path().filename());
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{"gen.cpp", "gen.exe"}));
  fs::remove_all(d);
}

TEST(StressRounds, SeedsDifferAndFitAnInt) {
  for (long long base : {0LL, 123456789LL, 9000000000000LL})
    for (long long round = 1; round < 2000; ++round) {
      long long seed = Seed_Of(base, round);
      EXPECT_GE(seed, 1);
      EXPECT_LE(seed, 2147483646);
      EXPECT_NE(seed, Seed_Of(base, round + 1));
    }
}

TEST(StressRounds, SizesClimbFromOneToTheLargestAndSpendAShareOfEveryClimbThere) {
  // The default climb: one by one at first, so the first inputs are the
  // smallest, then geometrically to the largest, and again.
  for (long long round = 1; round <= 20; ++round) EXPECT_EQ(Size_Of(round, 100000, 1000), round);
  long long large = 0, largest = 0;
  for (long long round = 1; round <= 1000; ++round) {
    long long size = Size_Of(round, 100000, 1000);
    EXPECT_GE(size, 1);
    EXPECT_LE(size, 100000);
    large += size >= 50000;
    largest += size == 100000;
    if (round % 200 != 1) {
      EXPECT_GE(size, Size_Of(round - 1, 100000, 1000)) << round;
    }
  }
  EXPECT_EQ(largest, 5);  // one climb in 200 rounds
  EXPECT_GE(large, 50);   // overflows at n = 50000 have tens of chances
  EXPECT_EQ(Size_Of(201, 100000, 1000), 1);
  // A short 对拍 climbs once, to the top; a small largest size is kept to.
  EXPECT_EQ(Size_Of(10, 1000000, 10), 1000000);
  EXPECT_EQ(Size_Of(1, 1000000, 1), 1);
  for (long long round = 1; round <= 400; ++round) EXPECT_LE(Size_Of(round, 7, 1000), 7);
  // Written above the program, as its other limits are.
  EXPECT_EQ(Read_Limits("int main() {}", "a.cpp").stress_size, 100000);
  EXPECT_EQ(Read_Limits("// n <= 2e5\n// 对拍规模：200000\n", "a.cpp").stress_size, 200000);
  EXPECT_EQ(Read_Limits("// 对拍规模 5 万\n", "a.cpp").stress_size, 50000);
  Problem_Limits limits = Read_Limits("// 对拍规模：10^5\n// 对拍轮数：300", "a.cpp");
  EXPECT_EQ(limits.stress_size, 100000);
  EXPECT_EQ(limits.stress_rounds, 300);
  ASSERT_EQ(limits.notes.size(), 1u);
  EXPECT_NE(limits.notes[0].find("“对拍规模”，但没有看懂它的值（例如“对拍规模：100000”），最大按 "
                                 "100000 算"),
            std::string::npos)
      << limits.notes[0];
}

TEST(StressRounds, ALongInputIsShownByItsFirstLinesAndItsFile) {
  std::string input;
  for (int i = 1; i <= 40; ++i) input += std::to_string(i) + " 2 3 4 5 6 7 8 9 10\n";
  EXPECT_EQ(Input_Lines(input, "x7.in", 80),
            "  输入的开头（全部在 x7.in）：\n"
            "        1 2 3 4 5 6 7 8 9 10\n        2 2 3 4 5 6 7 8 9 10\n"
            "        3 2 3 4 5 6 7 8 9 10\n        4 2 3 4 5 6 7 8 9 10\n"
            "        5 2 3 4 5 6 7 8 9 10\n");
  EXPECT_EQ(Input_Lines(input, "", 80), "");  // a sample's long input is not shown
  EXPECT_EQ(Input_Lines("7\n", "x7.in", 80), "  输入：7\n");
}

}  // namespace
