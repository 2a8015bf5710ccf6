// tarnwickstone-launch on contest folders with samples: real programs built
// with g++, verdicts as a student reads them, answer files untouched, nothing
// left running and no folder left behind. The folders of
// tests/launch_sample/contests are data: one test each, described by its
// case.txt.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <thread>

#include "e2e/piped_run.h"
#include "e2e/pty_session.h"
#include "pages.h"
#include "process.h"
#include "test_text.h"

namespace fs = std::filesystem;

namespace {

using Files = std::map<std::string, std::string>;  // path in the folder -> bytes

const std::string CONTESTS = std::string(TWS_SAMPLE_SOURCES) + "/contests";

// The screen with the figures that vary from run to run as T and M: times
// ("用时 0.123 秒", "过了 3.012 秒只用了 0.001 秒") and memory ("内存 1.4 MB");
// and of 对拍, the round that ended it as K, seeds as S and speeds as R.
std::string Timeless(const std::string& screen) {
  std::string text =
      std::regex_replace(screen, std::regex("(用时|过了|只用了) [0-9]+\\.[0-9]{3} 秒"), "$1 T 秒");
  text = std::regex_replace(text, std::regex("内存 [0-9.]+ MB"), "内存 M MB");
  text = std::regex_replace(text, std::regex("对拍 [0-9]+ 轮，在第 [0-9]+ 轮"),
                            "对拍 K 轮，在第 K 轮");
  text = std::regex_replace(text, std::regex("种子 [0-9]+，规模 [0-9]+：(\\S+) [0-9]+ [0-9]+"),
                            "种子 S，规模 K：$1 S K");
  return std::regex_replace(text, std::regex("每秒 [0-9.]+ 轮"), "每秒 R 轮");
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

// Every regular file under the folder, with its bytes; links and the like by
// what they are.
Files Folder_Files(const std::string& folder) {
  Files files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    std::string path = entry.path().string();
    if (entry.is_symlink())
      files[path] = "-> " + fs::read_symlink(entry.path()).string();
    else if (entry.is_regular_file())
      files[path] = Read_File_Bytes(path);
    else
      files[path] = entry.is_directory() ? "(folder)" : "(other)";
  }
  return files;
}

// The processes whose program lies in `folder`.
std::vector<std::string> Running_From(const std::string& folder) {
  std::vector<std::string> found;
  for (const auto& entry : fs::directory_iterator("/proc")) {
    std::error_code error;
    std::string exe = fs::read_symlink(entry.path() / "exe", error).string();
    std::string stat = Read_File_Bytes(entry.path().string() + "/stat");
    if (!error && exe.compare(0, folder.size() + 1, folder + "/") == 0 &&
        stat.find(") Z ") == std::string::npos)
      found.push_back(exe);
  }
  return found;
}

// Nothing from `folder` runs, once what was ended has had a moment to go.
::testing::AssertionResult Nothing_Runs_From(const std::string& folder) {
  auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  std::vector<std::string> running = Running_From(folder);
  while (!running.empty() && std::chrono::steady_clock::now() < give_up) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    running = Running_From(folder);
  }
  if (running.empty()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << running.size() << " still run, " << running[0];
}

// Landlock in the kernel, and in the headers the launcher was built with.
bool Has_Landlock() {
#if __has_include(<linux/landlock.h>) && defined(SYS_landlock_create_ruleset)
  return syscall(SYS_landlock_create_ruleset, nullptr, 0, 1U) >= 1;
#else
  return false;
#endif
}

// A contest folder of the corpus, as its case.txt describes it:
//   run: ARGUMENTS        the launcher's, split at blanks
//   options: WORDS        g++'s options for the sources built (else -g -O0)
//   unbuilt: NAME         a source left for the launcher to compile
//   made: NAME            a file the run makes, whatever its bytes
//   within: N             对拍 ends in round N at the latest
//   errors: TEXT          what its standard error holds (the compiler's words)
//   again: TEXT           keys of a second run, whose screen follows "--- again"
//   cwd: ..               where it starts, from the contest folder
//   keys: TEXT            typed once the samples are judged ("\n" is Enter)
//   status: N             its exit status
//   terminal: yes         run at a terminal rather than with piped input
//   load: N               N busy processes run meanwhile
//   needs: landlock       skipped where the kernel has none
//   fifo|folder: NAME     made in the folder, as git keeps neither
//   link: NAME -> TARGET  a symbolic link made in the folder
//   after: NAME = TEXT    a file the run may leave, with its bytes
//   absent: PATH          a file that must not exist after the run
//   ---                   then what the launcher writes, times T and memory M
struct Contest {
  std::multimap<std::string, std::string> fields;
  std::string expected, again;  // the screens of the run and of the second run
  std::string Field(const std::string& name) const {
    auto found = fields.find(name);
    return found == fields.end() ? "" : found->second;
  }
};

std::string Unescaped(const std::string& text) {
  return std::regex_replace(text, std::regex("\\\\n"), "\n");
}

Contest Read_Contest(const std::string& name) {
  std::ifstream file(CONTESTS + "/" + name + "/case.txt");
  Contest contest;
  std::string line;
  while (std::getline(file, line) && line != "---") {
    size_t colon = line.find(": ");
    if (colon != std::string::npos)
      contest.fields.insert({line.substr(0, colon), Unescaped(line.substr(colon + 2))});
  }
  std::string* screen = &contest.expected;
  while (std::getline(file, line))
    if (line == "--- again")
      screen = &contest.again;
    else
      *screen += line + "\n";
  return contest;
}

std::vector<std::string> Contest_Names() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(CONTESTS))
    names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

