// The POSIX platform layer against the real system.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <thread>

#include "platform/platform.h"
#include "platform/posix_internal.h"
#include "process.h"
#include "test_text.h"

namespace fs = std::filesystem;

namespace {
// A script that writes its arguments, one a line, to PATH.args and exits with `status`.
std::string Recorder(const std::string& path, int status = 0) {
  Write_File_Bytes(
      path, "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$0.args\"\nexit " +
                std::to_string(status) + "\n");
  chmod(path.c_str(), 0755);
  return path;
}

std::string Read_Fd(int fd) {
  std::string text;
  char chunk[4096];
  ssize_t n;
  while ((n = read(fd, chunk, sizeof chunk)) > 0) text.append(chunk, n);
  close(fd);
  return text;
}

// Waits, for a generous while at most, for a child forked here to end; gives
// its status as Wait_End does, and what it wrote on `out`, if any.
int Wait_Forked(pid_t pid, int out = -1, std::string* written = nullptr) {
  Child child;
  child.pid = pid;
  child.out = out;
  std::string ignored;
  return Wait_End(child, written ? *written : ignored, 30000);
}

struct Child_Run {
  std::string out;     // what the child wrote to standard output
  std::string result;  // what `body` gave back
};

// Runs `body` in a child whose standard input is `input` and whose standard
// output is captured, so that the layer's one input buffer starts fresh.
Child_Run In_Child(const std::string& input, const std::function<std::string()>& body) {
  int in[2], out[2], res[2];
  EXPECT_EQ(0, pipe(in));
  EXPECT_EQ(0, pipe(out));
  EXPECT_EQ(0, pipe(res));
  EXPECT_EQ(static_cast<ssize_t>(input.size()), write(in[1], input.data(), input.size()));
  close(in[1]);
  pid_t pid = fork();
  if (pid == 0) {
    dup2(in[0], STDIN_FILENO);
    dup2(out[1], STDOUT_FILENO);
    close(in[0]);
    close(out[0]);
    close(out[1]);
    close(res[0]);
    std::string result = body();
    ssize_t n = write(res[1], result.data(), result.size());
    _exit(n == static_cast<ssize_t>(result.size()) ? 0 : 1);
  }
  close(in[0]);
  close(out[1]);
  close(res[1]);
  Child_Run run;
  EXPECT_EQ(0, Wait_Forked(pid, out[0], &run.out)) << "the child's status";
  run.result = Read_Fd(res[0]);  // it has ended: its end of the pipe is closed
  return run;
}

// Every line Read_Line gives until it says the input has ended, each in [].
std::string All_Lines() {
  std::string all, line;
  while (Read_Line(line)) all += "[" + line + "]";
  if (!Read_Line(line)) all += "end";
  return all;
}

class Posix : public ::testing::Test {
 protected:
  void SetUp() override {
    char name[] = "/tmp/tws-posix-XXXXXX";
    ASSERT_NE(nullptr, mkdtemp(name));
    dir = name;
    home = fs::current_path();
    for (const char* var :
         {"TMUX", "DISPLAY", "WAYLAND_DISPLAY", "VISUAL", "EDITOR", "PATH", "HOME"})
      if (const char* value = getenv(var)) saved[var] = value;
    for (const char* var : {"TMUX", "DISPLAY", "WAYLAND_DISPLAY", "VISUAL", "EDITOR"})
      unsetenv(var);
  }
  void TearDown() override {
    fs::current_path(home);
    for (const char* var :
         {"TMUX", "DISPLAY", "WAYLAND_DISPLAY", "VISUAL", "EDITOR", "PATH", "HOME"})
      if (saved.count(var))
        setenv(var, saved[var].c_str(), 1);
      else
        unsetenv(var);
    fs::remove_all(dir);
  }
  std::string dir;
  fs::path home;
  std::map<std::string, std::string> saved;
};

TEST(Split_Words, SplitsAsAWindowsCommandLine) {
  using W = std::vector<std::string>;
  EXPECT_EQ(W({"a", "b", "c"}), Split_Words("  a \tb   c  "));
  EXPECT_EQ(W({"/x/my prog", "-g", "-o", "/y/a b.exe"}),
            Split_Words("\"/x/my prog\" -g -o \"/y/a b.exe\""));
  EXPECT_EQ(W({"", "p"}), Split_Words("\"\" p"));              // an empty title
  EXPECT_EQ(W({"ab", "c d"}), Split_Words("a\"\"b \"c \"d"));  // quotes glue, not split
  EXPECT_EQ(W({"a\\", "b"}), Split_Words("a\\ b"));            // nothing is escaped
  EXPECT_EQ(W({"open end"}), Split_Words("\"open end"));
  EXPECT_EQ(W(), Split_Words("   "));
}

TEST_F(Posix, CmdRunsTheProgramWithItsWordsAndGivesItsStatus) {
  fs::create_directory(dir + "/a b");
  std::string prog = Recorder(dir + "/a b/tool", 4);
  EXPECT_EQ(4, Command("cmd /c\"\"" + prog + "\" -O2  -g -o \"" + dir + "/x y.exe\" \"\"\""));
  EXPECT_EQ("-O2\n-g\n-o\n" + dir + "/x y.exe\n\n", Read_File_Bytes(prog + ".args"));
  EXPECT_EQ(0, Command("cmd /c\"/bin/true\""));
  EXPECT_EQ(1, Command("cmd /c\"false\""));  // found on the PATH
  EXPECT_EQ(3, Command("cmd /c\"/bin/sh -c \"exit 3\"\""));
}

TEST_F(Posix, CmdFindsABareNameInTheCurrentFolderFirst) {
  Recorder(dir + "/tool", 6);
  fs::current_path(dir);
  EXPECT_EQ(6, Command("cmd /c\"tool x\""));
  EXPECT_EQ("x\n", Read_File_Bytes(dir + "/tool.args"));
}

TEST_F(Posix, CmdGives127WhenTheProgramCannotStartAnd128PlusTheSignal) {
  EXPECT_EQ(127, Command("cmd /c\"" + dir + "/missing\""));
  EXPECT_EQ(127, Command("cmd /c\"no-such-program-anywhere\""));
  Write_File_Bytes(dir + "/plain", "not a program");
  EXPECT_EQ(126, Command("cmd /c\"" + dir + "/plain\""));
  EXPECT_EQ(128 + SIGTERM, Command("cmd /c\"/bin/sh -c \"kill -TERM $$\"\""));
  EXPECT_EQ(128 + SIGKILL, Command("cmd /c\"/bin/sh -c \"kill -KILL $$\"\""));
}

// A file marked executable that the system cannot run is never handed to a
// shell as a script, by cmd, start or Run_Program.
TEST_F(Posix, AFileTheSystemCannotRunIsNeverReadByAShell) {
  std::string script = dir + "/not-a-program";
  Write_File_Bytes(script, "touch " + dir + "/ran\n");  // no #! line
  chmod(script.c_str(), 0755);
  std::string why;
  Program_End end = Run_Program({script}, &why);
  EXPECT_FALSE(end.started);
  EXPECT_EQ(NOT_RUNNABLE, end.code);
  EXPECT_EQ("它不是本系统能运行的程序", why);
  EXPECT_EQ(126, Command("cmd /c\"" + script + "\""));
  EXPECT_NE(0, Command("start \"\" \"" + script + "\""));
  EXPECT_FALSE(fs::exists(dir + "/ran"));
}

// A NUL byte would cut a path or a word short: such a path names nothing,
// and such a command runs nothing.
TEST_F(Posix, ANulByteMakesAPathNameNothingAndACommandRunNothing) {
  Write_File_Bytes(dir + "/a.cpp", "int main() {}");
  std::string nul = dir + "/a.cpp" + std::string(1, '\0') + ".cpp";
  EXPECT_EQ(PATH_MISSING, Path_Status(nul));
  EXPECT_FALSE(Create_Empty_File(dir + "/b" + std::string(1, '\0') + "x"));
  EXPECT_FALSE(fs::exists(dir + "/b"));
  std::string prog = Recorder(dir + "/prog");
  EXPECT_EQ(1, Command("cmd /c\"\"" + prog + "\" -o \"" + nul + "\"\""));
  EXPECT_FALSE(fs::exists(prog + ".args"));
}

TEST_F(Posix, RunProgramTellsHowTheProgramEnded) {
  std::string why;
  Program_End end = Run_Program({dir + "/missing"}, &why);
  EXPECT_FALSE(end.started);
  EXPECT_EQ(NOT_FOUND, end.code);
  EXPECT_EQ("文件不存在", why);
  Write_File_Bytes(dir + "/plain", "");
  end = Run_Program({dir + "/plain"}, &why);  // not executable
  EXPECT_EQ(NOT_RUNNABLE, end.code);
  EXPECT_EQ("没有运行它的权限", why);
  end = Run_Program({"sh", "-c", "kill -INT $$"});  // reaches the child, not us
  EXPECT_TRUE(end.started && end.signaled);
  EXPECT_EQ(SIGINT, end.code);
}

TEST_F(Posix, StartWithoutAWindowRunsTheProgramHereAndWaits) {
  std::string prog = Recorder(dir + "/prog", 3);
  // Status 0 once started, whatever the program returns; the arguments have
  // arrived by the time start returns, so it was waited for.
  EXPECT_EQ(0, Command("start \"" + dir + "/a.cpp\" \"" + prog + "\" \"one two\""));
  EXPECT_EQ("one two\n", Read_File_Bytes(prog + ".args"));
  EXPECT_EQ(0, Command("start " + prog + " first"));  // no quotes: no title
  EXPECT_EQ("first\n", Read_File_Bytes(prog + ".args"));
  EXPECT_NE(0, Command("start \"\" \"" + dir + "/missing.exe\""));
  Write_File_Bytes(dir + "/plain", "");
  EXPECT_NE(0, Command("start \"\" \"" + dir + "/plain\""));
}

TEST_F(Posix, StartInsideTmuxOpensAWindowInTheCurrentFolder) {
  fs::create_directory(dir + "/bin");
  Recorder(dir + "/bin/tmux");
  setenv("PATH", (dir + "/bin:" + saved["PATH"]).c_str(), 1);
  setenv("TMUX", "/tmp/tmux-0/default,1,0", 1);
  setenv("DISPLAY", ":9", 1);  // tmux comes first
  std::string prog = Recorder(dir + "/prog");
  fs::current_path(dir);
  EXPECT_EQ(0, Command("start \"T x\" prog \"a b\""));
  EXPECT_EQ("new-window\n-c\n" + dir + "\n-n\nT x\n--\n./prog\na b\n",
            Read_File_Bytes(dir + "/bin/tmux.args"));
  EXPECT_FALSE(fs::exists(prog + ".args"));  // the program was not run here
  EXPECT_NE(0, Command("start \"T\" missing"));
}

TEST_F(Posix, StartInsideARealTmuxRunsTheProgramInANewWindow) {
  if (Find_Program("tmux").empty()) GTEST_SKIP() << "tmux is not installed";
  std::string server = "tws-test-" + std::to_string(getpid());
  ASSERT_EQ(0, Command("tmux -L " + server + " new-session -d -x 80 -y 24 'sleep 20'"));
  std::string socket = Run_Process({"tmux", "-L", server, "display", "-p", "#{socket_path}"}).out;
  if (!socket.empty()) socket.pop_back();  // its line end
  setenv("TMUX", (socket + ",0,0").c_str(), 1);
  std::string prog = Recorder(dir + "/prog");
  fs::current_path(dir);
  EXPECT_EQ(0, Command("start \"T\" prog \"a b\""));
  EXPECT_EQ("a b\n", Wait_For_File(prog + ".args", Whole_Lines));
  Command("tmux -L " + server + " kill-server");
  fs::remove(socket);
}

TEST_F(Posix, StartWithADisplayOpensATerminalWithoutWaiting) {
  fs::create_directory(dir + "/bin");
  std::string terminal = dir + "/bin/x-terminal-emulator";
  // It writes its arguments only once the test says go (or after a minute).
  Write_File_Bytes(
      terminal,
      "#!/bin/sh\nfor i in $(seq 6000); do [ -e \"$0.go\" ] && break; sleep 0.01; done\n"
      "printf '%s\\n' \"$@\" > \"$0.args\"\n");
  chmod(terminal.c_str(), 0755);
  setenv("PATH", (dir + "/bin:" + saved["PATH"]).c_str(), 1);
  setenv("WAYLAND_DISPLAY", "wayland-0", 1);
  std::string prog = Recorder(dir + "/prog");
  EXPECT_EQ(0, Command("start \"T\" \"" + prog + "\" a"));
  // Start returned first: the terminal was still waiting for the go.
  EXPECT_FALSE(fs::exists(terminal + ".args"));
  Write_File_Bytes(terminal + ".go", "");
  // printf writes its lines at once, as it ends.
  EXPECT_EQ("-T\nT\n-e\n" + prog + "\na\n", Wait_For_File(terminal + ".args", Whole_Lines));
}

TEST_F(Posix, NotepadOpensTheEditorWithThePathAsOneArgument) {
  std::string editor = Recorder(dir + "/editor", 7);
  std::string path = dir + "/it's \"$(touch " + dir + "/owned)\" a b.cpp";
  setenv("EDITOR", "/bin/false", 1);
  setenv("VISUAL", (editor + " --wait").c_str(), 1);  // VISUAL first, options allowed
  EXPECT_EQ(7, Command("notepad.exe \"" + path + "\""));
  EXPECT_EQ("--wait\n" + path + "\n", Read_File_Bytes(editor + ".args"));
  EXPECT_FALSE(fs::exists(dir + "/owned"));
  fs::current_path(dir);
  EXPECT_EQ(7, Command("notepad.exe \"-n.cpp\""));
  EXPECT_EQ("--wait\n./-n.cpp\n", Read_File_Bytes(editor + ".args"));
  unsetenv("VISUAL");
  EXPECT_EQ(1, Command("notepad.exe \"x\""));  // then EDITOR
}

TEST_F(Posix, NotepadWithNoEditorAnywhereSaysWhatToInstall) {
  setenv("PATH", dir.c_str(), 1);  // neither nano nor vi, and no variable names one
  Child_Run run = In_Child("", [] { return std::to_string(Command("notepad.exe \"a.cpp\"")); });
  EXPECT_EQ("127", run.result);
  EXPECT_EQ(
      "没有找到文本编辑器。请安装 nano（sudo apt install nano），或者把环境变量 EDITOR "
      "设为你用的编辑器。\n",
      run.out);
}

TEST_F(Posix, TypedPathsStartingWithATildeAreInTheHomeFolder) {
  setenv("HOME", "/home/张三/", 1);
  EXPECT_EQ("/home/张三/code/a.cpp", Typed_Path("~/code/a.cpp"));
  EXPECT_EQ("/home/张三", Typed_Path("~"));
  EXPECT_EQ("~other/a.cpp", Typed_Path("~other/a.cpp"));  // no user look-ups
  EXPECT_EQ("a/~/b", Typed_Path("a/~/b"));
  unsetenv("HOME");
  EXPECT_EQ("~/a.cpp", Typed_Path("~/a.cpp"));
}

TEST_F(Posix, OtherCommandsGoToTheShell) {
  EXPECT_EQ(5, Command("exit 5"));
  EXPECT_EQ(0, Command("echo hi > '" + dir + "/out'"));
  EXPECT_EQ("hi\n", Read_File_Bytes(dir + "/out"));
}

TEST(Console, ClearAndTitleWriteTheirBytesOnlyWhereTheyMeanSomething) {
  Child_Run run = In_Child("", [] {
    return std::to_string(Command("cls")) + std::to_string(Command("title Tarnwickstone"));
  });
  EXPECT_EQ("\x1b[H\x1b[2J\x1b[3J", run.out);  // no title: output is not a terminal
  EXPECT_EQ("00", run.result);
}

// The shell took the terminal back before the key wait's process was ended
// (its group's leader died first): its mode is put back all the same.
TEST(Console, AKeyWaitEndedAfterTheShellTookTheTerminalBackPutsItsModeBack) {
  int master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  ASSERT_GE(master, 0);
  ASSERT_TRUE(grantpt(master) == 0 && unlockpt(master) == 0);
  std::string name = ptsname(master);
  int go[2], done[2];
  ASSERT_TRUE(pipe(go) == 0 && pipe(done) == 0);
  pid_t waiter = fork();
  if (waiter == 0) {
    setsid();
    int terminal = open(name.c_str(), O_RDWR);
    ioctl(terminal, TIOCSCTTY, 0);
    dup2(terminal, STDIN_FILENO);
    dup2(terminal, STDOUT_FILENO);
    if (fork() == 0) {  // the shell, in a group of its own
      setpgid(0, 0);
      signal(SIGTTOU, SIG_IGN);
      char c;
      if (read(go[0], &c, 1) == 1 && tcsetpgrp(STDIN_FILENO, getpgrp()) == 0)
        (void)!write(done[1], "y", 1);
      pause();
      _exit(0);
    }
    Wait_Key("");
    _exit(0);
  }
  struct termios mode {};
  auto raw = [&] { return tcgetattr(master, &mode) == 0 && !(mode.c_lflag & ICANON); };
  ASSERT_TRUE(Wait_Until(raw, 10000));
  char c = 0;
  ASSERT_EQ(write(go[1], "g", 1), 1);
  ASSERT_EQ(read(done[0], &c, 1), 1);
  kill(waiter, SIGTERM);
  int status = 0;
  waitpid(waiter, &status, 0);
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
  ASSERT_EQ(tcgetattr(master, &mode), 0);
  EXPECT_TRUE((mode.c_lflag & ICANON) && (mode.c_lflag & ECHO)) << std::hex << mode.c_lflag;
  close(master);  // the shell goes with its terminal
  for (int fd : {go[0], go[1], done[0], done[1]}) close(fd);
}

TEST(Console, PauseTakesOneByteOfPipedInputAndLeavesTheRest) {
  Child_Run run = In_Child("xrest\nnext", [] {
    std::string result = std::to_string(Command("pause"));
    return result + All_Lines();
  });
  EXPECT_EQ("请按任意键继续. . .\n", run.out);
  EXPECT_EQ("0[rest][next]end", run.result);
  run = In_Child("", [] { return std::to_string(Command("pause")) + All_Lines(); });
  EXPECT_EQ("请按任意键继续. . .\n", run.out);  // returns at end of input
  EXPECT_EQ("0end", run.result);
  // The launcher's wait tells Enter, D (either case) and the rest apart.
  run = In_Child("dD\nx", [] {
    std::string keys;
    for (int i = 0; i < 5; ++i) keys += std::to_string(Wait_Key(""));
    return keys;
  });
  EXPECT_EQ(std::to_string(KEY_D) + std::to_string(KEY_D) + std::to_string(KEY_ENTER) +
                std::to_string(KEY_OTHER) + std::to_string(KEY_NONE),
            run.result);
}

TEST(Console, ReadLineEndsLinesAtLFWithAnOptionalCR) {
  Child_Run run = In_Child("a\r\nb\n\nc\rd\n\r\nlast", All_Lines);
  EXPECT_EQ("[a][b][][c\rd][][last]end", run.result);
  // A CR LF split over two reads of the buffer is still one line end.
  std::string first(4095, 'x');
  run = In_Child(first + "\r\nnext\r\n", All_Lines);
  EXPECT_EQ("[" + first + "][next]end", run.result);
  run = In_Child("", All_Lines);
  EXPECT_EQ("end", run.result);
}

// The table made at build time: a shifted line would turn every character
// after it into its neighbour, so both ends and the middle are checked.
TEST(Text, GBKIsDecodedFromTheTableMadeAtBuildTime) {
  std::string text;
  ASSERT_TRUE(Decode_GBK("\x81\x40 a \xB0\xA1\xC4\xE3\xBA\xC3\xF7\xFE\xFE\x4F", text));
  EXPECT_EQ(text, "丂 a 啊你好齄\xEF\xA8\xA9");  // 0xFE4F: a cell of the last row
  for (const char* bad : {"\x80", "\xFF\x40", "\xB0", "\xB0\x7F", "\xB0\x20", "\xA2\xA0"})
    EXPECT_FALSE(Decode_GBK(bad, text)) << Escaped(bad);
}

TEST(Time, SleepLastsAtLeastItsTime) {
  long long before = Clock_Us();
  Sleep_Us(20000);
  long long slept = Clock_Us() - before;
  EXPECT_GE(slept, 20000);
  EXPECT_LT(slept, 200000);
}

TEST_F(Posix, PathStatusTellsTheKindFollowingLinks) {
  Write_File_Bytes(dir + "/f", "");
  fs::create_directory(dir + "/d");
  fs::create_symlink(dir + "/f", dir + "/to-f");
  fs::create_symlink(dir + "/gone", dir + "/to-gone");
  EXPECT_EQ(PATH_FILE, Path_Status(dir + "/f"));
  EXPECT_EQ(PATH_FILE, Path_Status(dir + "/to-f"));
  EXPECT_EQ(PATH_DIRECTORY, Path_Status(dir + "/d"));
  EXPECT_EQ(PATH_OTHER, Path_Status("/dev/null"));
  EXPECT_EQ(PATH_MISSING, Path_Status(dir + "/to-gone"));
  EXPECT_EQ(PATH_MISSING, Path_Status(dir + "/f/x"));
  EXPECT_EQ(PATH_MISSING, Path_Status(""));
}

TEST_F(Posix, ReadTextFileReadsOnlyARegularFileOfBoundedSize) {
  std::string text = "old", err;
  Write_File_Bytes(dir + "/s", "a\r\n\r\nb\rc\r\n1");
  ASSERT_TRUE(Read_Text_File(dir + "/s", 100, text, &err));
  EXPECT_EQ("a\n\nb\rc\n1", text);
  EXPECT_FALSE(Read_Text_File(dir + "/missing", 100, text, &err));
  EXPECT_EQ("", err) << "nothing there is not a failure to report";
  EXPECT_FALSE(Read_Text_File(dir + "/s", 5, text, &err));
  EXPECT_EQ(TOO_LARGE, err);
  EXPECT_FALSE(Read_Text_File(dir, 100, text, &err));
  EXPECT_EQ("它是一个文件夹", err);
  // Neither a FIFO without a writer nor an endless device may block or flood.
  ASSERT_EQ(0, mkfifo((dir + "/fifo").c_str(), 0644));
  fs::create_symlink("/dev/zero", dir + "/zero");
  for (const char* name : {"/fifo", "/zero"}) {
    EXPECT_FALSE(Read_Text_File(dir + name, 100, text, &err));
    EXPECT_EQ("它不是普通文件", err) << name;
  }
}

TEST_F(Posix, ReplaceTextFilePutsTheWholeTextInPlaceOrLeavesTheOldFile) {
  std::string path = dir + "/Tarnwickstone.tws", err;
  ASSERT_TRUE(Replace_Text_File(path, "\n\n\n\n1", &err));
  EXPECT_EQ("\n\n\n\n1", Read_File_Bytes(path));
  // Whatever stands at a temporary name (a folder, a FIFO, a link) is passed by.
  fs::create_directory(path + ".~" + std::to_string(getpid()) + "-0");
  ASSERT_EQ(0, mkfifo((path + ".~" + std::to_string(getpid()) + "-1").c_str(), 0644));
  fs::create_symlink(dir + "/elsewhere", path + ".~" + std::to_string(getpid()) + "-2");
  ASSERT_TRUE(Replace_Text_File(path, "/usr/bin/g++\n\n\n-O2\n0", &err));
  EXPECT_EQ("/usr/bin/g++\n\n\n-O2\n0", Read_File_Bytes(path));
  EXPECT_FALSE(fs::exists(dir + "/elsewhere"));
  EXPECT_EQ(4, std::distance(fs::directory_iterator(dir), fs::directory_iterator()))
      << "no temporary file is left behind";
  // It cannot be put in place: the reason is given and the temporary file goes.
  fs::create_directory(dir + "/d");
  EXPECT_FALSE(Replace_Text_File(dir + "/d", "new", &err));
  EXPECT_EQ("一个同名的文件夹占着它的位置", err);
  EXPECT_EQ(5, std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
  EXPECT_FALSE(Replace_Text_File(dir + "/missing/x", "new", &err));
  EXPECT_EQ("它所在的文件夹不存在", err);
}

// Two programs saving at the same moment: each file that results is one of
// them whole, never one's bytes over the other's.
TEST_F(Posix, SavesAtTheSameMomentNeverMixTheirBytes) {
  std::string path = dir + "/Tarnwickstone.tws";
  const std::string a(3000, 'a'), b = "b\n\n\n\n1";
  for (int round = 0; round < 40; round++) {
    pid_t pid = fork();
    if (pid == 0) {
      std::string err;
      _exit(Replace_Text_File(path, a, &err) ? 0 : 1);
    }
    std::string err;
    EXPECT_TRUE(Replace_Text_File(path, b, &err)) << err;
    EXPECT_EQ(0, Wait_Forked(pid));
    std::string now = Read_File_Bytes(path);
    ASSERT_TRUE(now == a || now == b) << "round " << round << ": " << now.size() << " bytes";
  }
}

TEST_F(Posix, CreateEmptyFileNeverTouchesAnExistingFile) {
  ASSERT_TRUE(Create_Empty_File(dir + "/a.cpp"));
  EXPECT_EQ(PATH_FILE, Path_Status(dir + "/a.cpp"));
  EXPECT_EQ("", Read_File_Bytes(dir + "/a.cpp"));
  Write_File_Bytes(dir + "/b.cpp", "int main() {}");
  std::string why;
  EXPECT_FALSE(Create_Empty_File(dir + "/b.cpp", &why));
  EXPECT_EQ("它已经存在", why);
  EXPECT_EQ("int main() {}", Read_File_Bytes(dir + "/b.cpp"));
  EXPECT_FALSE(Create_Empty_File(dir + "/missing/c.cpp", &why));
  EXPECT_EQ("它所在的文件夹不存在", why);
  EXPECT_FALSE(Create_Empty_File(dir));
  // A new file's bytes exactly; never over another, which a stamp tells apart.
  ASSERT_TRUE(Write_New_File(dir + "/c.in", "1 2\r\n"));
  EXPECT_EQ("1 2\r\n", Read_File_Bytes(dir + "/c.in"));
  EXPECT_FALSE(Write_New_File(dir + "/b.cpp", "x", &why));
  EXPECT_EQ("它已经存在", why);
  EXPECT_EQ("int main() {}", Read_File_Bytes(dir + "/b.cpp"));
  std::filesystem::create_symlink(dir + "/nowhere", dir + "/link.in");
  EXPECT_FALSE(Write_New_File(dir + "/link.in", "x"));  // a link, even to nothing, is there
  EXPECT_FALSE(std::filesystem::exists(dir + "/nowhere"));
  // It was written beside its place, and nothing of that is left.
  for (const auto& entry : std::filesystem::directory_iterator(dir))
    EXPECT_EQ(entry.path().filename().string().find(".~"), std::string::npos) << entry.path();
  File_Stamp old{0, 0}, now{0, 0};
  std::filesystem::last_write_time(
      dir + "/b.cpp", std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
  ASSERT_TRUE(Stamp_File(dir + "/b.cpp", old) && Stamp_File(dir + "/c.in", now));
  EXPECT_LT(old.written, now.written);
  EXPECT_EQ(now.size, 5);
  EXPECT_FALSE(Stamp_File(dir + "/none", now));
  ASSERT_TRUE(Remove_File(dir + "/c.in"));
  EXPECT_EQ(PATH_MISSING, Path_Status(dir + "/c.in"));
  EXPECT_FALSE(Remove_File(dir + "/c.in", &why));
  EXPECT_EQ("不存在", why);
}
}  // namespace

TEST_F(Posix, ANewFileOnAFullDiskLeavesNothingBehindAndAReplaceIsWhole) {
  std::string small = dir + "/small";
  fs::create_directory(small);
  if (mount("tmpfs", small.c_str(), "tmpfs", 0, "size=64k") != 0)
    GTEST_SKIP() << "mounting a small disk needs root";
  struct Unmounted {
    std::string at;
    ~Unmounted() { umount(at.c_str()); }
  } unmounted{small};
  std::string big(200000, 'x'), why;
  Write_File_Bytes(dir + "/big.in", big);
  EXPECT_FALSE(Write_New_File(small + "/a.ans", big, &why));
  EXPECT_EQ(why, "磁盘已满");
  EXPECT_FALSE(Copy_File(dir + "/big.in", small + "/a.in", &why));
  EXPECT_EQ(why, "磁盘已满");
  std::vector<Folder_Entry> left;
  ASSERT_TRUE(List_Folder(small, left));
  EXPECT_TRUE(left.empty()) << left[0].name;
  // Read back a chunk at a time, the whole file; and copied whole where there is room.
  size_t read = 0;
  ASSERT_TRUE(
      Read_Chunks(dir + "/big.in", [&](const char*, size_t n) { return (read += n, true); }));
  EXPECT_EQ(read, big.size());
  ASSERT_TRUE(Copy_File(dir + "/big.in", dir + "/copy.in"));
  EXPECT_EQ(Read_File_Bytes(dir + "/copy.in"), big);
  EXPECT_FALSE(Copy_File(dir + "/big.in", dir + "/copy.in", &why));
  EXPECT_EQ("它已经存在", why);
  Write_File_Bytes(dir + "/new.exe", "new");
  Write_File_Bytes(dir + "/old.exe", "old");
  ASSERT_TRUE(Replace_File(dir + "/new.exe", dir + "/old.exe"));
  EXPECT_EQ(Read_File_Bytes(dir + "/old.exe"), "new");
  EXPECT_FALSE(fs::exists(dir + "/new.exe"));
}

TEST_F(Posix, APrivateFolderIsOursAndClosedToOthers) {
  std::string folder = dir + "/cache";
  ASSERT_TRUE(Make_Private_Folder(folder));
  struct stat st;
  ASSERT_EQ(stat(folder.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  chmod(folder.c_str(), 0777);
  ASSERT_TRUE(Make_Private_Folder(folder));
  ASSERT_EQ(stat(folder.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  std::string why;
  fs::create_directory_symlink(folder, dir + "/link");
  EXPECT_FALSE(Make_Private_Folder(dir + "/link", &why));
  EXPECT_EQ(why, "没有权限");
  if (geteuid() != 0) GTEST_SKIP() << "only root can give a folder to another user";
  ASSERT_EQ(chown(folder.c_str(), 65534, 65534), 0);
  EXPECT_FALSE(Make_Private_Folder(folder, &why));
  EXPECT_EQ(why, "没有权限");
}

TEST_F(Posix, RemoveTreeAndEmptyFolderTakeEverythingAndFollowNoLink) {
  std::string tree = dir + "/tree", outside = dir + "/outside";
  fs::create_directories(tree + "/a/b");
  fs::create_directories(outside);
  Write_File_Bytes(tree + "/a/b/f", "x");
  Write_File_Bytes(outside + "/keep", "k");
  fs::create_directory_symlink(outside, tree + "/a/link");
  fs::permissions(tree + "/a", fs::perms::owner_read | fs::perms::owner_exec);
  std::string err;
  // Emptied, it stays, and what the link led to too.
  EXPECT_TRUE(Empty_Folder(tree, &err)) << err;
  EXPECT_TRUE(fs::is_directory(tree) && fs::is_empty(tree));
  EXPECT_EQ(Read_File_Bytes(outside + "/keep"), "k");
  fs::create_directories(tree + "/a/b");
  EXPECT_TRUE(Remove_Tree(tree, &err)) << err;
  EXPECT_FALSE(fs::exists(tree));
  EXPECT_EQ(Read_File_Bytes(outside + "/keep"), "k");
  EXPECT_FALSE(Remove_Tree(tree, &err));
  EXPECT_EQ(err, "不存在");
  EXPECT_FALSE(Empty_Folder(tree, &err));
}

TEST_F(Posix, RemoveTreeGoesThousandsOfFoldersDeepWithAFewDescriptors) {
  // Made one step at a time: the whole path is far longer than any path may be.
  int fd = open(dir.c_str(), O_RDONLY | O_DIRECTORY);
  for (int depth = 0; depth < 3000 && fd >= 0; ++depth) {
    ASSERT_EQ(mkdirat(fd, "d", 0700), 0);
    int inner = openat(fd, "d", O_RDONLY | O_DIRECTORY);
    close(fd);
    fd = inner;
  }
  ASSERT_GE(fd, 0);
  close(fd);
  rlimit before{}, few{};
  getrlimit(RLIMIT_NOFILE, &before);
  few = before;
  few.rlim_cur = 64;  // far fewer than the folders
  setrlimit(RLIMIT_NOFILE, &few);
  std::string err;
  bool removed = Remove_Tree(dir + "/d", &err);
  setrlimit(RLIMIT_NOFILE, &before);
  EXPECT_TRUE(removed) << err;
  EXPECT_FALSE(fs::exists(dir + "/d"));
}

TEST_F(Posix, FoldersLeftByALauncherThatIsGoneAreRemovedAndNoOthers) {
  setenv("TMPDIR", dir.c_str(), 1);
  // Gone, though process 1 runs: a number may be another namespace's, a lock is not.
  std::string gone = dir + "/tws-sample-1-x", alive = dir + "/tws-sample-999999999-x", own;
  fs::create_directories(gone + "/a");
  fs::create_directories(alive);
  fs::create_directories(dir + "/other-999999999");
  Write_File_Bytes(gone + "/a/f", "x");
  ASSERT_TRUE(Make_Temp_Folder(own));
  // Held by a process of its own, as a launcher elsewhere holds it.
  pid_t holder = fork();
  if (holder == 0) {
    int fd = open(alive.c_str(), O_RDONLY | O_DIRECTORY);
    flock(fd, LOCK_EX);
    Write_File_Bytes(dir + "/held", "");
    pause();
    _exit(0);
  }
  ASSERT_TRUE(Wait_Until([&] { return fs::exists(dir + "/held"); }, 10000));
  Remove_Left_Folders();
  unsetenv("TMPDIR");
  kill(holder, SIGKILL);
  Wait_Forked(holder);
  EXPECT_FALSE(fs::exists(gone));
  EXPECT_TRUE(fs::exists(alive));
  EXPECT_TRUE(fs::exists(own));
  EXPECT_EQ(own.rfind(dir + "/tws-sample-" + std::to_string(getpid()) + "-", 0), 0u) << own;
  EXPECT_TRUE(fs::exists(dir + "/other-999999999"));
  EXPECT_TRUE(Remove_Tree(own));
}

TEST_F(Posix, AFolderListsWhatEachNameLeadsTo) {
  fs::create_directories(dir + "/in/sub");
  Write_File_Bytes(dir + "/in/file", "");
  Write_File_Bytes(dir + "/away", "");
  ASSERT_EQ(mkfifo((dir + "/in/pipe").c_str(), 0600), 0);
  fs::create_symlink(dir + "/away", dir + "/in/link");
  fs::create_symlink(dir + "/nowhere", dir + "/in/broken");
  std::vector<Folder_Entry> entries;
  ASSERT_TRUE(List_Folder(dir + "/in", entries));
  std::map<std::string, std::pair<Entry_Kind, std::string>> seen;
  for (const Folder_Entry& entry : entries) seen[entry.name] = {entry.kind, entry.target};
  std::string away = Real_Path(dir + "/away");
  EXPECT_EQ(seen, (std::map<std::string, std::pair<Entry_Kind, std::string>>{
                      {"sub", {ENTRY_FOLDER, ""}},
                      {"file", {ENTRY_FILE, ""}},
                      {"pipe", {ENTRY_PIPE, ""}},
                      {"link", {ENTRY_FILE, away}},
                      {"broken", {ENTRY_BROKEN_LINK, ""}}}));
  EXPECT_EQ(Real_Path(dir + "/in/../away"), away);
  EXPECT_EQ(Real_Path(dir + "/nowhere"), "");
}

TEST_F(Posix, AProgramRunInAFolderStartsThereNamedFromHere) {
  fs::create_directories(dir + "/there");
  Write_File_Bytes(dir + "/where.sh", "#!/bin/sh\npwd > seen\n");
  fs::permissions(dir + "/where.sh", fs::perms::owner_all);
  fs::current_path(dir);
  Crash_Stack crash;
  Program_End end = Run_Watched({"./where.sh"}, dir + "/there", crash);
  EXPECT_TRUE(end.started) << end.code;
  EXPECT_EQ(Read_File_Bytes(dir + "/there/seen"), Real_Path(dir + "/there") + "\n");
}
