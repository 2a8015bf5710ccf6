// The POSIX layer's operations for keeping work between runs, against the
// real system: what the compiler companion's own tests do not reach.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "platform/platform.h"
#include "test_text.h"

namespace fs = std::filesystem;

namespace {

struct Keep : ::testing::Test {
  std::string dir;
  Keep() {
    char name[] = "/tmp/tws-keep-XXXXXX";
    dir = mkdtemp(name) ? name : "/nonexistent";
  }
  ~Keep() override { fs::remove_all(dir); }
};

TEST_F(Keep, FoldersMoveWholeOrNotAtAllAndStampsChangeWithATouch) {
  std::string err;
  EXPECT_TRUE(Make_Folders(dir + "/a/b/c", &err) && Make_Folders(dir + "/a/b/c", &err)) << err;
  Write_File_Bytes(dir + "/a/b/c/f", "abc");
  EXPECT_FALSE(Make_Folders(dir + "/a/b/c/f/d", &err));
  EXPECT_EQ(err, "它所在的文件夹不存在");
  fs::create_directories(dir + "/other/x");
  EXPECT_FALSE(Move_Folder(dir + "/a/b", dir + "/other", &err));  // something is in the way
  EXPECT_TRUE(Move_Folder(dir + "/a/b", dir + "/moved", &err)) << err;
  EXPECT_TRUE(fs::exists(dir + "/other/x") && fs::exists(dir + "/moved/c/f"));
  EXPECT_FALSE(fs::exists(dir + "/a/b"));

  std::string file = dir + "/moved/c/f";
  struct timespec old[2] = {{1000, 5}, {1000, 5}};
  ASSERT_EQ(utimensat(AT_FDCWD, file.c_str(), old, 0), 0);
  File_Stamp stamp;
  ASSERT_TRUE(Stamp_File(file, stamp, &err)) << err;
  EXPECT_EQ(stamp.size, 3);
  EXPECT_EQ(stamp.written, 1000000000005LL);
  EXPECT_TRUE(Touch_File(file, &err) && Stamp_File(file, stamp, &err)) << err;
  EXPECT_GT(stamp.written, 1000000000005LL);
  EXPECT_EQ(Read_File_Bytes(file), "abc");
  EXPECT_FALSE(Stamp_File(dir + "/none", stamp, &err));
  EXPECT_EQ(err, "不存在");

  // The cache folder: XDG's when it is a full path, else the home's.
  std::string xdg = Environment_Variable("XDG_CACHE_HOME");
  setenv("XDG_CACHE_HOME", "/var/cache/oi", 1);
  EXPECT_EQ(User_Cache_Folder(), "/var/cache/oi");
  setenv("XDG_CACHE_HOME", "relative", 1);
  EXPECT_EQ(User_Cache_Folder(), Environment_Variable("HOME") + "/.cache");
  unsetenv("XDG_CACHE_HOME");
  EXPECT_EQ(User_Cache_Folder(), Environment_Variable("HOME") + "/.cache");
  if (!xdg.empty()) setenv("XDG_CACHE_HOME", xdg.c_str(), 1);
}

TEST_F(Keep, ALockIsHeldUntilItsHolderEnds) {
  std::string lock = dir + "/prepare.lock";
  int taken[2], done[2];
  ASSERT_EQ(pipe(taken), 0);
  ASSERT_EQ(pipe(done), 0);
  pid_t holder = fork();
  if (holder == 0) {
    close(done[1]);  // or its read below would never see the end
    char c = Take_Lock(lock) ? 'y' : 'n';
    if (write(taken[1], &c, 1) != 1 || read(done[0], &c, 1) < 0) _exit(1);
    _exit(0);  // the lock goes with the process
  }
  char c = 0;
  ASSERT_EQ(read(taken[0], &c, 1), 1);
  EXPECT_EQ(c, 'y');
  std::string err;
  EXPECT_FALSE(Take_Lock(lock, &err));
  EXPECT_EQ(err, "它正被别的程序使用");
  close(done[1]);
  int status;
  waitpid(holder, &status, 0);
  EXPECT_TRUE(Take_Lock(lock, &err)) << err;
  for (int fd : {taken[0], taken[1], done[0]}) close(fd);
}

TEST_F(Keep, ABackgroundProgramRunsOnItsOwnAtTheLowestPriorityHoldingNothingOfOurs) {
  std::string script = dir + "/job", out = dir + "/out";
  // It goes on only once the test makes a file, after Start_Background has returned.
  Write_File_Bytes(script,
                   "#!/bin/sh\nn=0\nwhile [ ! -e \"$0.go\" ] && [ $n -lt 600 ]; do "
                   "sleep 0.05; n=$((n+1)); done\necho \"$(nice) $(readlink /proc/$$/fd/1) "
                   "$(cut -d' ' -f6 /proc/$$/stat) $$\" > \"$0.tmp\"\nmv \"$0.tmp\" " +
                       out + "\n");
  chmod(script.c_str(), 0755);
  int ends[2];  // not closed on exec: the program would hold it, were it not closed for it
  ASSERT_EQ(pipe(ends), 0);
  std::string err;
  ASSERT_TRUE(Start_Background({script}, &err)) << err;
  close(ends[1]);
  pollfd end = {ends[0], POLLIN, 0};
  ASSERT_EQ(poll(&end, 1, 10000), 1) << "the program holds our pipe open";
  char c;
  EXPECT_EQ(read(ends[0], &c, 1), 0);
  close(ends[0]);
  Write_File_Bytes(script + ".go", "");
  std::string seen = Wait_For_File(out, Whole_Lines, 30000);
  int nice = -1, session = 0, pid = 0;
  char null[64] = "";
  ASSERT_EQ(std::sscanf(seen.c_str(), "%d %63s %d %d", &nice, null, &session, &pid), 4) << seen;
  EXPECT_EQ(nice, 19);
  EXPECT_STREQ(null, "/dev/null");
  EXPECT_EQ(session, pid) << "not in a session of its own";
  EXPECT_FALSE(Start_Background({dir + "/none"}, &err));
  EXPECT_EQ(err, "文件不存在");
}

}  // namespace
