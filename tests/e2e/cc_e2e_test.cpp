// tarnwickstone-cc with the real g++: the compiler's bytes and status passed
// on untouched, at a terminal too; the real compiler found, and never the
// companion itself. The hints themselves are cc_corpus_test.cpp's.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "e2e/piped_run.h"
#include "e2e/pty_session.h"
#include "pages.h"
#include "test_text.h"

namespace fs = std::filesystem;

namespace {

const std::string COMPANION = TWS_COMPANION;

const std::map<std::string, std::string> ENGLISH = {
    {"LANG", "C.UTF-8"}, {"LC_ALL", "C.UTF-8"}, {"LANGUAGE", ""}};

struct Companion_Test : ::testing::Test {
  std::string folder = Make_Temp_Folder();
  ~Companion_Test() override { fs::remove_all(folder); }

  // A script in `dir` named `name` that does what `body` says.
  void Script(const std::string& dir, const std::string& name, const std::string& body) {
    Write_File_Bytes(dir + "/" + name, "#!/bin/sh\n" + body);
    chmod((dir + "/" + name).c_str(), 0755);
  }

  // A copy of the companion in a new folder of its own, with whatever g++ is put beside it.
  std::string Copy(const std::string& name) {
    fs::create_directory(folder + "/" + name);
    std::string copy = folder + "/" + name + "/tarnwickstone-cc";
    fs::copy_file(COMPANION, copy);
    return copy;
  }
};

TEST_F(Companion_Test, PassesEveryByteAndTheStatusOnAndAddsNothingToSilence) {
  std::string copy = Copy("bytes");
  Script(folder + "/bytes", "g++",
         "printf 'out1\\n'; printf 'err1 \\377\\r\\n' >&2; printf 'out2'\n"
         "printf 'a.cpp:1:1: note: not an error\\n' >&2; exit 7\n");
  Piped_Run run = Run_Piped({copy, "a.cpp"}, folder);
  EXPECT_EQ(run.out, "out1\nout2");
  EXPECT_EQ(run.err, "err1 \377\r\na.cpp:1:1: note: not an error\n");
  EXPECT_EQ(run.status, 7);

  Script(folder + "/bytes", "g++", "exit 0\n");
  run = Run_Piped({copy, "-o", "a.exe", "a.cpp"}, folder);
  EXPECT_EQ(run.out + run.err, "");
  EXPECT_EQ(run.status, 0);

  // Something the compiler leaves running with its output open does not keep it waiting.
  Script(folder + "/bytes", "g++", "sleep 60 & echo $!\n");
  run = Run_Piped({copy, "a.cpp"}, folder, "", 30000);
  EXPECT_EQ(run.status, 0);
  pid_t left = static_cast<pid_t>(std::atoi(run.out.c_str()));
  ASSERT_GT(left, 0) << run.out;
  EXPECT_EQ(kill(left, 0), 0) << "the companion ended only after what the compiler left";
  kill(left, SIGKILL);

  // A correct program through the real compiler: nothing, and the program.
  Write_File_Bytes(folder + "/ok.cpp", "int main() { return 0; }\n");
  run = Run_Piped({COMPANION, "-g", "-o", "ok.exe", "ok.cpp"}, folder, "", 60000, ENGLISH);
  EXPECT_EQ(run.out + run.err, "");
  EXPECT_EQ(run.status, 0);
  EXPECT_TRUE(fs::exists(folder + "/ok.exe"));
}

TEST_F(Companion_Test, ShowsASlowCompilersMessagesAsTheyCome) {
  std::string copy = Copy("slow");
  // It cannot end before it has read a line, which the test types only after
  // seeing its first message.
  Script(folder + "/slow", "g++",
         "echo 'a.cpp:1:1: error: first' >&2; read line; echo 'a.cpp:2:1: error: second' >&2; "
         "exit 1\n");
  Pty_Session s;
  ASSERT_TRUE(Start(s, copy, folder, {}, {"a.cpp"}));
  ASSERT_TRUE(Expect(s, "a.cpp:1:1: error: first\n"));
  EXPECT_EQ(s.screen.find("second"), std::string::npos);
  Send(s, "go");
  EXPECT_TRUE(Expect(s, "a.cpp:2:1: error: second\n"));
  EXPECT_EQ(Wait_Exit(s), 1) << Transcript(s);
}

TEST_F(Companion_Test, AtATerminalTheCompilerColoursItsMessagesAsWithoutIt) {
  Write_File_Bytes(folder + "/a.cpp", "int main() {\n    int a = 1\n    return a;\n}\n");
  Pty_Session direct, through;
  ASSERT_TRUE(Start(direct, "/usr/bin/g++", folder, {}, {"-o", "a.exe", "a.cpp"}));
  ASSERT_EQ(Wait_Exit(direct), 1) << Transcript(direct);
  ASSERT_TRUE(Start(through, COMPANION, folder, {}, {"-o", "a.exe", "a.cpp"}));
  ASSERT_EQ(Wait_Exit(through), 1) << Transcript(through);
  ASSERT_NE(direct.screen.find("\x1b["), std::string::npos) << "g++ wrote no colours";
  EXPECT_EQ(through.screen.substr(0, direct.screen.size()), direct.screen);
  EXPECT_NE(through.screen.find("a.cpp 第 2 行：这一行的末尾少了分号"), std::string::npos)
      << Escaped(through.screen);
}

TEST_F(Companion_Test, FindsTheRealCompilerAndNeverItself) {
  std::string other = folder + "/other";
  fs::create_directory(other);
  Script(other, "g++", "echo \"other g++: $*\"\n");
  // g++ beside the companion is the companion itself: skipped for the PATH's.
  std::string copy = Copy("self");
  fs::create_symlink(copy, folder + "/self/g++");
  Piped_Run run = Run_Piped({copy, "-o", "a b.exe", "a.cpp"}, folder, "", 60000, {{"PATH", other}});
  EXPECT_EQ(run.out, "other g++: -o a b.exe a.cpp\n");
  EXPECT_EQ(run.status, 0);

  // Only itself to be found: it says where it looked and ends.
  run = Run_Piped({copy, "a.cpp"}, folder, "", 60000, {{"PATH", folder + "/self"}});
  EXPECT_EQ(run.status, 127);
  EXPECT_EQ(run.err, NO_COMPILER);

  // A g++ beside it comes before the PATH's.
  std::string near = Copy("near");
  Script(folder + "/near", "g++", "echo near\n");
  EXPECT_EQ(Run_Piped({near, "a.cpp"}, folder, "", 60000, {{"PATH", other}}).out, "near\n");

  // A copy of the companion found as g++ does not run the first one again.
  std::string loop = folder + "/loop";
  fs::create_directory(loop);
  fs::copy_file(COMPANION, loop + "/g++");
  run = Run_Piped({copy, "a.cpp"}, folder, "", 60000, {{"PATH", loop + ":" + other}});
  EXPECT_EQ(run.status, 127);
  EXPECT_NE(run.err.find("也是 tarnwickstone-cc，不是真正的 g++"), std::string::npos) << run.err;
}

TEST_F(Companion_Test, StartedWithoutWordsSaysHowToSetItUpAndWaitsForAKey) {
  std::string copy = Copy("alone");
  Script(folder + "/alone", "g++", "touch ran\n");
  Pty_Session s;
  ASSERT_TRUE(Start(s, copy, folder));
  ASSERT_TRUE(Expect(s, KEY_WAIT));
  EXPECT_TRUE(Waits_For_A_Key(s)) << Transcript(s);
  Type(s, "x");
  EXPECT_EQ(Wait_Exit(s), 1);
  EXPECT_EQ(s.screen, Companion_Welcome(copy, "它会运行这个 g++：" + folder + "/alone/g++\n") +
                          KEY_WAIT + "\n");
  EXPECT_FALSE(fs::exists(folder + "/ran"));

  // Without a g++ it says how to get one.
  fs::remove(folder + "/alone/g++");
  Piped_Run run = Run_Piped({copy}, folder, "x", 60000, {{"PATH", folder + "/alone"}});
  EXPECT_EQ(run.out, Companion_Welcome(copy, NO_COMPILER) + KEY_WAIT + "\n");
  EXPECT_EQ(run.status, 1);
}

TEST_F(Companion_Test, TheMainProgramShowsTheHintsBeforeItsVerdict) {
  Write_File_Bytes(folder + "/Tarnwickstone.tws", Saved_Settings(COMPANION, "", folder, "", false));
  fs::copy_file(std::string(TWS_CORPUS) + "/earlier/fullwidth.cpp", folder + "/hello.cpp");
  Pty_Session s;
  ASSERT_TRUE(Start(s, TWS_PROGRAM, folder));
  ASSERT_TRUE(Expect(s, "5. 保存信息并退出"));
  Send(s, "2");
  ASSERT_TRUE(Expect(s, "请输入 C++ 文件的路径："));
  Send(s, "hello.cpp");
  EXPECT_TRUE(Expect(s, "hello.cpp:5:5:"));  // in colour: g++ sees the terminal
  EXPECT_TRUE(Expect(s, "1. hello.cpp 里有中文标点"));
  EXPECT_TRUE(Expect(s, "   第 4 行第 12 列的 ； 要改成 ;\n"));
  EXPECT_TRUE(Expect(s, "编译失败！请检查编译选项或代码。"));
}

}  // namespace