// Copies the contest into `folder`, builds each source with g++ as a
// student's compile would, and makes what git cannot keep.
void Set_Up(const std::string& name, const Contest& contest, const std::string& folder) {
  fs::copy(CONTESTS + "/" + name, folder, fs::copy_options::recursive);
  fs::remove(folder + "/case.txt");
  auto unbuilt = contest.fields.equal_range("unbuilt");
  std::istringstream options(contest.fields.count("options") ? contest.Field("options") : "-g -O0");
  std::vector<std::string> argv = {"g++"};
  for (std::string word; options >> word;) argv.push_back(word);
  for (const auto& entry : fs::directory_iterator(folder)) {
    std::string source = entry.path().filename();
    if (entry.path().extension() != ".cpp" ||
        std::any_of(unbuilt.first, unbuilt.second,
                    [&](const auto& f) { return f.second == source; }))
      continue;
    std::vector<std::string> build = argv;
    build.insert(build.end(), {"-o", source.substr(0, source.size() - 4) + ".exe", source});
    Spawn_Options here;
    here.folder = folder;
    Process_Run built = Run_Process(build, here);
    ASSERT_EQ(built.status, 0) << built.out;
  }
  for (const auto& [field, value] : contest.fields) {
    std::string path = folder + "/" + value.substr(0, value.find(" -> "));
    if (field == "fifo") {
      ASSERT_EQ(mkfifo(path.c_str(), 0644), 0);
    }
    if (field == "folder") fs::create_directory(path);
    if (field == "link") fs::create_symlink(value.substr(value.find(" -> ") + 4), path);
  }
}

// Runs the launcher as the contest says, typing `keys`; gives its exit
// status and screen, and its standard error in `errors`.
int Launch(const Contest& contest, const std::string& folder, const std::string& temp,
           const std::string& keys, std::string& screen, std::string& errors) {
  std::string from =
      contest.Field("cwd") == ".." ? fs::path(folder).parent_path().string() : folder;
  std::vector<std::string> args;
  std::istringstream words(contest.Field("run"));
  for (std::string word; words >> word;) args.push_back(word);
  if (contest.Field("terminal") != "yes") {
    std::vector<std::string> argv = {TWS_LAUNCHER};
    argv.insert(argv.end(), args.begin(), args.end());
    Piped_Run run = Run_Piped(argv, from, keys, 120000, {{"TMPDIR", temp}});
    screen = run.out;
    errors = run.err;
    return run.status;
  }
  Pty_Session s;
  if (!Start(s, TWS_LAUNCHER, from, {{"TMPDIR", temp}}, args)) return -2;
  if (!Expect(s, SAMPLES_KEY, 120000) || !Waits_For_A_Key(s)) return -3;
  Type(s, keys);
  int status = Wait_Exit(s, 60000);
  screen = std::regex_replace(s.screen, std::regex("\x1b\\][^\x07]*\x07"), "");
  return status;
}

