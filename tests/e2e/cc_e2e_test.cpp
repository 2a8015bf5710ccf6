// tarnwickstone-cc with the real g++: a beginner's faulty programs, each
// explained on the right line in English, with no locale, and under GCC's
// Chinese catalogue; the compiler's bytes and status passed on untouched; the
// real compiler found, and never the companion itself.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <regex>

#include "e2e/piped_run.h"
#include "e2e/pty_session.h"
#include "pages.h"
#include "test_text.h"

namespace fs = std::filesystem;

namespace {

const std::string COMPANION = TWS_COMPANION;

struct Faulty {
  const char* name;
  const char* source;
  const char* hint;               // how the first hint begins, after "1. "
  const char* options = "-Wall";  // the compile options set on the settings page
};

// clang-format off
const Faulty FAULTY[] = {
    {"fullwidth", "#include <iostream>\nusing namespace std;\nint main() {\n    int a，b；\n"
     "    cin >> a >> b;\n    return 0;\n}\n",
     "fullwidth.cpp 里有中文标点（全角符号），C++ 只认英文标点。请切换到英文输入法，把它们改成英文的：\n"
     "   第 4 行第 10 列的 ， 要改成 ,\n   第 4 行第 12 列的 ； 要改成 ;\n"},
    {"semicolon", "#include <iostream>\nint main() {\n    int a = 1\n    std::cout << a;\n}\n",
     "semicolon.cpp 第 3 行：这一行的末尾少了分号"},
    {"nostd", "#include <iostream>\nint main() {\n    cout << 1;\n}\n",
     "nostd.cpp 第 3 行：“cout”没有声明：它是标准库里的名字"},
    {"sqrt", "#include <iostream>\nint main() {\n    return sqrt(4.0) > 1;\n}\n",
     "sqrt.cpp 第 3 行：“sqrt”没有声明：它在头文件 <cmath> 里"},
    {"strlen", "#include <iostream>\nint main() {\n    return strlen(\"ab\");\n}\n",
     "strlen.cpp 第 3 行：“strlen”没有声明：它在头文件 <cstring> 里"},
    {"misspelt", "int main() {\n    int count = 0;\n    return cuont;\n}\n",
     "misspelt.cpp 第 3 行：“cuont”没有声明，是不是想写“count”？"},
    {"scope", "int main() {\n    for (int i = 0; i < 3; i++) {\n    }\n    return i;\n}\n",
     "scope.cpp 第 4 行：“i”在这里没有声明。它在第 2 行出现过"},
    {"mian", "#include <cstdio>\nint mian() {\n    return 0;\n}\n",
     "mian.cpp 第 2 行：找不到 main 函数：这里的“mian”是不是想写“main”？"},
    {"brace", "int main() {\n    for (int i = 0; i < 3; i++) {\n        i++;\n    return 0;\n}\n",
     "brace.cpp 第 1 行：少了一个“}”：第 1 行的“{”没有配对的“}”。"},
    {"paren", "int main() {\n    int a = 1;\n    if ((a + 1) * 2 > 3 {\n        a = 2;\n    }\n}\n",
     "paren.cpp 第 3 行：这一行少了一个“)”：左括号比右括号多。"},
    {"string", "#include <iostream>\nint main() {\n    std::cout << \"hello;\n    return 0;\n}\n",
     "string.cpp 第 3 行：这一行的字符串或字符没有结束：少了结尾的 \"。"},
    {"else", "int main() {\n    int a = 1;\n    if (a > 0);\n        a = 2;\n    else\n        a = 3;\n}\n",
     "else.cpp 第 3 行：if (…) 的后面多了一个分号"},
    {"assign", "int main() {\n    int a = 1, b = 2;\n    if (a = b)\n        return 1;\n}\n",
     "assign.cpp 第 3 行：条件里写的是赋值“=”"},
    {"scanf", "#include <cstdio>\nint main() {\n    int a = 0;\n    scanf(\"%d\", a);\n}\n",
     "scanf.cpp 第 4 行：scanf 读入的变量前面少了“&”"},
    {"header", "#include <iostrem>\nint main() {}\n",
     "header.cpp 第 1 行：找不到头文件 <iostrem>，名字可能拼错了。\n   是不是想写 #include <iostream>？"},
    {"redeclared", "int main() {\n    int a = 1;\n    int a = 2;\n    return a;\n}\n",
     "redeclared.cpp 第 3 行：“int a”重复声明了：同一对 { } 里，第 2 行已经声明过同名的变量。"},
    {"max", "#include <algorithm>\nusing namespace std;\nint main() {\n    int max = 0;\n"
     "    return max(3, 4);\n}\n",
     "max.cpp 第 5 行：“max”不能当函数调用：第 4 行有一个叫“max”的变量"},
    {"arguments", "int add(int a, int b) { return a + b; }\nint main() {\n    return add(1);\n}\n",
     "arguments.cpp 第 3 行：调用函数时给的参数个数不对：“int add(int, int)”定义在第 1 行。"},
    {"voidreturn", "void f() {\n    return 1;\n}\nint main() {\n    f();\n}\n",
     "voidreturn.cpp 第 2 行：void 函数不能返回值"},
    {"novalue", "int f() {\n    return;\n}\nint main() {\n    return f();\n}\n",
     "novalue.cpp 第 2 行：这个函数的类型是 int，return 后面要带一个值。"},
    {"case", "int main() {\n    int k = 1;\n    switch (k) {\n    case 1:\n        int x = 5;\n"
     "        return x;\n    case 2:\n        break;\n    }\n}\n",
     "case.cpp 第 7 行：跳到这个 case 时，会越过第 5 行“int x”的初始化。"},
    {"cin", "#include <iostream>\n#include <vector>\nint main() {\n    std::vector<int> v;\n"
     "    std::cin >> v;\n}\n",
     "cin.cpp 第 5 行：cin >> 不能直接读入“std::vector<int>”类型的变量。"},
    {"cout", "#include <iostream>\nstruct P { int x; };\nint main() {\n    P p{1};\n"
     "    std::cout << p;\n}\n",
     "cout.cpp 第 5 行：cout << 不能直接输出“P”类型的值。"},
    {"lvalue", "int main() {\n    int a = 1, b = 2, c = 3;\n    a + b = c;\n}\n",
     "lvalue.cpp 第 3 行：赋值号“=”的左边必须是一个变量"},
    {"undefined", "int solve(int n);\nint main() {\n    return solve(3);\n}\n",
     "undefined.cpp 第 3 行：用到了函数“solve(int)”，却找不到它的函数体（定义）。"},
    {"voidmain", "void main() {\n}\n", "voidmain.cpp 第 1 行：main 函数的类型必须是 int。"},
    {"quotes", "#include <string>\nint main() {\n    std::string s = \"ab\";\n"
     "    return s[0] == \"a\";\n}\n",
     "quotes.cpp 第 4 行：在拿一个字符和一个字符串比较"},
    {"noreturn", "int f(int a) {\n    if (a > 0) return 1;\n}\nint main() {\n    return f(1);\n}\n",
     "noreturn.cpp 第 3 行：函数执行到了结尾，却没有 return 一个值"},
    {"extrabrace", "int main() {\n    return 0;\n}\n}\n",
     "extrabrace.cpp 第 4 行：多了一个“}”"},
    {"twomains", "int main() {\n    return 0;\n}\nint main() {\n    return 1;\n}\n",
     "twomains.cpp 第 4 行：“int main()”定义了两次：第 1 行已经定义过它。"},
    {"cxx98", "#include <vector>\nint main() {\n    std::vector<int> v;\n    for (int x : v) {}\n}\n",
     "cxx98.cpp 第 4 行：这是较新的 C++ 标准的写法", "-std=c++98"},
    {"forcommas", "int main() {\n    int s = 0;\n    for (int i = 0, i < 3, i++) s += i;\n}\n",
     "forcommas.cpp 第 3 行：for 后面括号里的三个部分要用分号“;”隔开，不是逗号。"},
    {"retrun", "int main() {\n    retrun 0;\n}\n", "retrun.cpp 第 2 行：“retrun”没有声明，是不是想写“return”？"},
    {"compare", "#include <string>\nint main() {\n    std::string s;\n    return s == 'a';\n}\n",
     "compare.cpp 第 4 行：这里的运算（operator==）两边的类型对不上"},
    {"option", "int main() {}\n", "编译选项“-std=c++30”编译器不认识", "-std=c++30"},
};
// clang-format on

const std::map<std::string, std::string> ENGLISH = {
    {"LANG", "C.UTF-8"}, {"LC_ALL", "C.UTF-8"}, {"LANGUAGE", ""}};
// No locale at all: GCC quotes with plain ' then.
const std::map<std::string, std::string> PLAIN = {{"LANG", ""}, {"LC_ALL", "C"}, {"LANGUAGE", ""}};
const std::map<std::string, std::string> CHINESE = {
    {"LANG", "zh_CN.UTF-8"}, {"LC_ALL", "zh_CN.UTF-8"}, {"LANGUAGE", "zh_CN"}};

// The output with the names of the compiler's temporary files, which differ
// from run to run, made the same.
std::string Without_Temporary_Names(const std::string& text) {
  return std::regex_replace(text, std::regex("/tmp/cc[A-Za-z0-9]+\\.o"), "/tmp/cc.o");
}

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

struct Catalogue_Test : Companion_Test, ::testing::WithParamInterface<Faulty> {};

TEST_P(Catalogue_Test, ExplainsTheFaultOnItsLineInEveryLanguage) {
  const Faulty& f = GetParam();
  std::string source = std::string(f.name) + ".cpp";
  Write_File_Bytes(folder + "/" + source, f.source);
  std::vector<std::string> argv = {COMPANION, f.options, "-g", "-o", std::string(f.name) + ".exe",
                                   source};
  for (const auto& env : {ENGLISH, PLAIN, CHINESE}) {
    std::string language = env == CHINESE ? "Chinese" : env == PLAIN ? "C locale" : "English";
    Piped_Run run = Run_Piped(argv, folder, "", 60000, env);
    std::vector<std::string> direct_argv = argv;
    direct_argv[0] = "/usr/bin/g++";
    Piped_Run direct = Run_Piped(direct_argv, folder, "", 60000, env);
    EXPECT_EQ(run.status, direct.status) << language;
    std::string err = Without_Temporary_Names(run.err);
    direct.err = Without_Temporary_Names(direct.err);
    EXPECT_EQ(err.substr(0, direct.err.size()), direct.err) << language;
    EXPECT_NE(err.find("\n中文提示（tarnwickstone-cc）：\n1. " + std::string(f.hint)),
              std::string::npos)
        << language << ":\n"
        << Escaped(err.substr(direct.err.size()));
    // The linker's words stay English; the compiler's must not, or this proves nothing.
    bool compiler_errors =
        direct.status != 0 && direct.err.find("ld returned") == std::string::npos;
    if (env == CHINESE && compiler_errors) {
      EXPECT_NE(direct.err.find("错误："), std::string::npos) << "no Chinese from g++";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Faulty, Catalogue_Test, ::testing::ValuesIn(FAULTY),
                         [](const auto& info) { return std::string(info.param.name); });

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
  Write_File_Bytes(folder + "/Tarnwickstone.tws", COMPANION + "\n\n" + folder + "\n\n0");
  Write_File_Bytes(folder + "/hello.cpp", FAULTY[0].source);
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
