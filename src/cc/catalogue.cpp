// Each entry: {what the compiler says}, the note it needs, the names and the
// line text it needs, where the fault lies, whether it is about the whole
// program, whether it is told once per name, what it means, what to do.
// The first entry that fits a message explains it, so the narrower come first.
#include "cc/catalogue.h"

// The ways GCC says a name is unknown, in English and in Chinese.
#define NOT_DECLARED "{} was not declared in this scope", "{}在此作用域中尚未声明"

// clang-format off
// A name that is unknown because its header is not included.
#define IN_HEADER(names, header)                                            \
  {{NOT_DECLARED}, "", names, "", AT_MESSAGE, false, true,                  \
   "“{1}”没有声明：它在头文件 " header " 里。",                             \
   "在文件开头加上 #include " header "（或者用 #include <bits/stdc++.h> "    \
   "一次包含所有常用的头文件）。"}

const Situation SITUATIONS[] = {
    // The program from the last run still holds its .exe open (Windows).
    {{"*cannot open output file * Permission denied", "*无法打开输出文件 *Permission denied",
      "*无法打开输出文件 *权限不够", "*cannot open output file *权限不够"},
     "", "", "", NO_PLACE, true, false,
     "无法写入 {exe}：上次运行的 {exe} 可能还没有关闭，正在运行的程序不能被覆盖。",
     "关闭 {exe} 的窗口（或者在任务管理器里结束它），然后重新编译。"},
    {{"*cannot open output file", "*无法打开输出文件"},
     "", "", "", NO_PLACE, true, false,
     "无法写入 {exe}：它所在的文件夹可能不存在或不允许写入，或者那里有一个同名的文件夹。",
     "确认 {exe} 所在的文件夹存在、可以写入；也可以把源文件放到自己的文件夹（例如文档）里再编译。"},

    // Compile options the compiler does not know.
    {{"unrecognized command-line option {}", "*unrecognized option {}", "argument to {} should be",
      "missing argument to {}", "无法识别的命令行选项{}", "*无法识别的选项{}"},
     "", "", "", NO_PLACE, true, false,
     "编译选项“{1}”编译器不认识，或者写法不对。",
     "在主菜单选“3. 设置”，再选“4. 修改编译选项”，把它改正或者删掉。"},

    // No main: misspelt, or missing.
    {{"*undefined reference to {}", "*对{}未定义的引用"},
     "", "main WinMain wWinMain", "", MAIN_MISSPELT, true, false,
     "找不到 main 函数：这里的“{found}”是不是想写“main”？",
     "把函数名改成全部小写的 main，写成 int main()。"},
    {{"*undefined reference to {}", "*对{}未定义的引用"},
     "", "main WinMain wWinMain", "", NO_PLACE, true, false,
     "找不到 main 函数：每个 C++ 程序都要有一个 int main()，程序从它开始运行。",
     "检查是否写了 main 函数，名字是否拼对（全部小写，不是 mian、Main）。"},
    // A function of the user's that is declared and called but never defined.
    {{"*undefined reference to {}", "*对{}未定义的引用"},
     "", "", "", AT_MESSAGE, true, true,
     "用到了函数“{1}”，却找不到它的函数体（定义）。",
     "检查这个函数是否写了函数体 { … }，以及定义时的名字、参数类型是否和声明、调用完全一致。"},

    // A header name misspelt.
    {{"{*}: No such file or directory", "{*}：没有那个文件或目录", "{*}: 没有那个文件或目录"},
     "", "", "", AT_MESSAGE, false, false,
     "找不到头文件 <{1}>，名字可能拼错了。",
     "是不是想写 #include <{header}>？"},
    {{"{*}: No such file or directory", "{*}：没有那个文件或目录", "{*}: 没有那个文件或目录"},
     "", "", "", AT_MESSAGE, false, false,
     "找不到头文件“{1}”：名字可能拼错了，也可能这个编译器没有它。",
     "检查 #include 后面的名字。常用的有 <iostream>、<cstdio>、<cstring>、<cmath>、<algorithm>、"
     "<string>、<vector>，或者一次包含全部的 <bits/stdc++.h>。"},

    // A name used without its header, when GCC itself knows the header.
    {{NOT_DECLARED},
     "*{} is defined in header {}", "", "", AT_MESSAGE, false, true,
     "“{1}”没有声明：它在头文件 {3} 里，这个文件还没有包含它。",
     "在文件开头加上 #include {3}（或者用 #include <bits/stdc++.h> 一次包含所有常用的头文件）。"},
    // The standard library's names without std::.
    {{NOT_DECLARED, "{} does not name a type", "{}不是一个类型名"},
     "",
     "cin cout cerr endl string vector map set multiset queue priority_queue stack deque list "
     "pair make_pair getline stringstream istringstream ostringstream unordered_map unordered_set "
     "bitset",
     "", AT_MESSAGE, false, true,
     "“{1}”没有声明：它是标准库里的名字，属于 std 命名空间。",
     "在 #include 那几行的下面加一行 using namespace std;，或者写成 std::{1}。"},
    {{NOT_DECLARED},
     "",
     "sort stable_sort max min swap reverse unique lower_bound upper_bound binary_search "
     "next_permutation prev_permutation fill max_element min_element",
     "", AT_MESSAGE, false, true,
     "“{1}”没有声明：它在头文件 <algorithm> 里，属于 std 命名空间。",
     "在文件开头加上 #include <algorithm>，并在 #include 下面写 using namespace std;"
     "（或者写成 std::{1}）。"},
    // Functions whose header is missing.
    IN_HEADER("sqrt pow fabs sin cos tan atan atan2 floor ceil round log log2 log10 exp hypot",
              "<cmath>"),
    IN_HEADER("strlen strcpy strncpy strcmp strncmp strcat strchr strstr memset memcpy memcmp",
              "<cstring>"),
    IN_HEADER("printf scanf puts gets getchar putchar fgets freopen fopen fclose sprintf sscanf "
              "fprintf",
              "<cstdio>"),
    IN_HEADER("rand srand exit atoi atol abs malloc free qsort system", "<cstdlib>"),
    IN_HEADER("setw setprecision setfill", "<iomanip>"),
    IN_HEADER("INT_MAX INT_MIN LLONG_MAX LLONG_MIN LONG_MAX LONG_MIN", "<climits>"),
    IN_HEADER("isdigit isalpha isalnum isupper islower isspace tolower toupper", "<cctype>"),
    // A name misspelt, used outside its braces, or never declared.
    {{"{} was not declared in this scope; did you mean {}?"},
     "", "", "", AT_MESSAGE, false, true,
     "“{1}”没有声明，是不是想写“{2}”？",
     "改成 {2}。C++ 区分大小写，每个字母都要一样。"},
    {{NOT_DECLARED},
     "", "", "", AT_MESSAGE, false, true,
     "“{1}”没有声明，是不是想写“{keyword}”？",
     "改成 {keyword}。C++ 的关键字全部是小写英文字母，每个字母都要拼对。"},
    {{NOT_DECLARED},
     "", "", "", AT_MESSAGE, false, true,
     "“{1}”在这里没有声明。它在第 {seen} 行出现过：如果是在那里声明的，那是在另一对 { } 里面，"
     "出了那对花括号就不能再用了。",
     "把“{1}”的声明移到外层，放在用到它的地方之前、同一层或更外层的 { } 里；也检查一下拼写。"},
    {{NOT_DECLARED},
     "", "", "", AT_MESSAGE, false, true,
     "“{1}”没有声明过：变量和函数都要先声明，才能使用。",
     "检查拼写（C++ 区分大小写）；如果是变量，在使用之前先声明它，例如 int {1} = 0;"},
    {{"{} does not name a type", "{}不是一个类型名"},
     "", "", "", AT_MESSAGE, false, true,
     "“{1}”不是类型名。函数外面只能写声明（例如 int a;），语句要写在 main 这样的函数里面；"
     "也可能是类型名拼错了。",
     "检查这一行是否写在了函数外面（例如 main 的“}”提前结束了），以及“{1}”的拼写。"},

    // Brackets that do not pair up.
    {{"expected {} before", "expected {} at end of input"},
     "*to match this {}", ") ] }", "", AT_NOTE, false, false,
     "少了一个“{1}”：第 {note} 行的“{2}”没有配对的“{1}”。",
     "检查括号是否一一配对，在该结束的地方补上“{1}”。"},
    {{"expected {} before"},
     "", ") ] }", "", AT_MESSAGE, false, false,
     "这一行少了一个“{1}”：左括号比右括号多。",
     "检查括号是否一一配对，在该结束的地方补上“{1}”。"},
    {{"expected declaration before '}' token"},
     "", "", "", AT_MESSAGE, false, false,
     "多了一个“}”：它前面没有和它配对的“{”，函数在它之前就已经结束了。",
     "删掉多余的“}”，或者检查前面是否少写了一个“{”。"},
    {{"expected '}' at end of input"},
     "", "", "", AT_MESSAGE, false, false,
     "少了一个“}”：到了文件结尾，还有“{”没有配对。",
     "检查每个“{”都有对应的“}”，通常是某个函数、循环或 if 的“}”漏写了。"},
    {{"expected '(' before"},
     "", "", "", AT_MESSAGE, false, false,
     "这里少了左括号“(”：if、while、for、switch 后面的条件要用括号括起来。",
     "写成 if (a > b) 这样的形式。"},
    // for (int i = 0, i < n, i++)
    {{"expected ';' before", "expected primary-expression before"},
     "", "", "", FOR_COMMAS, false, false,
     "for 后面括号里的三个部分要用分号“;”隔开，不是逗号。",
     "写成 for (int i = 0; i < n; i++) 这样的形式。"},
    // A missing semicolon, which the compiler notices at the next line.
    {{"expected ';' before", "expected ',' or ';' before", "expected initializer before",
      "expected ';' after", "expected ';' at end"},
     "", "", "", LINE_BEFORE, false, false,
     "这一行的末尾少了分号“;”。",
     "在这一行的末尾补上英文分号“;”。C++ 的每条语句、每个结构体定义的“}”后面都要有分号。"},
    // A string or character not closed.
    {{"missing terminating {*} character", "缺少结尾的 {*} 字符"},
     "", "", "", AT_MESSAGE, false, false,
     "这一行的字符串或字符没有结束：少了结尾的 {1}。",
     "在末尾补上 {1}：字符串用双引号 \"…\"，单个字符用单引号 '…'；字符串里要写双引号时写成 \\\"。"},

    // else without if: a semicolon after if (…), or several statements without braces.
    {{"'else' without a previous 'if'", "'else'之前没有'if'"},
     "", "", "", IF_SEMICOLON, false, false,
     "if (…) 的后面多了一个分号：分号让 if 到此结束，后面的 else 就找不到配对的 if 了。",
     "删掉这一行 if (…) 后面的分号“;”。"},
    {{"'else' without a previous 'if'", "'else'之前没有'if'"},
     "", "", "", AT_MESSAGE, false, false,
     "这个 else 前面找不到配对的 if。",
     "if 后面有两条以上的语句时要用 { } 括起来，else 要紧跟在 if 的语句或“}”后面；"
     "也检查 if (…) 后面是否多了分号。"},
    // if (a = b)
    {{"suggest parentheses around assignment used as truth value",
      "建议在用作真值的赋值语句前后加上括号"},
     "", "", "", AT_MESSAGE, false, false,
     "条件里写的是赋值“=”：它把右边的值赋给左边，而不是比较两边是否相等。",
     "判断是否相等要写两个等号“==”，例如 if (a == b)。"},
    // scanf without &, and other formats that do not fit their arguments.
    {{"*expects argument of type {}, but argument * has type {}"},
     "", "", "scanf", AT_MESSAGE, false, false,
     "scanf 读入的变量前面少了“&”：这里要的是 {1}（变量的地址），给的却是 {2}。",
     "在变量名前面加上 &，例如 scanf(\"%d\", &a);（读入字符数组 char s[] 时不用加）。"},
    {{"*expects argument of type {}, but argument * has type {}"},
     "", "", "", AT_MESSAGE, false, false,
     "格式符和后面的变量类型对不上：格式要的是 {1}，给的却是 {2}。",
     "int 用 %d，long long 用 %lld，double 用 %lf（printf 里也可以用 %f），char 用 %c，字符数组用 "
     "%s。"},

    // A variable declared twice.
    {{"redeclaration of {}", "{}重声明", "conflicting declaration {}"},
     "*", "", "", AT_MESSAGE, false, false,
     "“{1}”重复声明了：同一对 { } 里，第 {note} 行已经声明过同名的变量。",
     "第二次不要再写类型名（直接写 a = 2; 这样赋值），或者给新变量换一个名字。"},
    {{"redefinition of {}", "{} 重定义", "{}重定义"},
     "*", "", "", AT_MESSAGE, false, false,
     "“{1}”定义了两次：第 {note} 行已经定义过它。",
     "删掉多余的那一个；如果是两个不同的函数或变量，给其中一个换个名字。"},
    // A variable named like the function it then calls (max, count).
    {{"{} cannot be used as a function", "{}不能用作函数"},
     "", "", "", AT_MESSAGE, false, true,
     "“{1}”不能当函数调用：第 {seen} 行有一个叫“{1}”的变量，它挡住了同名的函数"
     "（例如标准库的 max、min、count）。",
     "给这个变量换一个名字（例如 mx、cnt），不要和要调用的函数同名。"},
    {{"{} cannot be used as a function", "{}不能用作函数"},
     "", "", "", AT_MESSAGE, false, true,
     "“{1}”不是函数，不能在它后面加括号调用。",
     "检查是不是把变量当成了函数，或者变量和函数起了同一个名字。"},
    // Calls with the wrong number or kinds of arguments.
    {{"too few arguments to function {}", "too many arguments to function {}",
      "提供给函数{}的实参太少", "提供给函数{}的实参太多"},
     "*", "", "", AT_MESSAGE, false, false,
     "调用函数时给的参数个数不对：“{1}”定义在第 {note} 行。",
     "按照函数定义里参数的个数和顺序传参数。"},
    {{"too few arguments to function {}", "too many arguments to function {}",
      "提供给函数{}的实参太少", "提供给函数{}的实参太多"},
     "", "", "", AT_MESSAGE, false, false,
     "调用函数“{1}”时给的参数个数不对。",
     "按照函数定义里参数的个数和顺序传参数。"},
    {{"no matching function for call to {}", "对{}的调用没有匹配的函数"},
     "", "", "", AT_MESSAGE, false, false,
     "找不到能这样调用的函数“{1}”：参数的个数或类型和函数的定义对不上。",
     "检查参数的个数和类型；用 max、min 时两个参数的类型要相同（例如都是 int，或者都是 long "
     "long）。"},

    // return and the function's type.
    {{"return-statement with a value, in function returning 'void'"},
     "", "", "", AT_MESSAGE, false, false,
     "void 函数不能返回值，return 后面不能带值。",
     "去掉 return 后面的值；如果这个函数要给出结果，把 void 改成结果的类型（例如 int）。"},
    {{"return-statement with no value, in function returning {}",
      "在返回{}的函数中，返回语句不带返回值"},
     "", "", "", AT_MESSAGE, false, false,
     "这个函数的类型是 {1}，return 后面要带一个值。",
     "写成 return 值;（main 里通常写 return 0;）；如果函数不需要返回值，把类型改成 void。"},
    {{"control reaches end of non-void function", "在有返回值的函数中，控制流程到达函数尾",
      "no return statement in function returning non-void", "*[-Wreturn-type]"},
     "", "", "", AT_MESSAGE, false, false,
     "函数执行到了结尾，却没有 return 一个值（它不是 void 函数）。",
     "在函数的结尾（以及每个分支里）写上 return 值;。没有 return 时结果是随机的，程序还可能崩溃。"},
    {{"'::main' must return 'int'", "'::main'必须返回'int'"},
     "", "", "", AT_MESSAGE, false, false,
     "main 函数的类型必须是 int。",
     "把 void main() 改成 int main()，结尾写 return 0;。"},

    // A case label that jumps over a declaration.
    {{"jump to case label", "跳转至 case 标号"},
     "*crosses initialization of {}", "", "", AT_MESSAGE, false, false,
     "跳到这个 case 时，会越过第 {note} 行“{1}”的初始化。",
     "把前面那个 case 里的语句用 { } 括起来，例如 case 1: { int x = 5; … break; }"},
    {{"jump to case label", "跳转至 case 标号"},
     "", "", "", AT_MESSAGE, false, false,
     "跳到这个 case 时，会越过前面 case 里变量的初始化。",
     "把前面那个 case 里的语句用 { } 括起来，例如 case 1: { int x = 5; … break; }"},

    // cin >> or cout << with a type they cannot read or print.
    {{"no match for 'operator>>' (operand types are {}*and {}"},
     "", "", "", AT_MESSAGE, false, false,
     "cin >> 不能直接读入“{2}”类型的变量。",
     "cin 只能直接读入数字、字符和字符串；数组、vector、结构体要用循环一个元素一个元素"
     "（或一个成员一个成员）地读入。"},
    {{"no match for 'operator<<' (operand types are {}*and {}"},
     "", "", "", AT_MESSAGE, false, false,
     "cout << 不能直接输出“{2}”类型的值。",
     "cout 只能直接输出数字、字符和字符串；数组、vector、结构体要用循环一个元素一个元素"
     "（或一个成员一个成员）地输出。"},
    // s == 'a', and other operators between types that do not go together.
    {{"no match for {} (operand types are {}*and {}"},
     "", "", "", AT_MESSAGE, false, false,
     "这里的运算（{1}）两边的类型对不上：一边是“{2}”，一边是“{3}”。",
     "检查两边的类型：字符串用双引号 \"a\"，单个字符用单引号 'a'；数字和字符串之间要先用 stoi、"
     "to_string 转换。"},
    // a + b = c
    {{"lvalue required as left operand of assignment", "赋值运算的左操作数必须是左值"},
     "", "", "", AT_MESSAGE, false, false,
     "赋值号“=”的左边必须是一个变量，这里却是一个算式或常数。",
     "把要赋值的变量写在“=”的左边，例如 c = a + b;；如果是想判断是否相等，要写“==”。"},
    // s[i] == "a"
    {{"ISO C++ forbids comparison between pointer and integer", "ISO C++ 不允许比较指针和整数的值",
      "comparison between pointer and integer", "比较指针和整数"},
     "", "", "", AT_MESSAGE, false, false,
     "在拿一个字符和一个字符串比较：双引号 \"a\" 是字符串，单个字符要用单引号 'a'。",
     "例如把 s[i] == \"a\" 改成 s[i] == 'a'。"},
    {{"break statement not within loop or switch", "break 语句不在循环或开关语句内"},
     "", "", "", AT_MESSAGE, false, false,
     "break 只能用在循环或 switch 里面。",
     "检查 break 是否写在了循环外面，或者循环的“}”提前结束了。"},
    // Newer C++ compiled as old C++98, as older MinGW does by default.
    {{"in C++98 * must be initialized", "*only available with", "*[-Wc++11-extensions]",
      "*[-Wc++14-extensions]", "*[-Wc++17-extensions]", "*[-Wc++20-extensions]"},
     "", "", "", AT_MESSAGE, false, true,
     "这是较新的 C++ 标准的写法，编译器现在却按旧的标准编译。",
     "在主菜单选“3. 设置”，再选“4. 修改编译选项”，加上 -std=c++14（或 -std=c++17）。"},
    // Characters that are no part of C++: Chinese text, odd spaces.
    {{"stray {} in program", "程序中有游离的{}", "程序中有游离的 {}"},
     "", "", "", AT_MESSAGE, false, false,
     "这一行有一个不属于 C++ "
     "的字符“{1}”（常见的是中文字符、全角符号，或者从网页复制来的特殊空格）。",
     "删掉它，切换到英文输入法重新输入这一处。"},
    {{"cannot convert {}*to {}", "invalid conversion from {}*to {}"},
     "", "", "", AT_MESSAGE, false, false,
     "类型对不上：“{1}”不能当作“{2}”来用。",
     "检查赋值或传参时两边的类型；字符串和数字之间要用 stoi、to_string 这样的函数转换。"},

    // Warnings worth a word.
    {{"*[-Wsign-compare]"},
     "", "", "", AT_MESSAGE, false, false,
     "有符号数和无符号数在比较（常见于 i < v.size() 或 i < s.length()）。",
     "一般不影响结果；想消除这个警告，可以写成 i < (int)v.size()。"},
    {{"{} is used uninitialized", "{} may be used uninitialized"},
     "", "", "", AT_MESSAGE, false, true,
     "变量“{1}”还没有赋值就被使用了，它的值是随机的。",
     "声明时给它一个初值，例如 int {1} = 0;，或者先读入再使用。"},
    {{"unused variable {}", "未使用的变量{}"},
     "", "", "", AT_MESSAGE, false, true,
     "变量“{1}”声明了却没有用到。",
     "不需要就删掉它；如果本该用到它，检查是不是在别处写成了另一个名字。"},
};

// clang-format on

const size_t SITUATION_COUNT = sizeof SITUATIONS / sizeof SITUATIONS[0];

const char* const HEADERS[] = {
    "iostream", "cstdio",  "cstring",       "cmath",   "algorithm",     "string",        "vector",
    "map",      "set",     "queue",         "stack",   "deque",         "list",          "bitset",
    "iomanip",  "cstdlib", "climits",       "utility", "numeric",       "sstream",       "fstream",
    "ctime",    "cctype",  "unordered_map", "cassert", "unordered_set", "bits/stdc++.h",
};

const size_t HEADER_COUNT = sizeof HEADERS / sizeof HEADERS[0];

const char* const KEYWORDS[] = {
    "return",  "int",    "long",   "double",   "float",     "char",     "bool",   "void",
    "while",   "for",    "if",     "else",     "break",     "continue", "switch", "case",
    "default", "struct", "const",  "unsigned", "signed",    "short",    "sizeof", "true",
    "false",   "auto",   "static", "using",    "namespace", "include",  "define", "typedef",
};

const size_t KEYWORD_COUNT = sizeof KEYWORDS / sizeof KEYWORDS[0];