class Contests : public ::testing::TestWithParam<std::string> {};

TEST_P(Contests, JudgedAsAJudgeJudgesThem) {
  Contest contest = Read_Contest(GetParam());
  if (contest.Field("needs") == "landlock" && !Has_Landlock())
    GTEST_SKIP() << "this kernel has no Landlock to keep the program's writes in its folder";
  std::string root = Make_Temp_Folder(), folder = root + "/" + GetParam(), temp = root + "/tmp";
  fs::create_directory(temp);
  ASSERT_NO_FATAL_FAILURE(Set_Up(GetParam(), contest, folder));
  Files before = Folder_Files(folder);
  std::vector<Child> load;
  for (int i = 0; i < std::atoi(contest.Field("load").c_str()); ++i)
    load.push_back(Spawn({"/bin/sh", "-c", "while :; do :; done"}));
  std::string screen, errors;
  int status = Launch(contest, folder, temp, contest.Field("keys"), screen, errors);
  for (Child& busy : load) {
    kill(busy.pid, SIGKILL);
    std::string ignored;
    Wait_End(busy, ignored, 10000);
  }
  EXPECT_EQ(Timeless(screen), contest.expected) << Escaped(screen);
  EXPECT_EQ(status, std::atoi(contest.Field("status").c_str()));
  EXPECT_NE(errors.find(contest.Field("errors")), std::string::npos) << errors;
  std::smatch ended;
  if (contest.fields.count("within") &&
      std::regex_search(screen, ended, std::regex("在第 ([0-9]+) 轮"))) {
    EXPECT_LE(std::stoi(ended[1]), std::stoi(contest.Field("within"))) << screen;
  }
  for (auto [field, value] = contest.fields.equal_range("made"); field != value; ++field) {
    EXPECT_TRUE(fs::exists(folder + "/" + field->second)) << field->second;
    before[folder + "/" + field->second] = Read_File_Bytes(folder + "/" + field->second);
  }
  for (auto [field, value] = contest.fields.equal_range("after"); field != value; ++field) {
    std::string name = field->second.substr(0, field->second.find(" = "));
    before[folder + "/" + name] = field->second.substr(field->second.find(" = ") + 3);
  }
  EXPECT_EQ(Folder_Files(folder), before);  // byte for byte, and nothing new
  EXPECT_TRUE(Nothing_Runs_From(folder));
  EXPECT_TRUE(fs::is_empty(temp)) << "a sample's folder was left in " << temp;
  if (contest.fields.count("again")) {  // the next run, on what the first left
    status = Launch(contest, folder, temp, contest.Field("again"), screen, errors);
    EXPECT_EQ(Timeless(screen), contest.again) << Escaped(screen);
  }
  for (auto [field, value] = contest.fields.equal_range("absent"); field != value; ++field)
    EXPECT_FALSE(fs::exists(field->second)) << field->second;
  fs::remove_all(root);
}

INSTANTIATE_TEST_SUITE_P(LaunchSamples, Contests, ::testing::ValuesIn(Contest_Names()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                           return std::regex_replace(info.param, std::regex("-"), "_");
                         });

