// Where a crash happened: addr2line's answer read, the user's frame found
// among the library's, repeated calls folded, and the lines a student reads.
#include <gtest/gtest.h>

#include "launch/crash_report.h"
#include "launch/locate.h"
#include "launch/symbols.h"
#include "test_text.h"

namespace {

const std::string HOME = "/home/学生/作业";

Frame_Places Library(const std::string& function, const std::string& file = "") {
  return {false, {{function, file, file.empty() ? 0 : 12}}};
}

Frame_Places User(const std::string& function, int line, const std::string& file = "a.cpp") {
  return {true, {{function, HOME + "/" + file, line}}};
}

std::string Lines_For(const std::vector<Frame_Places>& frames, bool overflow = false) {
  return Location_Lines(Locate_Crash(frames, HOME + "/a.exe", false, overflow));
}

TEST(Crash, FunctionNamesAreShortened) {
  EXPECT_EQ("dfs", Short_Function("dfs(int)"));
  EXPECT_EQ("main", Short_Function("main"));
  EXPECT_EQ("std::vector::at",
            Short_Function("std::vector<int, std::allocator<int> >::at(unsigned long)"));
  EXPECT_EQ("std::sort", Short_Function("void std::sort<__gnu_cxx::__normal_iterator<int*, "
                                        "std::vector<int> > >(__gnu_cxx::__normal_iterator<int*, "
                                        "std::vector<int> >)"));
  EXPECT_EQ("Solver::run", Short_Function("Solver::run() const"));
  EXPECT_EQ("f", Short_Function("(anonymous namespace)::f(char const*)"));
  EXPECT_EQ("std::to_string", Short_Function("std::__cxx11::to_string[abi:cxx11](int)"));
  // Cut only where a reader sees a boundary: operators keep their brackets,
  // lambdas and the library's iterators are named by what they are.
  EXPECT_EQ("main 里的 lambda", Short_Function("main::{lambda(int)#1}::operator()(int) const"));
  EXPECT_EQ("Solver::solve 里的 lambda",
            Short_Function("Solver::solve()::{lambda(int)#2}::operator()(int) const"));
  EXPECT_EQ("main 里的 lambda",
            Short_Function("int main::{lambda(auto:1&&, int)#1}::operator()<{lambda(auto:1&&, "
                           "int)#1}&>({lambda(auto:1&&, int)#1}&, int) const"));
  EXPECT_EQ("main 里的 lambda", Short_Function("operator()<main()::<lambda(auto:1&&, int)>&>"));
  EXPECT_EQ("map 的迭代器的 operator++",
            Short_Function("std::_Rb_tree_iterator<std::pair<int const, int> >::operator++()"));
  EXPECT_EQ("set 的迭代器的 operator*",
            Short_Function("std::_Rb_tree_const_iterator<int>::operator*() const"));
  EXPECT_EQ("vector 的迭代器的 operator*",
            Short_Function("__gnu_cxx::__normal_iterator<int*, std::vector<int, "
                           "std::allocator<int> > >::operator*() const"));
  EXPECT_EQ("std::string::at",
            Short_Function("std::__cxx11::basic_string<char, std::char_traits<char>, "
                           "std::allocator<char> >::at(unsigned long)"));
  EXPECT_EQ("operator<", Short_Function("operator<(Edge const&, Edge const&)"));
  EXPECT_EQ("Big::operator<<", Short_Function("Big::operator<<(int)"));
  EXPECT_EQ("Matrix::operator()", Short_Function("Matrix::operator()(int, int)"));
  EXPECT_EQ("f", Short_Function("void f(void (*)(int))"));
  EXPECT_EQ("Foo::operator int", Short_Function("Foo::operator int() const"));
  EXPECT_EQ("operator delete[]", Short_Function("operator delete[](void*)"));
  EXPECT_EQ("list 的迭代器的 operator++", Short_Function("std::_List_iterator<int>::operator++()"));
  EXPECT_EQ("std::map::operator[]",
            Short_Function("std::map<int, int, std::less<int>, std::allocator<std::pair<int "
                           "const, int> > >::operator[](int const&)"));
}

TEST(Crash, Addr2lineAnswersAreReadWithTheirInlinedFunctions) {
  std::vector<Inline_Chain> chains = Parse_Places(
      "0x0000000000001208\nf(int*)\n/tmp/a.cpp:5\n"
      "0x000000000000125d\nmain\n/tmp/a.cpp:8 (discriminator 1)\n"
      "0x0000000000001000\n_init\n??:?\n"
      "0x0000000140001500\nstore\nC:/\xD1\xA7\xC9\xFA/b.cpp:8\nmain\nC:/\xD1\xA7\xC9\xFA/"
      "b.cpp:14\r\n"
      "0x0000000000001100\nmain\n/tmp/c.cpp:8\nmain\n/tmp/c.cpp:14\n");
  ASSERT_EQ(chains.size(), 5u);
  EXPECT_EQ(chains[0][0].function, "f(int*)");
  EXPECT_EQ(chains[0][0].file, "/tmp/a.cpp");
  EXPECT_EQ(chains[0][0].line, 5);
  EXPECT_EQ(chains[1][0].line, 8);
  EXPECT_EQ(chains[2][0].file, "");
  EXPECT_EQ(chains[2][0].line, 0);
  // A Windows path keeps its drive's colon, and GBK bytes become UTF-8.
  ASSERT_EQ(chains[3].size(), 2u);
  EXPECT_EQ(chains[3][0].file, "C:/学生/b.cpp");
  EXPECT_EQ(chains[3][1].line, 14);
  // An inlined static function is named as the one it went into: no name of its own.
  EXPECT_EQ(chains[4][0].function, "");
  EXPECT_EQ(chains[4][1].function, "main");
}

TEST(Crash, TheUsersOwnLineIsFoundOutsideTheLibrariesAndMainEndsTheChain) {
  // strlen of a null pointer, called from a function of the user's.
  EXPECT_EQ(Lines_For({Library("__strlen_avx2"), User("length(char const*)", 6), User("main", 10),
                       Library("__libc_start_call_main")}),
            "出错位置：a.cpp 第 6 行，函数 length（由 main 第 10 行调用）\n"
            "出错时正在执行这一行调用的库函数：原因通常是传给它的参数不对"
            "（例如空指针、越界的下标或范围）。\n");
  // vector::at throws: the library's frames and the header's are passed by.
  EXPECT_EQ(Lines_For({Library("__pthread_kill_implementation"), Library("raise"), Library("abort"),
                       Library("std::terminate()"), Library("__cxa_throw"),
                       Library("std::vector<int, std::allocator<int> >::at(unsigned long)",
                               "/usr/include/c++/12/bits/stl_vector.h"),
                       User("main", 8)}),
            "出错位置：a.cpp 第 8 行，函数 main\n"
            "这一行调用的 std::vector::at 抛出了异常，程序没有捕获它。\n");
  EXPECT_EQ(Lines_For({Library("raise"), Library("abort"), Library("__assert_fail"),
                       User("check(int)", 7), User("main", 11)}),
            "出错位置：a.cpp 第 7 行，函数 check（由 main 第 11 行调用）\n"
            "这一行的断言（assert）不成立。\n");
  EXPECT_EQ(Lines_For({Library("__GI_raise"), Library("__GI_abort"), User("main", 7)}),
            "出错位置：a.cpp 第 7 行，函数 main\n这一行调用了 abort。\n");
  // A long chain shows its first callers and main; another file is named.
  EXPECT_EQ(Lines_For({User("e", 1), User("d", 2), User("c", 3), User("b", 4, "b.h"), User("a", 5),
                       User("main", 6), Library("__libc_start_main")}),
            "出错位置：a.cpp 第 1 行，函数 e（由 d 第 2 行调用；d 由 c 第 3 行调用；……；"
            "a 由 main 第 6 行调用）\n");
  EXPECT_EQ(Lines_For({User("f", 3), User("g", 4, "b.h"), User("main", 6)}),
            "出错位置：a.cpp 第 3 行，函数 f（由 g（b.h 第 4 行）调用；g 由 main 第 6 行调用）\n");
}

TEST(Crash, EachSentenceSaysWhatReallyEndedTheProgram) {
  // std::terminate without a throw: no exception is claimed.
  std::string thread =
      Lines_For({Library("raise"), Library("abort"), Library("std::terminate()"),
                 Library("std::thread::~thread()", "/usr/include/std_thread.h"), User("main", 9)});
  EXPECT_EQ(thread.find("异常，"), std::string::npos) << thread;
  EXPECT_NE(thread.find("join"), std::string::npos) << thread;
  EXPECT_NE(
      Lines_For({Library("abort"), Library("__cxa_pure_virtual"), User("show", 4), User("main", 9)})
          .find("纯虚函数"),
      std::string::npos);
  // The program sent the signal itself: no fault of an argument is claimed.
  EXPECT_EQ(
      Lines_For({Library("__pthread_kill_implementation"), Library("raise"), User("main", 6)}),
      "出错位置：a.cpp 第 6 行，函数 main\n"
      "这一行调用了 raise：是程序自己发出了这个信号，并不是出了上面说的那种错。\n");
  // The C library found its heap damaged (a second delete).
  EXPECT_NE(Lines_For({Library("raise"), Library("abort"), Library("malloc_printerr"),
                       Library("__libc_free"), User("main", 7)})
                .find("释放了两次"),
            std::string::npos);
  // A global's constructor: the compiler's own functions are no callers.
  EXPECT_EQ(
      Lines_For({User("Table::Table()", 5), User("__static_initialization_and_destruction_0()", 8),
                 User("_GLOBAL__sub_I_table", 12), Library("call_init")}),
      "出错位置：a.cpp 第 5 行，函数 Table::Table\n");
}

TEST(Crash, WhatTheInstructionAndTheDebugInformationShowIsSaidOnItsLine) {
  Crash_Location l = Locate_Crash({User("main", 9)}, HOME + "/a.exe", false, false);
  l.cause = CAUSE_SMASHED;
  EXPECT_EQ(Location_Lines(l),
            "出错位置：a.cpp 第 9 行，函数 main\n"
            "函数 main 返回时发现它在栈上的数据被改坏了：常见原因是这个函数里的局部数组越界写入"
            "（例如读入的字符串比字符数组长）。\n");
  l.cause = CAUSE_TRAP;
  EXPECT_NE(Location_Lines(l).find("陷阱指令"), std::string::npos);
  l = Locate_Crash({User("main", 6)}, HOME + "/a.exe", false, true);
  l.array = "dp";
  l.array_bytes = 64 << 20;
  EXPECT_EQ(Location_Lines(l),
            "出错位置：a.cpp 第 6 行，函数 main\n"
            "栈空间用完了：这一行声明的局部数组 dp（64 MB）太大，可以把它改成全局数组。\n");
  // An inlined caller without a name of its own is named by its line alone.
  EXPECT_EQ(Lines_For({User("f", 3), User("", 8), User("main", 12)}),
            "出错位置：a.cpp 第 3 行，函数 f（由第 8 行调用；由 main 第 12 行调用）\n");
}

TEST(Crash, FileNamesAreShownAsText) {
  EXPECT_EQ(File_Name_Text("/home/学生/a.cpp"), "/home/学生/a.cpp");
  EXPECT_EQ(File_Name_Text("C:/\xD1\xA7\xC9\xFA/b.cpp"), "C:/学生/b.cpp");  // GBK
  // Neither UTF-8 nor GBK, or a control character: its code, never the raw byte.
  EXPECT_EQ(File_Name_Text("a\xFF\xFF.cpp"), "a\\xFF\\xFF.cpp");
  EXPECT_EQ(File_Name_Text("a\nb.cpp"), "a\\x0Ab.cpp");
}

TEST(Crash, ARecursionThatRanOutOfStackIsFoldedAndCounted) {
  std::vector<Frame_Places> frames = {User("dfs(int)", 5)};
  for (int i = 0; i < 1000; i++) frames.push_back(User("dfs(int)", 7));
  frames.push_back(User("main", 11));
  EXPECT_EQ(Lines_For(frames, true),
            "出错位置：a.cpp 第 5 行，函数 dfs（由 dfs 第 7 行调用，共 1000 层；"
            "最外层的 dfs 由 main 第 11 行调用）\n"
            "递归太深：函数 dfs 递归了 1001 层，用完了栈空间。"
            "请检查递归的终止条件；确实需要这么深时，可以改用循环。\n");
  // Two functions calling each other by turns fold as one.
  frames = {User("f", 3)};
  for (int i = 0; i < 50; i++) {
    frames.push_back(User("g", 8));
    frames.push_back(User("f", 4));
  }
  frames.push_back(User("main", 12));
  Crash_Location l = Locate_Crash(frames, HOME + "/a.exe", false, true);
  EXPECT_EQ(Location_Lines(l).substr(0, Location_Lines(l).find('\n')),
            "出错位置：a.cpp 第 3 行，函数 f（由 g 第 8 行调用；g 由 f 第 4 行调用，"
            "这 2 层共重复 50 次；最外层的 f 由 main 第 12 行调用）");
  // A recursion the optimiser twisted folds into no run: its function still
  // fills the stack, and is named as the recursion.
  frames = {User("dfs", 5)};
  for (int i = 0; i < 200; i++) {
    frames.push_back(User("dfs", 7 + i % 3));
    for (int k = 0; k < 3; k++) frames.push_back(User("", 8));  // inlined, unnamed: a run
  }
  frames.push_back(User("main", 12));
  std::string twisted = Lines_For(frames, true);
  EXPECT_NE(twisted.find("递归太深：函数 dfs 递归了 201 层"), std::string::npos) << twisted;
  // Out of stack without recursion: a local array too large.
  EXPECT_NE(Lines_For({User("main", 4)}, true).find("局部数组太大"), std::string::npos);
}

TEST(Crash, WithoutLineInformationNoLineIsGuessed) {
  EXPECT_EQ(Lines_For({{true, {{"main", "", 0}}}, Library("__libc_start_call_main")}),
            "无法确定出错位置：程序里没有行号信息：编译时要加上 -g 选项（并且不加 -s）。\n");
  // Only the library's code on the stack (a header's line is no line of the user's).
  EXPECT_EQ(Lines_For({Library("std::vector::at", "/usr/include/c++/12/bits/stl_vector.h")}),
            "无法确定出错位置：没能在调用栈里找到你的源文件中的代码。\n");
  // A program copied away from its source: main's folder is still the user's.
  EXPECT_EQ(
      Location_Lines(Locate_Crash({User("f", 3), User("main", 9)}, "/tmp/x/a.exe", false, false)),
      "出错位置：a.cpp 第 3 行，函数 f（由 main 第 9 行调用）\n");
  Crash_Stack none;
  EXPECT_EQ(Crash_Lines(none), "");  // no crash, nothing to say
  none.crashed = true;
  none.missing = "系统不允许启动器跟踪程序（没有权限）";
  EXPECT_EQ(Crash_Lines(none), "无法确定出错位置：系统不允许启动器跟踪程序（没有权限）。\n");
}

}  // namespace
