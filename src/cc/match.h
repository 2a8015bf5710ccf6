// Patterns for what the compiler says, matched against its messages.
#pragma once

#include <string>
#include <vector>

// True when `pattern` matches the start of `text` (a message with uniform
// quotes). In the pattern '{}' is one quoted name, '{*}' any text, both kept
// in `kept` in order, and '*' any text not kept; quotes are QUOTE_OPEN and
// QUOTE_CLOSE, as Uniform_Quotes makes them.
bool Match_Pattern(const std::string& pattern, const std::string& text,
                   std::vector<std::string>& kept);

// True when `word` is one of the blank-separated words of `list`.
bool In_List(const char* list, const std::string& word);
