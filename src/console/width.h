// How wide text is on a console, shared by the pages and the launcher.
#pragma once

#include <string>

// Console columns a text takes: 1 for ASCII, 2 for a Chinese character or
// full-width mark.
int Display_Width(const std::string& text);