TEST(LaunchSamples, EveryVerdictAsTheJudgesGiveIt) {
  // clang-format off
  Files files = {
      {"plus.in", "9 9\n"}, {"plus.out", "mine\n"},  // the student's own files, never samples
      {"plus1.in", "1 2\n"}, {"plus1.ans", "3\n"},
      {"plus2.in", "1 2\n3 4\n"}, {"plus2.ans", "4\n"},
      {"plus3.in", "2 2\n"}, {"plus3.ans", "4 \t \n\n\n"},            // blanks at the ends
      {"plus4.in", "2 3"}, {"plus4.ans", "5"},                        // no last line end
      {"plus5.in", "3 3\r\n"}, {"plus5.ans", "\xEF\xBB\xBF" "6\r\n"}, // CR LF and a BOM
      {"plus6.in", "loop\n"}, {"plus6.ans", "0\n"},
      {"plus7.in", "fork\n"}, {"plus7.ans", "0\n"},
      {"plus8.in", "div\n"}, {"plus8.out", "0\n"},
      {"plus9.in", "flood\n"}, {"plus9.ans", "flood\n"},
      {"plus10.in", "1 1\n"}, {"plus10.ans", " 2\n"},
      {"plus11.in", "1 1\n"}};
  // clang-format on
  std::string folder = Contest_Folder("plus", "plus", files);
  Files before = Folder_Files(folder);
  Piped_Run run = Run_Piped({TWS_LAUNCHER, "plus.exe"}, folder, "x", 60000);
  EXPECT_EQ(Timeless(run.out),
            "在 . 找到 10 个样例，每个限时 1.000 秒，内存限制 512 MB。\n"
            "提示：plus11.in 没有对应的答案文件，没有作为样例。\n"
            "样例 1：AC 通过，用时 T 秒，内存 M MB。\n"
            "样例 2：WA 答案错误，用时 T 秒，内存 M MB。第 1 行不同：\n"
            "  期望：4\n  实际：3\n  输入：1 2\n        3 4\n"
            "样例 3：AC 通过，用时 T 秒，内存 M MB。\n"
            "样例 4：AC 通过，用时 T 秒，内存 M MB。\n"
            "样例 5：AC 通过，用时 T 秒，内存 M MB。\n"
            "样例 6：TLE 超时，超过 1.000 秒还没有结束，程序已被结束，内存 M MB。\n"
            "样例 7：TLE 超时，超过 1.000 秒还没有结束，程序已被结束，内存 M MB。\n"
            "样例 8：RE 运行错误，程序被信号 8（0x8，SIGFPE）终止，用时 T 秒，内存 M MB。\n"
            "  算术错误：常见原因是整数除以零。\n"
            "  出错位置：plus.cpp 第 25 行，函数 main\n"  // `return one / zero;`
            "样例 9：WA 答案错误，用时 T 秒，内存 M MB。输出超过 64 MB，后面的部分被截掉，"
            "算作答案错误。\n"
            "样例 10：WA 答案错误，用时 T 秒，内存 M MB。第 1 行不同（只有空格或制表符不同）：\n"
            "  期望： 2\n  实际：2\n  输入：1 1\n"
            "通过 4/10\n" +
                SAMPLES_KEY + "\n")
      << Escaped(run.out);
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(Folder_Files(folder), before);  // byte for byte, and nothing new
  EXPECT_TRUE(Nothing_Runs_From(folder));   // the endless program's child among them
  fs::remove_all(folder);
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
      // freopen of its own files; samples in X/.
      {"sum", "sum", {{"sum/sum1.in", "5 6\n"}, {"sum/sum1.ans", "11\n"},
                      {"sum/SUM2.IN", "1 1\r\n"}, {"sum/sum2.out", "2\r\n"}}, "x",
       "在 ./sum 找到 2 个样例，每个限时 1.000 秒，内存限制 512 MB。\n"
       "程序用 freopen 把输出写进 sum.out，评测的是这个文件。\n"
       "样例 1：AC 通过，用时 T 秒，内存 M MB。\n样例 2：AC 通过，用时 T 秒，内存 M MB。\n"
       "通过 2/2\n" + SAMPLES_KEY + "\n", 0},
      // A judge tool's layout; Enter runs it by hand with what is typed next.
      {"plus", "p", {{"test/sample-1.in", "7 8\n"}, {"test/sample-1.out", "15\n"}}, "\n1 2\n",
       "在 ./test 找到 1 个样例，每个限时 1.000 秒，内存限制 512 MB。\n"
       "样例 1：AC 通过，用时 T 秒，内存 M MB。\n通过 1/1\n" + SAMPLES_KEY + "\n3\n" + LAUNCH_RULE +
       "程序已结束，返回值 0，用时 T 秒。\n" + KEY_WAIT + "\n", 0},
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
  Pty_Session s;
  // A limit far beyond the waits below: only Ctrl+C can end the loop in time.
  ASSERT_TRUE(Start(s, TWS_LAUNCHER, folder, {}, {"--time-limit=600", "plus.exe"}));
  ASSERT_TRUE(Expect(s, "样例 1：AC 通过"));
  Type(s, "\x03");
  ASSERT_TRUE(
      Expect(s, "样例 2：已中断：按下了 Ctrl+C，后面的样例不再运行。\n通过 1/3\n" + SAMPLES_KEY));
  Type(s, "x");
  EXPECT_EQ(Wait_Exit(s), 1) << Transcript(s);
  EXPECT_TRUE(Nothing_Runs_From(folder));
  fs::remove_all(folder);
}

