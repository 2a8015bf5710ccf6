// Who may include whom, as docs/architecture.md draws the layers: the core
// and the companions reach the system only through platform.h, and the
// companions never pull in the main program's pages.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "test_text.h"

namespace fs = std::filesystem;

namespace {
const std::string SRC = std::string(TWS_SOURCE_DIR) + "/src/";

// What both platform layers share.
bool Shared(const std::string& header) {
  return header == "platform/platform.h" || header == "platform/failure.h";
}

// What the file at `path` (relative to src/) may include with quotes.
bool May_Include(const std::string& path, const std::string& header) {
  auto in = [&](const std::string& folder) { return path.rfind(folder, 0) == 0; };
  auto is = [&](const std::string& folder) { return header.rfind(folder, 0) == 0; };
  // The two platform layers never meet.
  if (in("platform/posix_")) return header == "platform/posix_internal.h" || Shared(header);
  if (in("platform/windows_")) return header == "platform/windows_internal.h" || Shared(header);
  if (in("platform/")) return Shared(header);
  if (header == "platform/platform.h") return true;
  for (const std::string companion : {"launch/", "cc/"})
    if (in(companion)) return is(companion) || header == "console/text.h";
  return !is("platform/") && !is("launch/") && !is("cc/");
}
}  // namespace

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
    if (path.rfind("platform/", 0) == 0) continue;
    // Above the platform layer, only the standard library's own headers.
    for (std::sregex_iterator it(text.begin(), text.end(), system), end; it != end; ++it)
      EXPECT_EQ(std::string((*it)[1]).find_first_of("./"), std::string::npos)
          << path << " includes <" << (*it)[1] << ">";
  }
  EXPECT_GT(files, 20);
}
