// tarnwickstone-cc with the real g++ on <bits/stdc++.h> programs: the first
// compile prepares the precompiled header in the background, the next ones
// use it, and g++'s words, status and program stay exactly as without it.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "e2e/piped_run.h"
#include "e2e/pty_session.h"
#include "process.h"
#include "test_text.h"

namespace fs = std::filesystem;

namespace {

const std::string COMPANION = TWS_COMPANION;

const std::map<std::string, std::string> ENGLISH = {
    {"LANG", "C.UTF-8"}, {"LC_ALL", "C.UTF-8"}, {"LANGUAGE", ""}};
const std::map<std::string, std::string> CHINESE = {
    {"LANG", "zh_CN.UTF-8"}, {"LC_ALL", "zh_CN.UTF-8"}, {"LANGUAGE", "zh_CN"}};

const char* const SUM =
    "#include <bits/stdc++.h>\nusing namespace std;\nint main() {\n    long long a, b;\n"
    "    cin >> a >> b;\n    cout << a + b << endl;\n}\n";

// Faulty programs whose messages lead into the library's headers and back.
const char* const FAULTY[] = {
    // A struct sorted without a way to compare it: errors deep in <algorithm>.
    "#include <bits/stdc++.h>\nusing namespace std;\nstruct P { int x; };\nint main() {\n"
    "    vector<P> v(3);\n    sort(v.begin(), v.end());\n}\n",
    // A missing semicolon after the include, and warnings of -Wall.
    "#include <bits/stdc++.h>\nusing namespace std;\nint main() {\n    vector<int> v;\n"
    "    int unused;\n    for (int i = 0; i < v.size(); i++) {}\n    int a = 1\n    return a;\n}\n",
    // Warnings only: the program is made.
    "#include <bits/stdc++.h>\nint main() {\n    std::vector<int> v(2);\n    int n;\n"
    "    for (int i = 0; i < v.size(); i++) n = i;\n}\n",
    // Pages of candidates, each in a library header.
    "#include <bits/stdc++.h>\nusing namespace std;\nint main() {\n    vector<int> v;\n"
    "    cin >> v;\n    return max(1, 2LL);\n}\n",
};

// Comments before the include move it to line 4.
const char* const LATER =
    "// Problem A\n/* by me */\n\n#include <bits/stdc++.h>\nusing namespace std;\n"
    "int main() {\n    map<vector<int>, int> m;\n    m[{1}] = 2;\n    cout << m;\n}\n";

// What a folder holds, by name; nothing when it is not there.
std::vector<std::string> Listing(const std::string& at) {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(at, error))
    names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

struct Pch_Test : ::testing::Test {
  std::string folder = Make_Temp_Folder();
  std::string cache = folder + "/cache";
  std::string root = cache + "/tarnwickstone/pch";
  std::string tools = folder + "/tools";
  std::string companion = tools + "/tarnwickstone-cc";
  size_t logged = 0;  // how long g++.log was when the last Compile began

  // The companion, with a g++ beside it that notes its words in g++.log and
  // runs the real one. While g++.refuse is there, it refuses every finished
  // header as GCC does when it cannot map one where it was made (as MinGW's may);
  // while g++.crash is, it fails within itself on every header; while g++.full
  // is, no header can be written.
  Pch_Test() {
    fs::create_directory(tools);
    fs::copy_file(COMPANION, companion);
    Compiler();
  }
  ~Pch_Test() override { fs::remove_all(folder); }

  void Compiler() {
    Write_File_Bytes(
        tools + "/g++",
        "#!/bin/sh\nprintf '%s\\n' \"$*\" >> \"$0.log\"\n"
        "if [ -e \"$0.refuse\" ]; then case \"$1\" in -I*/pch/[0-9a-f]*[0-9a-f])\n"
        "  echo 'a.cpp:1:10: fatal error: had to relocate PCH' >&2\n"
        "  echo 'compilation terminated.' >&2; exit 1;;\nesac; fi\n"
        "if [ -e \"$0.crash\" ]; then case \"$1\" in -I*/pch/[0-9a-f]*[0-9a-f])\n"
        "  echo \"a.cpp: In function 'int main()':\" >&2\n"
        "  echo 'a.cpp:9:1: internal compiler error: Segmentation fault' >&2; exit 1;;\n"
        "esac; fi\n"
        "if [ -e \"$0.full\" ]; then case \"$*\" in *c++-header*)\n"
        "  echo 'fatal error: No space left on device' >&2; exit 1;;\nesac; fi\n"
        "exec /usr/bin/g++ \"$@\"\n");
    chmod((tools + "/g++").c_str(), 0755);
  }