TEST(LaunchSamples, AKilledLauncherTakesItsSampleAlongAndItsFolderGoesNextTime) {
  std::string folder =
      Contest_Folder("plus", "plus", {{"plus1.in", "fork\n"}, {"plus1.ans", "0\n"}});
  std::string temp = folder + "/tmp";
  fs::create_directory(temp);
  Spawn_Options options;
  options.folder = folder;
  options.env = {{"TMPDIR", temp}};
  Child launcher = Spawn({TWS_LAUNCHER, "--time-limit=600", "plus.exe"}, options);
  // The program and the child it leaves run: two processes of plus.exe.
  auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (Running_From(folder).size() < 2 && std::chrono::steady_clock::now() < give_up)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  ASSERT_EQ(Running_From(folder).size(), 2u);
  kill(launcher.pid, SIGKILL);
  std::string ignored;
  Wait_End(launcher, ignored, 10000);
  EXPECT_TRUE(Nothing_Runs_From(folder));
  give_up = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!fs::is_empty(temp) && std::chrono::steady_clock::now() < give_up)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_TRUE(fs::is_empty(temp)) << "the sample's folder stayed";

  // A folder whose launcher is gone without removing it goes at the next start;
  // one whose launcher holds its lock stays, though its number means nothing
  // here (a launcher in a container sharing /tmp).
  fs::create_directories(temp + "/tws-sample-" + std::to_string(getpid()) + "-abc/a/b");
  Write_File_Bytes(temp + "/tws-sample-" + std::to_string(getpid()) + "-abc/a/b/f", "x");
  std::string live = temp + "/tws-sample-999999999-live";
  fs::create_directories(live);
  int held = open(live.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  ASSERT_EQ(flock(held, LOCK_EX), 0);
  Piped_Run run = Run_Piped({TWS_LAUNCHER, "plus.exe"}, folder, "x", 20000, {{"TMPDIR", temp}});
  EXPECT_FALSE(fs::exists(temp + "/tws-sample-" + std::to_string(getpid()) + "-abc"));
  EXPECT_TRUE(fs::exists(live));
  close(held);
  fs::remove_all(live);
  fs::remove_all(folder);
}

}  // namespace

