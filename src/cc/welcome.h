// What the companion says when it is started with no words at all: most
// likely by a double click, from someone who has not set it up yet.
#pragma once

#include <string>

// What the companion is, how it is set as the compiler (`self` is its own
// path, empty when unknown), and which g++ it would run (`compiler`, empty
// when there is none).
std::string Welcome_Text(const std::string& self, const std::string& compiler);
