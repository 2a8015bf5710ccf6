// The situations of code: what is found in the source itself, the program
// as a whole, #include, names, statements, brackets, if and else. Each
// entry: its name, the shapes of message it explains, the note it needs,
// conditions on the names they quote, what must hold in the source (and
// where the fault lies then), what makes two of them one, what it means and
// what to do. The first entry that fits a cause explains it, so the
// narrower come first; catalogue_values.cpp holds the rest, tried after.
#include "cc/catalogue.h"

// The messages a bracket left open on its line may bring.
#define ANY_ERROR                                                                         \
  "expected-semicolon expected-initializer expected-primary expected-token not-declared " \
  "invalid-operands no-match-operator cannot-convert not-a-function no-matching-call "    \
  "too-few-arguments too-many-arguments expected-identifier literal-operator"

// clang-format off
const Situation SITUATIONS_OF_CODE[] = {
    // ---- Found in the source itself: built by the hints, named here for the list ----
    {"fullwidth", "", "", "", NO_PLACE, "",
     "里有中文标点（全角符号），C++ 只认英文标点。请切换到英文输入法，把它们改成英文的：", ""},
    {"invisible", "", "", "", NO_PLACE, "",
     "里有看不见的特殊字符（多半是从网页上复制代码时带进来的），C++ 不认识它们。请删掉它们"
     "（删掉后如果两边的字连在一起了，补上一个普通空格）：", ""},
    {"gbk-source", "", "", "", NO_PLACE, "",
     "不是 UTF-8 编码（从第 {line} 行起有别的编码的文字，多半是 GBK，旧版记事本默认这样保存），"
     "程序里的中文会显示成乱码。",
     "用记事本打开它，选“文件”→“另存为”，把下方的“编码”选成“UTF-8”后保存，再重新编译。"},

    // ---- The program as a whole ----
    {"output-locked", "output-denied", "", "", NO_PLACE, "",
     "无法写入 {exe}：上次运行的 {exe} 可能还没有关闭，正在运行的程序不能被覆盖。",
     "关闭 {exe} 的窗口（或者在任务管理器里结束它），然后重新编译。"},
    {"output-unwritable", "output-failed", "", "", NO_PLACE, "",
     "无法写入 {exe}：它所在的文件夹可能不存在或不允许写入，或者那里有一个同名的文件夹。",
     "确认 {exe} 所在的文件夹存在、可以写入；也可以把源文件放到自己的文件夹（例如文档）里再编译。"},
    {"bad-option", "bad-option option-argument", "", "", NO_PLACE, "",
     "编译选项“{1}”编译器不认识，或者写法不对。",
     "在主菜单选“3. 设置”，再选“4. 修改编译选项”，把它改正或者删掉。"},
    {"main-misspelt", "undefined-reference", "", "1=main|WinMain|wWinMain", MAIN_MISSPELT, "",
     "找不到 main 函数：这里的“{found}”是不是想写“main”？",
     "把函数名改成全部小写的 main，写成 int main()。"},
    {"no-main", "undefined-reference", "", "1=main|WinMain|wWinMain", NO_PLACE, "",
     "找不到 main 函数：每个 C++ 程序都要有一个 int main()，程序从它开始运行。",
     "检查是否写了 main 函数，名字是否拼对（全部小写，不是 mian、Main）。"},
    {"undefined-function", "undefined-reference", "", "", DECLARED_AT, "{1}",
     "用到了函数“{1}”，却找不到它的函数体（定义）。",
     "检查这个函数是否写了函数体 { … }，以及定义时的名字、参数类型是否和声明、调用完全一致。"},
    {"arrays-too-large", "relocation", "", "", NO_PLACE, "",
     "数组开得太大了：全局数组加起来超过了 2 GB，程序放不下。",
     "把数组改小一些（int 数组每个元素占 4 字节，例如 int a[100000000] 就要 400 MB）。"},

    // ---- #include ----
    {"header-misspelt", "header-missing", "", "", NEAREST_HEADER, "",
     "找不到头文件 <{1}>，名字可能拼错了。", "是不是想写 #include <{header}>？"},
    {"header-unknown", "header-missing", "", "", AT_MESSAGE, "",
     "找不到头文件“{1}”：名字可能拼错了，也可能这个编译器没有它。",
     "检查 #include 后面的名字。常用的有 <iostream>、<cstdio>、<cstring>、<cmath>、<algorithm>、"
     "<string>、<vector>，或者一次包含全部的 <bits/stdc++.h>。"},
    {"include-form", "include-form", "", "", AT_MESSAGE, "",
     "#include 后面的头文件名要用尖括号 < > 括起来。", "写成 #include <iostream> 这样的形式。"},
    {"directive-misspelt", "bad-directive", "", "2~include|define", AT_MESSAGE, "",
     "“#{1}”拼错了，是不是想写“#{2}”？", "改成 #{2}。"},
    {"namespace-misspelt", "expected-nested-name", "", "1~nam|spac|sapce", AT_MESSAGE, "",
     "“{1}”拼错了：这一行应该是 using namespace std;。", "改成 using namespace std;（注意拼写）。"},

    // ---- Macros and the other # lines: named where they are written ----
    {"macro-value", ANY_ERROR " expected-unqualified expected-declaration expected-type "
     "no-match-operator", "", "", MACRO_FAULT, "{word}",
     "宏 {word} 的定义里多了“{found}”：#define 是原样替换，用到 {word} 的地方都会带上这个“{found}”。",
     "把这一行改成 #define {word} 值（值的前面不写 =，后面不写 ;）。"},
    {"macro-too-many", "macro-too-many", "macro-defined", "", AT_MESSAGE, "",
     "调用宏 {1} 时给了 {2} 个参数，比第 {note} 行定义它时写的参数多。",
     "按第 {note} 行的定义给参数：参数之间用逗号分开。"},
    {"macro-too-few", "macro-too-few", "macro-defined", "", AT_MESSAGE, "",
     "第 {note} 行定义的宏 {1} 有 {2} 个参数，这里调用它时只给了 {3} 个。",
     "按第 {note} 行的定义给参数：参数之间用逗号分开。"},
    {"endif-missing", "unterminated-if", "", "", AT_MESSAGE, "",
     "这一行的 #if（#ifdef、#ifndef）到文件结尾也没有配对的 #endif。",
     "在它管的代码后面加上一行 #endif（每个 #if、#ifdef、#ifndef 都要有一个）。"},
    {"comment-backslash", "not-declared", "", "", COMMENT_SWALLOWED, "",
     "这一行的 // 注释末尾是“\\”：它把下一行接了上来，下一行“{1}”的声明也成了注释。",
     "删掉注释末尾的“\\”。"},
    {"comment-backslash", "multiline-comment", "", "", AT_MESSAGE, "",
     "这一行的 // 注释末尾是“\\”：它把下一行接了上来，下一行的代码也成了注释。",
     "删掉注释末尾的“\\”。"},

    // ---- Names the compiler does not know ----
    {"elseif", "not-declared", "", "1=elseif|elif|elsif", AT_MESSAGE, "",
     "C++ 里没有“{1}”这个词：“否则如果”要写成 else if，中间有一个空格。", "改成 else if (…)。"},
    {"quote-in-string", "literal-operator not-declared expected-semicolon expected-token "
     "expected-primary", "", "", QUOTE_IN_STRING, "",
     "字符串里有英文双引号“\"”：它提前结束了字符串，后面的文字被当成了代码。",
     "字符串里要写双引号时写成 \\\"，例如 \"He said \\\"hi\\\"\"；或者改用中文引号。"},
    {"loop-semicolon", "not-declared", "", "", LOOP_VARIABLE, "",
     "这一行 for (…) 的后面多了一个分号“;”：循环到这个分号就结束了，后面的语句不在循环里面，"
     "所以那里用不了循环变量“{1}”。",
     "删掉这一行 for (…) 后面的分号。"},
    {"gets", "not-declared", "", "1=gets", AT_MESSAGE, "",
     "gets 在新的 C++ 标准里已经删掉了，不能再用。",
     "读一整行：字符数组用 cin.getline(s, 长度) 或 fgets(s, 长度, stdin)，string 用 getline(cin, s)。"},
    {"header-named", "not-declared not-a-type", "in-header", "", AT_MESSAGE, "{n2}",
     "“{1}”没有声明：它在头文件 {n2} 里，这个文件还没有包含它。",
     "在文件开头加上 #include {n2}（或者用 #include <bits/stdc++.h> 一次包含所有常用的头文件）。"},
    {"std-missing", "not-declared not-a-type", "", "", STD_WITHOUT_USING, "std",
     "“{1}”没有声明：它是标准库里的名字，属于 std 命名空间，这个文件却没有写 using namespace std;。",
     "在 #include 那几行的下面加一行 using namespace std;，或者写成 std::{1}。"},
    {"header-for-name", "not-declared", "", "", IN_HEADER, "{header}",
     "“{1}”没有声明：它在头文件 {header} 里，这个文件还没有包含它。",
     "在文件开头加上 #include {header}（或者用 #include <bits/stdc++.h> 一次包含所有常用的头文件）。"},
    {"name-case", "not-declared not-a-type", "", "", NEAR_CASE, "{1}",
     "“{1}”没有声明，是不是想写“{near}”？C++ 区分大小写，大写和小写字母是不同的。",
     "改成 {near}。"},
    {"name-lookalike", "not-declared", "", "", NEAR_LOOKALIKE, "{1}",
     "“{1}”没有声明，是不是想写“{near}”？{word}",
     "改成 {near}（数字 1 和小写字母 l、数字 0 和字母 o 长得很像，要看清楚）。"},
    {"name-typo", "not-declared not-a-type", "", "", NEAR_TYPO, "{1}",
     "“{1}”没有声明，是不是想写“{near}”？", "改成 {near}，每个字母都要拼对。"},
    {"outside-function", "not-a-type", "", "1=cin|cout|printf|scanf|puts|getline|memset|sort",
     AT_MESSAGE, "",
     "“{1}”这一句写在了所有函数的外面：函数外面只能写声明（变量、函数、结构体），语句要写在函数里面。",
     "把这一行移到 main 的 { } 里面。"},
    {"text-not-quoted", "not-declared", "", "", NOT_QUOTED, "{1}",
     "“{1}”没有声明：要原样输出的文字要放在双引号里，不加引号的 {1} 会被当成变量名。",
     "把要原样输出的文字放在英文双引号里，写成 \"{word}\"。"},
    {"defined-later", "not-declared", "", "", DEFINED_LATER, "{1}",
     "函数“{1}”在第 {later} 行才定义，这里用到它的时候，编译器还不知道它。",
     "把“{1}”的整个定义移到 main 的前面，或者在 main 前面先写一行它的声明（函数头加分号）。"},
    {"declared-in-block", "not-declared", "", "", IN_OTHER_BLOCK, "{1}",
     "“{1}”在这里没有声明。它是在第 {seen} 行声明的，那是在另一对 { } （或 for 的括号）里面，"
     "出了那里就不能再用了。",
     "把“{1}”的声明移到外层，放在用到它的地方之前、同一层或更外层的 { } 里。"},
    {"not-declared", "not-declared", "", "", NEVER_DECLARED, "{1}",
     "“{1}”在这里没有声明：变量和函数都要先声明，才能使用。",
     "检查“{1}”的拼写；如果它是变量，在用到它之前先声明它（写明类型，例如 int 或 long long）。"},
    {"name-clash", "other-kind", "earlier", "", NOTE_IN_LIBRARY, "{1}",
     "“{1}”和标准库里已有的名字重了（<cmath> 里有 y0、y1、j0、j1 这样的函数），"
     "用了 <bits/stdc++.h> 或 <cmath> 时不能再拿它当变量名。",
     "给这个变量换一个名字，例如 yy1 或 y_1。"},
    {"ambiguous-name", "ambiguous", "", "", AT_MESSAGE, "{1}",
     "“{1}”这个名字和标准库里的名字重了（用了 using namespace std; 以后，count、next、prev、"
     "rank、hash 这些名字标准库里已经有了）。",
     "给它换一个名字，例如 cnt、nxt，或者加上前缀，例如 my_{1}。"},

    // ---- Statements and brackets ----
    {"struct-semicolon", "expected-after-struct", "", "", AT_MESSAGE, "",
     "结构体（或类）定义的“}”后面少了分号“;”。", "在这个“}”后面加上分号，写成 };。"},
    {"struct-semicolon", "expected-initializer expected-semicolon expected-token two-types", "", "",
     STRUCT_END, "", "结构体（或类）定义的“}”后面少了分号“;”。",
     "在这个“}”后面加上分号，写成 };。"},
    {"for-commas", "expected-semicolon expected-primary expected-token", "", "", FOR_COMMAS, "",
     "for 后面括号里的三个部分要用分号“;”隔开，不是逗号。",
     "写成 for (int i = 0; i < n; i++) 这样的形式。"},
    {"else-condition", "expected-semicolon expected-token", "", "", ELSE_CONDITION, "",
     "else 后面不能写条件：else 的意思是“其余的情况”，不用再判断。",
     "要判断条件就写成 else if (…)；不需要判断就去掉 else 后面的括号和条件。"},
    {"missing-shift", "expected-semicolon expected-token", "", "", MISSING_SHIFT, "",
     "cout 输出的两项之间少了“<<”：“{word}”前面要有 <<。",
     "每输出一项前面都要写 <<，例如 cout << \"sum = \" << a + b;"},
    {"missing-extract", "expected-semicolon expected-token", "", "", MISSING_EXTRACT, "",
     "cin 读入的两个变量之间少了“>>”：“{word}”前面要有 >>。",
     "每读入一个变量前面都要写 >>，例如 cin >> n >> m;"},
    {"no-parentheses", "expected-token", "", "1=(", NO_PARENTHESES, "",
     "{word} 后面的条件要用圆括号括起来。",
     "把它后面的部分放进圆括号里，例如 while (n > 0)、if (a > b)、for (int i = 0; i < n; i++)。"},
    // A ( left open before a { reads to g++ before C++17 as an if's init-statement,
    // which it says needs a newer standard: the bracket is the fault, not the options.
    {"open-parenthesis", ANY_ERROR " old-standard", "", "", OPEN_PARENTHESIS, "",
     "这一行的左括号“(”比右括号“)”多：少了一个“)”。",
     "检查括号是否一一配对，在该结束的地方补上“)”。"},
    {"close-parenthesis", ANY_ERROR, "", "", CLOSE_PARENTHESIS, "",
     "这一行的右括号“)”比左括号“(”多。",
     "检查括号是否一一配对：删掉多余的“)”，或者在该开始的地方补上“(”。"},
    {"main-no-parentheses", "main-global", "", "", AT_MESSAGE, "",
     "main 后面少了一对圆括号 ()，编译器就把 main 当成了一个变量。", "写成 int main() {。"},
    {"header-semicolon", "expected-unqualified expected-declaration", "", "1={", HEADER_SEMICOLON,
     "", "函数头的后面多了一个分号：有了分号，下面的 { } 就不属于这个函数了。",
     "删掉这一行末尾的分号。"},
    {"unclosed-brace", "expected-at-end function-not-allowed", "", "", UNCLOSED_BRACE, "",
     "这一行的“{”没有配对的“}”：少了一个“}”。",
     "在这对 { } 该结束的地方补上“}”（和这一行的开头对齐）。"},
    {"extra-brace", "expected-unqualified expected-declaration not-a-type expected-constructor "
     "else-without-if", "", "", EXTRA_BRACE, "",
     "多了一个“}”：它让函数在这里就结束了，后面的代码都到了函数外面。",
     "删掉多余的“}”，或者检查前面是否少写了一个“{”。"},
    {"function-inside", "function-not-allowed", "", "", AT_MESSAGE, "",
     "这里在一个函数（例如 main）的里面定义了另一个函数：C++ 的函数不能套在别的函数里面。",
     "把这个函数整个移到 main 的前面；如果它本来就在外面，检查它前面的函数是不是少了“}”。"},
    {"missing-brace", "expected-at-end", "to-match", "1=}", AT_NOTE, "",
     "少了一个“}”：到了文件结尾，第 {note} 行的“{”还没有配对的“}”。",
     "检查每个“{”都有对应的“}”，通常是某个函数、循环或 if 的“}”漏写了。"},
    {"missing-close", "expected-token", "to-match", "1=)|]|}", AT_NOTE, "",
     "少了一个“{1}”：第 {note} 行的“{n1}”没有配对的“{1}”。",
     "检查括号是否一一配对，在该结束的地方补上“{1}”。"},
    {"operand-missing", "expected-primary", "", "", OPERAND_MISSING, "",
     "运算符后面少了一个值：“{1}”前面的运算符没有右边的那个数或变量。",
     "在运算符后面补上要参加运算的值，或者删掉多写的运算符。"},
    {"type-as-value", "expected-primary", "", "", TYPE_AS_VALUE, "",
     "“{found}”是一个类型，这里要的是这个类型的一个对象。", "在后面加上一对括号，写成 {found}()。"},
    {"missing-comma", "expected-token", "", "1=)", AFTER_STRING, "",
     "字符串和后面的“{2}”之间少了一个逗号：函数的参数之间要用逗号分开。",
     "在字符串的右引号后面加上逗号，例如 printf(\"%d\\n\", {2})。"},
    {"missing-bracket", "expected-token", "", "1=)|]", UNBALANCED, "",
     "这一行少了一个“{1}”：左括号比右括号多。", "检查括号是否一一配对，在该结束的地方补上“{1}”。"},
    {"extra-closing-brace", "expected-declaration", "", "1=}", AT_MESSAGE, "",
     "多了一个“}”：它前面没有和它配对的“{”，函数在它之前就已经结束了。",
     "删掉多余的“}”，或者检查前面是否少写了一个“{”。"},
    {"missing-semicolon", "expected-semicolon expected-initializer", "", "", LINE_BEFORE, "",
     "这一行的末尾少了分号“;”。",
     "在这一行的末尾补上英文分号“;”。C++ 的每条语句、每个结构体定义的“}”后面都要有分号。"},
    {"unterminated-string", "unterminated", "", "", AT_MESSAGE, "",
     "这一行的字符串或字符没有结束：少了结尾的 {1}。",
     "在末尾补上 {1}：字符串用双引号 \"…\"，单个字符用单引号 '…'；字符串里要写双引号时写成 \\\"。"},
    {"stray-backslash", "stray", "", "1=\\", AT_MESSAGE, "",
     "这一行有一个多余的反斜杠“\\”：它只能用在字符串或字符里面，例如 \"\\n\"。",
     "换行要写成 endl 或带双引号的 \"\\n\"，例如 cout << a << \"\\n\";"},
    {"stray-character", "stray bad-character", "", "", AT_MESSAGE, "",
     "这一行有一个不属于 C++ 的字符（常见的是中文字符、全角符号，或者从网页复制来的特殊空格）。",
     "删掉它，切换到英文输入法重新输入这一处。"},
    {"number-letter", "bad-suffix numeric-literal", "", "", AT_MESSAGE, "",
     "数字后面紧跟着字母：乘号不能省略（数学里的 2x 在 C++ 里要写成 2 * x），名字也不能以数字开头。",
     "在数字和字母之间写上运算符，或者给名字换一个以字母开头的写法。"},

    // ---- if, else and loops ----
    {"clause-semicolon", "not-guarded empty-body", "", "1=if|for|while|else", CLAUSE_SEMICOLON, "",
     "{1} 后面多了一个分号“;”：这个分号本身就是 {1} 管的那条（空）语句，下面的语句不在 {1} 里面。",
     "删掉这一行 {1} 后面的那个分号。"},
    {"missing-braces", "not-guarded", "", "1=if|for|while|else", CLAUSE_NO_BRACES, "",
     "{1} 只管着后面的第一条语句：下面缩进的那几条里，只有第一条在 {1} 里面。",
     "要让 {1} 管几条语句，就用 { } 把它们括起来。"},
    {"if-semicolon", "else-without-if", "", "", IF_SEMICOLON, "",
     "if (…) 的后面多了一个分号：分号让 if 到此结束，后面的 else 就找不到配对的 if 了。",
     "删掉这一行 if (…) 后面的分号“;”。"},
    {"else-braces", "else-without-if", "", "", IF_OF_ELSE, "",
     "这个 if 后面有不止一条语句，却没有用 { } 括起来：if 只管第一条，后面的 else 就找不到它了。",
     "用 { } 把 if 后面的几条语句括起来。"},
    {"if-without-statement", "expected-primary", "", "1=else", IF_EMPTY, "",
     "这个 if (…) 后面什么语句也没有，就接着写了 else。",
     "在 if (…) 后面写上条件成立时要做的事；什么都不做就写一对空的 { }。"},
    {"else-without-if", "else-without-if", "", "", AT_MESSAGE, "",
     "这个 else 前面找不到配对的 if。",
     "if 后面有两条以上的语句时要用 { } 括起来，else 要紧跟在 if 的语句或“}”后面；"
     "也检查 if (…) 后面是否多了分号。"},
    {"chained-comparison", "chained-comparison", "", "", AT_MESSAGE, "",
     "像 a <= x <= b 这样连着比较，在 C++ 里不是数学里的意思：它先算出 a <= x（得到 0 或 1），"
     "再拿这个结果去和 b 比。",
     "写成 a <= x && x <= b。"},
    {"sequence-point", "sequence-point", "", "", AT_MESSAGE, "",
     "同一条语句里既改变了“{1}”的值（例如 {1}++），又用到了它，结果是不确定的。",
     "把它拆成两条语句，先改变“{1}”，再用它。"},
    {"assign-in-condition", "assign-condition", "", "", AT_MESSAGE, "",
     "条件里写的是赋值“=”：它把右边的值赋给左边，而不是比较两边是否相等。",
     "判断是否相等要写两个等号“==”，例如 if (a == b)。"},
    {"break-outside", "break-outside continue-outside", "", "", AT_MESSAGE, "",
     "break（或 continue）只能用在循环或 switch 里面。",
     "检查它是否写在了循环外面：循环后面有几条语句时，要用 { } 把它们括起来。"},
    {"case-jump", "jump-case", "crosses", "", AT_MESSAGE, "",
     "跳到这个 case 时，会越过第 {note} 行“{n1}”的初始化。",
     "把前面那个 case 里的语句用 { } 括起来，例如 case 1: { int x = 5; … break; }"},

};
// clang-format on

// The two tables, one after the other, in the order they are tried.
extern const Situation SITUATIONS_OF_VALUES[];
extern const size_t VALUE_SITUATION_COUNT;
const size_t CODE_SITUATION_COUNT = sizeof SITUATIONS_OF_CODE / sizeof SITUATIONS_OF_CODE[0];

size_t Situation_Count() {
  return CODE_SITUATION_COUNT + VALUE_SITUATION_COUNT;
}

const Situation& Situation_At(size_t index) {
  return index < CODE_SITUATION_COUNT ? SITUATIONS_OF_CODE[index]
                                      : SITUATIONS_OF_VALUES[index - CODE_SITUATION_COUNT];
}
