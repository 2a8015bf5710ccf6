// The small language the catalogue is written in: patterns for what the
// compiler says, and conditions on the parts they keep.
#pragma once

#include <map>
#include <string>
#include <vector>

// Quoted names in a message's text are marked with these, whatever marks the
// compiler used ('x', `x', ‘x’).
const char QUOTE_OPEN = '\x01';
const char QUOTE_CLOSE = '\x02';

// The text with every quote mark as QUOTE_OPEN or QUOTE_CLOSE.
std::string Uniform_Quotes(const std::string& text);

// True when `pattern` matches the start of `text` (a message with uniform
// quotes). In the pattern '{}' is one quoted name, '{*}' any text, both kept
// in `kept` in order, and '*' any text not kept; quotes are QUOTE_OPEN and
// QUOTE_CLOSE, as Uniform_Quotes makes them.
bool Match_Pattern(const std::string& pattern, const std::string& text,
                   std::vector<std::string>& kept);

// True when every blank-separated condition of `conditions` holds for the
// kept parts: "N=a|b" part N is a or b, "N~a|b" it holds a or b, "N!a|b" it
// holds neither. A part that was not kept holds nothing.
bool Words_Hold(const char* conditions, const std::vector<std::string>& words);

// True when `word` is one of the `separator`-separated words of `list`.
bool In_List(const std::string& list, const std::string& word, char separator = ' ');

// The text with each {name} filled in from `values`; false when a value it
// needs is missing or empty. A brace with a blank inside ("{ }") is text.
bool Fill(const std::string& text, const std::map<std::string, std::string>& values,
          std::string& out);