namespace {

TEST(LaunchStress, ShowsItsProgressInPlaceOnATerminalAndStopsAtCtrlC) {
  std::string root = Make_Temp_Folder(), folder = root + "/stress", temp = root + "/tmp";
  fs::create_directory(temp);
  fs::copy(CONTESTS + "/stress-correct", folder);
  fs::remove(folder + "/case.txt");
  // Far more rounds and time than the test waits: only Ctrl+C ends it in time.
  std::string source = Read_File_Bytes(folder + "/double.cpp");
  Write_File_Bytes(folder + "/double.cpp",
                   std::regex_replace(source, std::regex("对拍轮数：200"),
                                      "对拍轮数：1000000\n// 对拍时间：3600 秒"));
  Spawn_Options here;
  here.folder = folder;
  ASSERT_EQ(Run_Process({"g++", "-o", "double.exe", "double.cpp"}, here).status, 0);
  Pty_Session s;
  ASSERT_TRUE(Start(s, TWS_LAUNCHER, folder, {{"TMPDIR", temp}}, {"double.exe"}));
  ASSERT_TRUE(Expect(s, STRESS_KEY) && Waits_For_A_Key(s));
  Type(s, "d");
  ASSERT_TRUE(Expect(s, "最多 1000000 轮或 3600 秒，按 Ctrl+C 可以停止。\n", 120000));
  // Written over in place: a carriage return, and no line end between two.
  ASSERT_TRUE(Expect(s, "\r已对拍 ", 60000));
  ASSERT_TRUE(Expect(s, "\r已对拍 ", 60000));
  Type(s, "\x03");
  ASSERT_TRUE(Expect(s, "没有发现不同：按下了 Ctrl+C。\n每秒 ", 60000));
  ASSERT_TRUE(Expect(s, STRESS_KEY) && Waits_For_A_Key(s));
  Type(s, "x");
  EXPECT_EQ(Wait_Exit(s), 0) << Transcript(s);
  std::string rounds = s.screen.substr(s.screen.find("最多 1000000"));
  EXPECT_EQ(rounds.find("\n已对拍"), std::string::npos) << Escaped(rounds);
  EXPECT_TRUE(Nothing_Runs_From(folder));
  EXPECT_TRUE(fs::is_empty(temp)) << "a folder of 对拍 was left in " << temp;
  fs::remove_all(root);
}

// Before the first round the generator is asked with eight seeds at once;
// here one of them computes for ever, so Ctrl+C comes while the others have
// ended, each writing its own seed.
TEST(LaunchStress, CtrlCWhileTheGeneratorIsAskedAboutItsSeedStopsIt) {
  std::string root = Make_Temp_Folder(), folder = root + "/stress", temp = root + "/tmp";
  fs::create_directory(temp);
  fs::copy(CONTESTS + "/stress-correct", folder);
  fs::remove(folder + "/case.txt");
  Write_File_Bytes(folder + "/gen.cpp",
                   "#include <cstdio>\n#include <cstdlib>\nint main(int argc, char* argv[]) {\n"
                   "  long long seed = std::atoll(argv[1]);\n"
                   "  if (seed % 8 == 7) for (volatile unsigned i = 0;; i = i + 1) {}\n"
                   "  std::printf(\"%lld\\n\", seed);\n}\n");
  Spawn_Options here;
  here.folder = folder;
  for (const char* name : {"double", "gen", "brute"})
    ASSERT_EQ(
        Run_Process({"g++", "-o", std::string(name) + ".exe", std::string(name) + ".cpp"}, here)
            .status,
        0);
  Pty_Session s;
  ASSERT_TRUE(Start(s, TWS_LAUNCHER, folder, {{"TMPDIR", temp}}, {"double.exe"}));
  ASSERT_TRUE(Expect(s, STRESS_KEY) && Waits_For_A_Key(s));
  Type(s, "d");
  ASSERT_TRUE(Expect(s, "按 Ctrl+C 可以停止。\n", 120000));
  Type(s, "\x03");
  ASSERT_TRUE(Expect(s, "对拍 0 轮，没有发现不同：按下了 Ctrl+C。\n", 60000)) << Transcript(s);
  ASSERT_TRUE(Expect(s, STRESS_KEY) && Waits_For_A_Key(s));
  Type(s, "x");
  EXPECT_EQ(Wait_Exit(s), 0) << Transcript(s);
  EXPECT_TRUE(Nothing_Runs_From(folder));
  EXPECT_TRUE(fs::is_empty(temp)) << "a folder of 对拍 was left in " << temp;
  fs::remove_all(root);
}

}  // namespace
