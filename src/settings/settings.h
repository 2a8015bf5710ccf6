// The settings: program-wide variables that every page reads directly, and
// the one table that says, for each setting the user can change, what kind
// it is, where it is kept and what its page says. They are the bottom of the
// main program: this file includes nothing of it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

extern const std::string NAME;      // the product name
extern const std::string SETTINGS;  // the settings file, in the working folder
extern std::string COM_PATH;        // compiler
extern std::string LAU_PATH;        // launcher
extern std::string US_PATH;         // default folder
extern std::string COM_SETTINGS;    // compile options
extern bool SLOWSAY;                // paced output on
extern bool FIRST;                  // there was no settings file at start

// The bytes a setting may hold: more than the longest command line Windows
// takes (32,767 characters) could never be used, and would make the settings
// file too big to be read back.
extern const size_t VALUE_LIMIT;

// What a setting holds, which decides how its editor reads a new value.
enum Setting_Kind {
  SETTING_TOOL,    // the path of a program, with the platform's tool extension
  SETTING_FOLDER,  // the path of a folder
  SETTING_TEXT,    // one line as typed, at most VALUE_LIMIT bytes
  SETTING_SWITCH,  // on or off, turned over without a question
};

struct Setting {
  Setting_Kind kind;
  std::string* text;    // where a path or a text is kept; nullptr for a switch
  bool* on;             // where a switch is kept; nullptr otherwise
  std::string name;     // what it is, in the editor's messages: "编译选项"
  std::string section;  // the section rule the setting opens; "" continues the one above
  std::string label;    // before its value: "当前编译器路径："
  std::string entry;    // its menu entry after "N. ": "修改编译器路径"; a switch's
                        // is after "关闭" or "开启"
  std::string prompt;   // the editor's question; "" for a switch
  std::string done;  // the editor's last words; a switch says "开启成功！" or "关闭成功！"
};

// The settings in the order of the settings page and of the settings file:
// entry N of the page is row N, line N of the file is row N.
extern const std::vector<Setting> SETTING_TABLE;
