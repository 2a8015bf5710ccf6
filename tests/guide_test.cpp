// The Chinese guide quotes the program's pages and messages: each quote must
// be the program's own text, byte for byte, or a user would look for words
// that never appear.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>

#include "fake_platform.h"
#include "settings/settings.h"
#include "test_text.h"

int Runner_Main();

namespace fs = std::filesystem;

namespace {
const std::string SOURCE = TWS_SOURCE_DIR;

// What the main program shows on a walk through every page, with the
// messages of wrong input, a failed compile and a failed save.
std::string Pages_Shown() {
  Reset_Fake();
  SLOWSAY = false;
  FAKE.folders = {"C:\\src", "C:\\代码"};
  FAKE.files = {
      {"C:\\g++.exe", ""}, {"C:\\src\\a.cpp", ""}, {"C:\\src\\b.cpp", ""}, {"C:\\src\\b.exe", ""}};
  FAKE.fail_writes = true;
  FAKE.on_command = [](const std::string& command) {
    return command.find("b.cpp") != command.npos;
  };
  FAKE.input = {"1",           "x",
                "6",           "3",
                "1",           "C:\\nothing",
                "C:\\src",     "C:\\src\\a.cpp",
                "C:\\g++.exe", "2",
                "C:\\g++.exe", "3",
                "C:\\src",     "4",
                "-O2",         "5",
                "5",           "6",
                "7",           "1",
                "1",           "new.cpp",
                "1",           "a.cpp",
                "2",           "a.cpp",
                "3",           "2",
                "a.cpp",       "1",
                "2",           "b.cpp",
                "1",           "2",
                "a.cpp",       "1",
                "0",           "5"};
  try {
    Runner_Main();
  } catch (const Fake_Quit&) {
  }
  return FAKE.screen;
}

// Every text the programs can print, as their sources spell it: string
// literals joined across lines and around the product name, as the code
// joins them when it prints.
std::string Source_Texts() {
  std::string all;
  for (const auto& entry : fs::recursive_directory_iterator(SOURCE + "/src"))
    if (entry.is_regular_file()) all += Read_File_Bytes(entry.path().string()) + "\n";
  all = std::regex_replace(all, std::regex("\"\\s*\\+\\s*NAME\\s*\\+\\s*\""), "Tarnwickstone");
  all = std::regex_replace(all, std::regex("\"\\s*(\\+\\s*)?\""), "");
  return std::regex_replace(all, std::regex("\\\\\""), "\"");
}

bool Has_Chinese(const std::string& text) {
  for (unsigned char c : text)
    if (c >= 0x80) return true;
  return false;
}

// A quote that names a file or a folder, or stands for one, is an example
// of what a user types or has, not something the program says: a crash's
// place names the user's source file.
bool Is_Example(const std::string& text) {
  return text.find_first_of("\\/") != std::string::npos ||
         text.find(".cpp ") != std::string::npos || text.find("版本号") != std::string::npos ||
         text.find(".txt") != std::string::npos;
}
}  // namespace

// The pieces of a line of a real run that the program wrote as they stand:
// its Chinese between the figures and names that vary from run to run, cut
// at punctuation, since the program joins such pieces around its figures.
std::vector<std::string> Fixed_Pieces(const std::string& line) {
  std::string cut = std::regex_replace(line, std::regex("[ -~]+|，|。|：|（|）|；"), "\n");
  std::vector<std::string> pieces;
  for (size_t at = 0, next; at < cut.size(); at = next + 1) {
    next = std::min(cut.find('\n', at), cut.size());
    if (next > at) pieces.push_back(cut.substr(at, next - at));
  }
  return pieces;
}

TEST(Guide, QuotesOnlyTheProgramsOwnTexts) {
  std::string guide = Read_File_Bytes(SOURCE + "/docs/guide.zh-CN.md");
  ASSERT_FALSE(guide.empty());
  std::string texts = Pages_Shown() + Source_Texts();
  std::vector<std::string> quotes, pieces;
  // Fenced screens: a plain one quotes whole lines, a real run ("console")
  // its fixed pieces, and code ("cpp") nothing the program says. The rest is
  // prose, with inline quotes and indented screens.
  std::string prose, kind;
  bool fenced = false;
  for (size_t at = 0, next; at < guide.size(); at = next + 1) {
    next = std::min(guide.find('\n', at), guide.size());
    std::string line = guide.substr(at, next - at);
    if (line.compare(0, 3, "```") == 0) {
      fenced = !fenced;
      kind = line.substr(3);
    } else if (!fenced) {
      prose += line + "\n";
    } else if (kind.empty()) {
      quotes.push_back(line);
    } else if (kind == "console") {
      for (const std::string& piece : Fixed_Pieces(line)) pieces.push_back(piece);
    }
  }
  std::regex inline_code("`([^`\n]+)`"), screen_line("(?:^|\n)(?:    )([^\n]+)");
  for (std::sregex_iterator it(prose.begin(), prose.end(), inline_code), end; it != end; ++it)
    quotes.push_back((*it)[1]);
  for (std::sregex_iterator it(prose.begin(), prose.end(), screen_line), end; it != end; ++it)
    quotes.push_back((*it)[1]);
  int checked = 0;
  for (const std::string& quote : quotes) {
    if (!Has_Chinese(quote) || Is_Example(quote)) continue;
    checked++;
    EXPECT_NE(texts.find(quote), std::string::npos) << "not the program's own: " << quote;
  }
  EXPECT_GT(checked, 30) << "the guide quotes the program's pages";
  for (const std::string& piece : pieces)
    EXPECT_NE(texts.find(piece), std::string::npos)
        << "a real run the program never wrote: " << piece;
  EXPECT_GT(pieces.size(), 20u) << "the guide shows a real run of 对拍";
}

