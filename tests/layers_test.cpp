// Who may include whom, as docs/architecture.md draws the layers: the core
// and the companions reach the system only through platform.h, the main
// program's modules include only those below them, the companions never pull
// in the main program's pages, and the two platform layers never meet.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "test_text.h"

namespace fs = std::filesystem;

namespace {
const std::string SRC = std::string(TWS_SOURCE_DIR) + "/src/";

struct Rule {
  std::string files;                 // the files whose path (under src/) starts with this
  std::vector<std::string> headers;  // may include headers whose path starts with one of these
};

// The first rule whose `files` fits a file is its rule. Besides what its
// rule allows, a file may include its own header and, above the platform
// layer, platform/platform.h.
const Rule RULES[] = {
    // The GBK table is made at build time, into the build tree.
    {"platform/posix_",
     {"platform/platform.h", "platform/failure.h", "platform/posix_internal.h",
      "platform/posix_gbk_table.inc"}},
    {"platform/windows_",
     {"platform/platform.h", "platform/failure.h", "platform/windows_internal.h"}},
    {"platform/", {"platform/platform.h", "platform/failure.h"}},
    // The main program, from the bottom up: the settings every page reads,
    // the console, the paths, then the pages.
    {"settings/settings_page", {"settings/settings.h", "console/", "files/"}},
    {"settings/startup", {"settings/settings.h", "settings/settings_file.h", "console/", "files/"}},
    {"settings/", {"settings/settings.h", "settings/settings_file.h"}},
    {"console/", {"console/", "settings/settings.h"}},
    {"files/", {"files/", "console/", "settings/settings.h"}},
    {"build/", {"build/", "files/", "console/", "settings/settings.h"}},
    {"Runner.cpp", {"build/", "files/", "console/", "settings/"}},
    // The companions: their own folder, what they share, and the UTF-8 leaf.
    {"common/", {"common/"}},
    {"launch/", {"launch/", "common/", "console/text.h"}},
    {"cc/", {"cc/", "common/", "console/text.h"}},
};

bool Starts(const std::string& text, const std::string& head) {
  return text.compare(0, head.size(), head) == 0;
}

// What the file at `path` (relative to src/) may include with quotes.
bool May_Include(const std::string& path, const std::string& header) {
  std::string own = path.substr(0, path.rfind('.')) + ".h";
  if (header == own) return true;
  for (const Rule& rule : RULES) {
    if (!Starts(path, rule.files)) continue;
    if (!Starts(path, "platform/") && header == "platform/platform.h") return true;
    for (const std::string& allowed : rule.headers)
      if (Starts(header, allowed)) return true;
    return false;
  }
  return false;  // a file no rule knows: give it a place in the table
}
}  // namespace

TEST(Layers, TheTableKnowsTheLayersItHolds) {
  EXPECT_TRUE(May_Include("console/print.cpp", "settings/settings.h"));
  EXPECT_FALSE(May_Include("settings/settings.cpp", "console/print.h"));
  EXPECT_FALSE(May_Include("settings/settings.cpp", "files/paths.h"));
  EXPECT_FALSE(May_Include("console/input.cpp", "files/paths.h"));
  EXPECT_FALSE(May_Include("platform/posix_files.cpp", "platform/windows_internal.h"));
  EXPECT_FALSE(May_Include("platform/windows_files.cpp", "platform/posix_internal.h"));
  EXPECT_FALSE(May_Include("launch/main.cpp", "settings/settings.h"));
  EXPECT_FALSE(May_Include("cc/main.cpp", "launch/report.h"));
  EXPECT_FALSE(May_Include("newfolder/x.cpp", "platform/platform.h"));
}

TEST(Layers, EachFileIncludesOnlyWhatItsLayerMay) {
  // Only a directive that starts its line: a hint's text may show one too.
  std::regex quoted("(?:^|\n)[ \t]*#include \"([^\"]+)\""),
      system("(?:^|\n)[ \t]*#include <([^>]+)>");
  int files = 0;
  for (const auto& entry : fs::recursive_directory_iterator(SRC)) {
    if (!entry.is_regular_file()) continue;
    std::string path = entry.path().string().substr(SRC.size());
    std::string text = Read_File_Bytes(entry.path().string());
    files++;
    for (std::sregex_iterator it(text.begin(), text.end(), quoted), end; it != end; ++it)
      EXPECT_TRUE(May_Include(path, (*it)[1])) << path << " includes " << (*it)[1];
    if (Starts(path, "platform/")) continue;
    // Above the platform layer, only the standard library's own headers, and
    // the JSON library where problems are received.
    for (std::sregex_iterator it(text.begin(), text.end(), system), end; it != end; ++it)
      EXPECT_TRUE(std::string((*it)[1]).find_first_of("./") == std::string::npos ||
                  (Starts(path, "launch/receive") && (*it)[1] == "nlohmann/json.hpp"))
          << path << " includes <" << (*it)[1] << ">";
  }
  EXPECT_GT(files, 20);
}
