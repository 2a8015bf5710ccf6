// What both companions say to someone who started one by itself (most
// likely by a double click): how it is set on Tarnwickstone's settings page.
#pragma once

#include <string>

// The three steps: the settings page's `entry` that takes the companion's
// path (such as "1. 修改编译器路径"), its own path `self` to type (when ""
// unknown, `name`'s folder and name are asked for), and the save.
std::string Setup_Steps(const std::string& entry, const std::string& self, const std::string& name);