namespace {
const std::string BUILT = TWS_BINARY_DIR;

// Columns as Notepad may show them: two for any character that is not ASCII.
size_t Columns(const std::string& line) {
  size_t columns = 0;
  for (unsigned char c : line) columns += c < 0x80 ? 1 : c >= 0xC0 ? 2 : 0;
  return columns;
}

// The runs of printable ASCII that stand between spaces and other characters.
std::set<std::string> Words(const std::string& text) {
  std::set<std::string> words;
  std::string word;
  for (char c : text + " ") {
    if (c > ' ' && c < 0x7F) {
      word += c;
    } else if (!word.empty()) {
      words.insert(word);
      word.clear();
    }
  }
  return words;
}
}  // namespace

TEST(Guide, NamesThePackagesOfThisVersion) {
  std::string guide = Read_File_Bytes(SOURCE + "/docs/guide.zh-CN.md");
  std::regex package("tarnwickstone[-_]([0-9][0-9.]*[0-9])[-_](windows-x64|amd64)");
  int named = 0;
  for (std::sregex_iterator it(guide.begin(), guide.end(), package), end; it != end; ++it) {
    EXPECT_EQ((*it)[1], TWS_VERSION) << "the guide names " << (*it)[0];
    named++;
  }
  EXPECT_GE(named, 2) << "the guide names the zip's folder and the .deb";
}

TEST(Guide, ItsNotepadCopyIsPlainNarrowAndWhole) {
  std::string text = Read_File_Bytes(BUILT + "/使用说明.txt");
  ASSERT_EQ(text.compare(0, 3, "\xEF\xBB\xBF"), 0) << "no byte order mark";
  std::string guide = Read_File_Bytes(SOURCE + "/docs/guide.zh-CN.md");
  size_t lines = 0;
  for (size_t at = 3, end; at < text.size(); at = end + 2, lines++) {
    end = text.find("\r\n", at);
    ASSERT_NE(end, std::string::npos) << "the last line has no CR LF";
    std::string line = text.substr(at, end - at);
    EXPECT_EQ(line.find_first_of("\r\n`"), std::string::npos) << Escaped(line);
    EXPECT_LE(Columns(line), 78u) << line;
    EXPECT_EQ(line.find("**"), std::string::npos) << line;
    EXPECT_NE(line.front() == '#' || line.compare(0, 3, "```") == 0, true) << line;
  }
  EXPECT_GT(lines, 100u);
  // Nothing lost, no word or path cut in two: every word is one of the guide's.
  std::string marks = std::regex_replace(guide, std::regex("`|\\*\\*|^#+ |^ *- "), " ");
  std::set<std::string> known = Words(marks);
  for (const std::string& word : Words(text)) EXPECT_TRUE(known.count(word)) << word;
  for (const char* said :
       {"WinLibs", "C:\\mingw64\\bin\\g++.exe", "pacman -S mingw-w64-ucrt-x86_64-gcc",
        "“Windows 已保护你的电脑”", "“仍要运行”", "先解压，再运行。"})
    EXPECT_NE(text.find(said), std::string::npos) << said;

  std::string licence = Read_File_Bytes(SOURCE + "/LICENSE");
  EXPECT_EQ(Read_File_Bytes(BUILT + "/LICENSE.txt"),
            std::regex_replace(licence, std::regex("\n"), "\r\n"));
}

TEST(Guide, HasTheSectionTheCompanionPointsTo) {
  std::string guide = Read_File_Bytes(SOURCE + "/docs/guide.zh-CN.md");
  std::string companion = Read_File_Bytes(SOURCE + "/src/common/compiler.cpp");
  std::smatch named;
  ASSERT_TRUE(std::regex_search(companion, named, std::regex("“(.+?)”")));
  EXPECT_NE(guide.find("\n## " + named[1].str() + "\n"), std::string::npos) << named[1];
}
