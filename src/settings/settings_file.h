// The settings file's text: five values, one per line, the last a digit.
#pragma once

#include <string>

// What the file holds, as plain data; a fresh one holds the settings'
// values at start.
struct Settings_Values {
  std::string com_path;      // COM_PATH
  std::string lau_path;      // LAU_PATH
  std::string us_path;       // US_PATH
  std::string com_settings;  // COM_SETTINGS
  bool slowsay = true;       // SLOWSAY
};

// The file's content for the values (LF line ends).
std::string Settings_Text(const Settings_Values& values);

// The values a file's content holds. Values missing at the end keep their
// values at start; nothing is validated or trimmed.
Settings_Values Read_Settings(const std::string& text);
