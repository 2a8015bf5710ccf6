// Shows bytes so that a failing test explains itself.
#pragma once

#include <string>

// The text with every control byte written as an escape (\n also ends the
// line, so pages stay readable); UTF-8 text is left as it is.
std::string Escaped(const std::string& text);
