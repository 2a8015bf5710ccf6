// The settings file's text: five values, one per line, the last a digit.
#pragma once

#include <string>

// The file's content for the settings in memory (LF line ends).
std::string Settings_Text();

// Loads the settings from a file's content. Values missing at the end keep
// what they hold; nothing is validated or trimmed.
void Load_Settings(const std::string& text);
