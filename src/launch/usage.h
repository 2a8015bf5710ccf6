// What the launcher says of itself: when asked (--help, --version) and when
// it is started without a program, most likely by a double click.
#pragma once

#include <string>

// The version line that --version prints.
std::string Version_Line();

// How it is used, its options and its exit statuses, for --help.
std::string Help_Text();

// What it is and how it is set as the launcher; `self` is its own path,
// empty when unknown.
std::string Setup_Text(const std::string& self);
