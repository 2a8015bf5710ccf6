// Text helpers shared by the tests: escaped output, whole files as bytes.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

// The text with every control byte written as an escape (\n also ends the
// line, so pages stay readable); UTF-8 text is left as it is.
std::string Escaped(const std::string& text);

// A file's whole content, byte for byte; empty when it cannot be read.
std::string Read_File_Bytes(const std::string& path);

// Waits until `done` says so (true), or until `timeout_ms` have passed (false).
bool Wait_Until(const std::function<bool()>& done, int timeout_ms);

// A file that another process writes: its content once `done` says it is
// complete, or what it holds after `timeout_ms` (empty when it never came).
std::string Wait_For_File(const std::string& path, bool (*done)(const std::string&),
                          int timeout_ms = 10000);

// Whether a log holds whole lines: something, and a line end at its end.
bool Whole_Lines(const std::string& text);

// Writes the bytes as the file's whole content.
void Write_File_Bytes(const std::string& path, const std::string& bytes);

// Whether `text` ends with `tail`; a failure shows both, escaped.
::testing::AssertionResult Ends_With(const std::string& text, const std::string& tail);