  // A new folder holding a.cpp with `source`.
  std::string Program(const std::string& name, const std::string& source) {
    std::string at = folder + "/" + name;
    fs::create_directory(at);
    Write_File_Bytes(at + "/a.cpp", source);
    return at;
  }

  Piped_Run Compile(const std::string& at, std::vector<std::string> words,
                    std::map<std::string, std::string> env = ENGLISH) {
    env["XDG_CACHE_HOME"] = cache;
    words.insert(words.begin(), companion);
    logged = Read_File_Bytes(tools + "/g++.log").size();
    return Run_Piped(words, at, "", 120000, env);
  }

  // The words g++ was given by the last Compile: the first it logged, as a
  // preparer that the compile started may already have logged its own.
  std::string Last_Words() {
    std::string log = Read_File_Bytes(tools + "/g++.log");
    if (log.size() <= logged) return "";
    return log.substr(logged, log.find('\n', logged) - logged);
  }

  // Whether no preparer holds the cache's lock.
  bool Lock_Free() {
    int fd = open((root + "/prepare.lock").c_str(), O_RDONLY | O_CLOEXEC);
    bool free = fd < 0 || flock(fd, LOCK_EX | LOCK_NB) == 0;
    if (fd >= 0) close(fd);
    return free;
  }

  // The entry once its preparer is done and its header ready; "" when that
  // does not come within three minutes.
  std::string Ready() {
    std::string ready;
    Wait_Until(
        [&] {
          for (const std::string& name : Listing(root))
            if (Read_File_Bytes(root + "/" + name + "/made-for.txt").rfind("ready\n", 0) == 0 &&
                name.size() == 16)
              ready = root + "/" + name;
          return !ready.empty() && !fs::exists(root + "/building") && Lock_Free();
        },
        180000);
    return ready;
  }
};

// The companion's words and status against g++'s own, run directly in the same folder.
void Expect_As_Gxx(const Piped_Run& through, const std::vector<std::string>& words,
                   const std::string& at, const std::map<std::string, std::string>& env) {
  std::vector<std::string> argv = {"/usr/bin/g++"};
  argv.insert(argv.end(), words.begin(), words.end());
  Piped_Run direct = Run_Piped(argv, at, "", 120000, env);
  EXPECT_EQ(through.status, direct.status);
  EXPECT_EQ(through.out, direct.out);
  EXPECT_EQ(through.err.substr(0, direct.err.size()), direct.err) << Escaped(through.err);
}

TEST_F(Pch_Test, AfterTheFirstCompileGxxUsesTheHeaderAndSaysExactlyWhatItSaidBefore) {
  const std::vector<std::string> words = {"-Wall", "-g", "-o", "a.exe", "a.cpp"};
  std::string sum = Program("sum", SUM);
  EXPECT_EQ(Compile(sum, words).status, 0);
  // The compile's words come first; the preparer it started may already have run g++ after it.
  std::string log = Read_File_Bytes(tools + "/g++.log");
  EXPECT_EQ(log.substr(0, log.find('\n')), "-Wall -g -o a.exe a.cpp") << log;
  std::string entry = Ready();
  ASSERT_NE(entry, "") << Escaped(Read_File_Bytes(root + "/building/made-for.txt"));

  Piped_Run warm = Compile(sum, words);
  EXPECT_EQ(warm.status, 0);
  EXPECT_EQ(warm.out + warm.err, "");
  EXPECT_EQ(Last_Words(), "-I" + entry + " -Wall -g -o a.exe a.cpp");
  EXPECT_EQ(Run_Piped({sum + "/a.exe"}, sum, "1000000000000 2\n").out, "1000000000002\n");
  EXPECT_EQ(Listing(sum), std::vector<std::string>({"a.cpp", "a.exe"}));
  // g++ does read it, rather than pass it by.
  Piped_Run shown =
      Run_Piped({"/usr/bin/g++", "-I" + entry, "-Wall", "-g", "-H", "-fsyntax-only", "a.cpp"}, sum);
  EXPECT_EQ(shown.err.rfind("! " + entry + "/bits/stdc++.h.gch\n", 0), 0u) << shown.err;

  // A faulty a.cpp elsewhere is served by the same header, in either language.
  for (size_t i = 0; i < std::size(FAULTY); i++) {
    std::string at = Program("faulty" + std::to_string(i), FAULTY[i]);
    for (const auto& env : {ENGLISH, CHINESE}) {
      Piped_Run through = Compile(at, words, env);
      EXPECT_EQ(Last_Words().rfind("-I" + entry, 0), 0u) << Last_Words();
      Expect_As_Gxx(through, words, at, env);
    }
  }
  EXPECT_EQ(Listing(root),
            std::vector<std::string>({entry.substr(root.size() + 1), "prepare.lock"}));
}

TEST_F(Pch_Test, TwoCompilesAtOnceLeaveOneWholeHeader) {
  const std::vector<std::string> words = {"-O2", "-g", "-o", "a.exe", "a.cpp"};
  std::string at = Program("later", LATER);
  Spawn_Options options;
  options.folder = at;
  options.env = {{"XDG_CACHE_HOME", cache}};
  options.errors = ERRORS_APART;
  std::vector<std::string> argv = {companion};
  argv.insert(argv.end(), words.begin(), words.end());
  Child first = Spawn(argv, options), second = Spawn(argv, options);
  std::string out, err;
  EXPECT_EQ(Wait_End(first, out, 120000, nullptr, &err), 1) << err;
  EXPECT_EQ(Wait_End(second, out, 120000, nullptr, &err), 1) << err;
  std::string entry = Ready();
  ASSERT_NE(entry, "");
  EXPECT_EQ(Listing(root),
            std::vector<std::string>({entry.substr(root.size() + 1), "prepare.lock"}));

  Piped_Run warm = Compile(at, words);
  EXPECT_EQ(Last_Words().rfind("-I" + entry, 0), 0u) << Last_Words();
  Expect_As_Gxx(warm, words, at, ENGLISH);
  EXPECT_EQ(Listing(at), std::vector<std::string>({"a.cpp"}));
}

TEST_F(Pch_Test, TheOptionAndTheVariableTurnItOffAndANewCompilerGetsANewHeader) {
  std::string at = Program("sum", SUM);
  EXPECT_EQ(Compile(at, {"--no-pch", "-g", "-o", "a.exe", "a.cpp"}).status, 0);
  EXPECT_EQ(Last_Words(), "-g -o a.exe a.cpp");
  EXPECT_EQ(Compile(at, {"-g", "-o", "a.exe", "a.cpp"}, {{"TARNWICKSTONE_CC_NO_PCH", "1"}}).status,
            0);
  EXPECT_EQ(Last_Words(), "-g -o a.exe a.cpp");
  EXPECT_FALSE(fs::exists(cache)) << "prepared although turned off";

  EXPECT_EQ(Compile(at, {"-g", "-o", "a.exe", "a.cpp"}).status, 0);
  std::string entry = Ready();
  ASSERT_NE(entry, "");
  // The compiler is updated: the header made with the old one is not used, and one is made anew.
  Compiler();
  struct stat now;
  ASSERT_EQ(stat((tools + "/g++").c_str(), &now), 0);
  EXPECT_EQ(Compile(at, {"-g", "-o", "a.exe", "a.cpp"}).status, 0);
  EXPECT_EQ(Last_Words(), "-g -o a.exe a.cpp");
  std::string stamp = " " +
                      std::to_string(now.st_mtim.tv_sec * 1000000000LL + now.st_mtim.tv_nsec) +
                      " " + tools + "/g++\n";
  EXPECT_TRUE(Wait_Until(
      [&] { return Read_File_Bytes(entry + "/made-for.txt").find(stamp) != std::string::npos; },
      180000));
}

TEST_F(Pch_Test, AHeaderGxxRefusesIsNeitherShownNorKept) {
  const std::vector<std::string> words = {"-g", "-o", "a.exe", "a.cpp"};
  std::string at = Program("faulty", FAULTY[1]);
  EXPECT_EQ(Compile(at, words).status, 1);
  std::string entry = Ready();
  ASSERT_NE(entry, "");
  Write_File_Bytes(tools + "/g++.refuse", "");
  Piped_Run through = Compile(at, words);
  Expect_As_Gxx(through, words, at, ENGLISH);
  std::string log = Read_File_Bytes(tools + "/g++.log");
  EXPECT_NE(log.find("\n-I" + entry + " -g -o a.exe a.cpp\n-g -o a.exe a.cpp\n"), std::string::npos)
      << log;
  EXPECT_EQ(through.err.find("relocate"), std::string::npos);
  // Thrown away, and another prepared for the next compile.
  EXPECT_NE(Ready(), "");
}

TEST_F(Pch_Test, ADamagedOrCrashingHeaderIsNeitherServedNorKept) {
  const std::vector<std::string> words = {"-g", "-o", "a.exe", "a.cpp"};
  std::string at = Program("faulty", FAULTY[1]);
  EXPECT_EQ(Compile(at, words).status, 1);
  std::string entry = Ready();
  ASSERT_NE(entry, "");
  // 16 bytes changed inside the header, its size and time kept.
  std::string header = entry + "/bits/stdc++.h.gch";
  struct stat before;
  ASSERT_EQ(stat(header.c_str(), &before), 0);
  {
    std::fstream file(header, std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(before.st_size / 2);
    file.write("\xde\xad\xbe\xef\xde\xad\xbe\xef\xde\xad\xbe\xef\xde\xad\xbe\xef", 16);
  }
  const struct timespec times[2] = {before.st_atim, before.st_mtim};
  ASSERT_EQ(utimensat(AT_FDCWD, header.c_str(), times, 0), 0);
  Piped_Run through = Compile(at, words);
  EXPECT_EQ(Last_Words(), "-g -o a.exe a.cpp");
  Expect_As_Gxx(through, words, at, ENGLISH);
  entry = Ready();  // made again
  ASSERT_NE(entry, "");

  // g++ failing within itself, after a line of the student's own: done again without it.
  Write_File_Bytes(tools + "/g++.crash", "");
  through = Compile(at, words);
  Expect_As_Gxx(through, words, at, ENGLISH);
  EXPECT_EQ(through.err.find("internal compiler error"), std::string::npos) << through.err;
  std::string log = Read_File_Bytes(tools + "/g++.log");
  EXPECT_NE(log.find("\n-I" + entry + " -g -o a.exe a.cpp\n-g -o a.exe a.cpp\n"), std::string::npos)
      << log;
}

TEST_F(Pch_Test, AFullDiskOrAForeignCacheTurnsItOffForOneCompileOnly) {
  const std::vector<std::string> words = {"-g", "-o", "a.exe", "a.cpp"};
  std::string at = Program("sum", SUM);
  Write_File_Bytes(tools + "/g++.full", "");
  EXPECT_EQ(Compile(at, words).status, 0);
  // The preparer tried, failed and left: nothing is noted against the header.
  ASSERT_TRUE(Wait_Until(
      [&] {
        return Read_File_Bytes(tools + "/g++.log").find("c++-header") != std::string::npos &&
               Lock_Free() && !fs::exists(root + "/building");
      },
      180000));
  EXPECT_EQ(Listing(root), std::vector<std::string>({"prepare.lock"}));
  fs::remove(tools + "/g++.full");
  EXPECT_EQ(Compile(at, words).status, 0);
  std::string entry = Ready();
  ASSERT_NE(entry, "");
  struct stat st;
  ASSERT_EQ(stat(root.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  // Opened to others, it is closed again and serves.
  chmod(root.c_str(), 0755);
  EXPECT_EQ(Compile(at, words).status, 0);
  EXPECT_EQ(Last_Words().rfind("-I" + entry, 0), 0u) << Last_Words();
  ASSERT_EQ(stat(root.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  // Another user's (as after a compile under sudo): not served, nothing prepared, until mended.
  if (geteuid() != 0) GTEST_SKIP() << "only root can give the cache to another user";
  ASSERT_EQ(chown(root.c_str(), 65534, 65534), 0);
  EXPECT_EQ(Compile(at, words).status, 0);
  EXPECT_EQ(Last_Words(), "-g -o a.exe a.cpp");
  ASSERT_EQ(chown(root.c_str(), geteuid(), getegid()), 0);
  EXPECT_EQ(Compile(at, words).status, 0);
  EXPECT_EQ(Last_Words().rfind("-I" + entry, 0), 0u) << Last_Words();
}

TEST_F(Pch_Test, APreparerThatCannotTakeTheLockLeavesAtOnce) {
  std::string at = Program("sum", SUM);
  fs::create_directories(root);
  int fd = open((root + "/prepare.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(flock(fd, LOCK_EX), 0);
  Spawn_Options options;
  options.folder = at;
  options.env = {{"XDG_CACHE_HOME", cache}};
  Child preparer = Spawn(
      {companion, "--tarnwickstone-prepare-pch", tools + "/g++", "-g", "-o", "a.exe", "a.cpp"},
      options);
  std::string out;
  // It once waited two minutes for the lock; now it is gone well before.
  EXPECT_EQ(Wait_End(preparer, out, 60000), 1);
  close(fd);
  EXPECT_EQ(Read_File_Bytes(tools + "/g++.log"), "");
}

}  // namespace
