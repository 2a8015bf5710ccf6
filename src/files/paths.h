// Typed paths: existence tests, the folder and file readers, quoting.
#pragma once

#include <string>

// True when the path names an existing regular file.
bool IsFile(std::string s);

// True when the path names an existing directory.
bool IsPath(std::string s);

// The text between two double quotes, unchanged inside.
std::string Cover(std::string s);

// `folder`, the platform's separator, `name`: always exactly one separator
// added, even when the folder already ends in one.
std::string Join_Path(const std::string& folder, const std::string& name);

// Reads lines until one names an existing folder; returns it as typed, or
// without the double quotes around it when only the path inside them exists.
std::string Read_Path();

// Reads lines until one names an existing regular file, checked as `prefix` +
// line, whose extension is `wh` ("" accepts any); returns the line as typed,
// or without the double quotes around it as Read_Path does.
std::string Read_File(std::string wh, const std::string& prefix = "");

// Reads a file path the way the pages that work in the default folder do:
// while the default folder is valid, the typed line is checked inside it and
// the folder joined in front; otherwise the user is told to type a full path.
std::string Read_File_In_Default(std::string wh);
