// The main program's pages and messages as the tests expect them, written
// once: LF line ends, no clearing before them. Each test adds what its
// console makes of them (a clear, CR LF). The texts are inline, so that the
// tests' own constants built from them are made after them.
#pragma once

#include <string>

namespace pages_detail {
inline std::string Rule(int left, const std::string& label, int right) {
  return std::string(left, '-') + label + std::string(right, '-') + "\n";
}
inline const std::string DASHES(100, '-');
}  // namespace pages_detail

// The first-use question.
inline const std::string FIRST_QUESTION =
    "检测到你是第一次使用 Tarnwickstone，是否需要查看帮助（否：0，是：1）？\n";

// The main menu: title to the blank line after entry 5.
inline const std::string MAIN_MENU =
    std::string(43, ' ') + "Tarnwickstone\n" + pages_detail::DASHES +
    "\n1. 编辑文件\n2. 运行程序\n3. 设置\n4. 帮助\n5. 保存信息并退出\n\n";

// The help page: title to the blank line before the pause.
inline const std::string HELP_PAGE =
    std::string(39, ' ') + "Tarnwickstone -- 帮助\n" + pages_detail::DASHES + "\n\n" +
    pages_detail::Rule(47, " 路径 ", 47) +
    "1. 修改编译器、启动器、常用文件夹路径时，请输入完整路径！\n"
    "2. 编译器路径建议设置为 g++.exe 的路径。\n"
    "3. 设置默认文件夹后，创建、打开文件和编译、运行程序不必再输入完整路径，Tarnwickstone "
    "会自动在默认文件夹下操作。\n\n" +
    pages_detail::Rule(43, " 编译 & 运行 ", 44) +
    "1. 受限于作者编码能力，设置编译选项时请不要输入 \"，否则可能导致崩溃。\n"
    "2. Tarnwickstone 支持调用外部启动器（如 ConsolePauser.exe）运行程序，可以在 设置 - "
    "修改启动器路径 中设置。设置后将优先使用启动器运行程序。\n\n" +
    pages_detail::Rule(42, " Tarnwickstone ", 43) +
    "1. 输入选项时，请在输入结束后按下回车。\n"
    "2. 询问是否时，1 表示是，0 表示否。\n"
    "3. 不喜欢慢速输出？现在可以在 设置 - 慢速输出 中修改了！\n\n";

// The edit menu: title to the blank line after entry 3.
inline const std::string EDIT_MENU = std::string(37, ' ') + "Tarnwickstone -- 编辑文件\n" +
                                     pages_detail::DASHES +
                                     "\n1. 新建文件\n2. 打开已有文件\n3. 返回\n\n";

// The exit page's one line.
inline const std::string EXITING = "将在 3s 内退出……\n";

// The POSIX pause and the launcher's wait.
inline const std::string KEY_WAIT = "请按任意键继续. . .";

// The launcher's line of dashes after a program's end, with the line ends
// around it.
inline const std::string LAUNCH_RULE = "\n" + std::string(40, '-') + "\n";
// The launcher's key wait after the samples.
inline const std::string SAMPLES_KEY = "按 Enter 键手动运行程序，按其他键结束。";
// The same wait when a generator and a brute force lie beside the program.
inline const std::string STRESS_KEY = "按 Enter 键手动运行程序，按 D 键对拍，按其他键结束。";

// The launcher started without a program, after its one-line reason: what it
// is and how it is set up, its own path given.
std::string Launcher_Setup(const std::string& self);

// The compiler companion without a g++ to run: on POSIX, where there are no
// install folders to name...
inline const std::string NO_COMPILER =
    "找不到编译器 g++，所以没有编译。\n请在终端里输入 sudo apt install g++ 安装它。\n"
    "详细步骤见使用说明（guide.zh-CN.md）的“一、准备编译器”。\n";
// ...and on Windows, whose system drive is C:.
inline const std::string NO_COMPILER_WINDOWS =
    "找不到编译器 g++，所以没有编译。\n"
    "请把 WinLibs 的压缩包解压到 C:\\（会得到 C:\\mingw64），或者安装 MSYS2 的 g++。\n"
    "详细步骤见 使用说明.txt 的“一、准备编译器”。\n";
// The companion started without words: what it is, how it is set up (its own
// path given), then `compiler`: which g++ it runs, or NO_COMPILER.
std::string Companion_Welcome(const std::string& self, const std::string& compiler);

// The settings page for these values, title to the blank line after entry 7.
std::string Settings_Page(const std::string& com, const std::string& lau, const std::string& us,
                          const std::string& options, bool slow);

// The settings file's bytes for these values, each line ended by `eol` (CR LF
// when a Windows program wrote it).
std::string Saved_Settings(const std::string& com, const std::string& lau, const std::string& us,
                           const std::string& options, bool slow, const std::string& eol = "\n");

// What a save that could not be made says: the file could not be written...
std::string Not_Saved(const std::string& why);
// ...what stood there could not be read, so it is kept...
std::string Kept(const std::string& why);
// A settings file that is there but cannot be read, as said at start.
std::string Unreadable_At_Start(const std::string& why);
// A compile option longer than any command line, refused at the editor.
inline const std::string OPTIONS_TOO_LONG = "编译选项太长了，命令行放不下。请重新输入。\n";

// ...or a folder stands in its place.
inline const std::string FOLDER_IN_THE_WAY =
    "设置没有保存：这里有一个名为 Tarnwickstone.tws "
    "的文件夹，占着设置文件的位置。请把它移走或改名，"
    "或者从别的文件夹启动 Tarnwickstone。\n";
