// The settings file's text: the value of each setting of SETTING_TABLE, one
// per line in the table's order, a switch as one digit; the last value, the
// switch, has no line end after it.
#pragma once

#include <string>

// The file's content for the settings as they are now (LF line ends).
std::string Settings_Text();

// Sets the settings from a file's content. Values missing at the end keep
// the values they have; nothing is validated or trimmed.
void Load_Settings(const std::string& text);
