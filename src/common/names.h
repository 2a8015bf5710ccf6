// Names as both companions read them: the file and folder parts of a path,
// letters compared without case, and the characters of a word in C++ source.
#pragma once

#include <string>

// The last part of a path: the text after its last '/' or '\\'. Either may
// separate the folders of a path a user typed or a compiler wrote.
std::string Base_Name(const std::string& path);

// The folder that holds `path`: the text before its last '/' or '\\', or "."
// when it names no folder.
std::string Folder_Of(const std::string& path);

// The path as it is printed: a control character (a line end, a tab, an
// escape) is written as \n, \t or \xNN, so that a name cannot break a line
// or steer the terminal. Everything else is left as it is.
std::string Shown_Path(const std::string& path);

// The text with its ASCII letters in lower case: file names are compared
// this way, as Windows compares them.
std::string Lower(std::string text);

// A character that can be part of a C++ name or number: an ASCII letter, a
// digit or '_'.
bool Word_Char(char c);
