#include "cc/explain.h"

#include <map>

#include "cc/catalogue.h"
#include "cc/match.h"
#include "cc/text.h"

namespace {

// The patterns of every situation, with their quotes made uniform once.
const std::vector<std::vector<std::string>>& Patterns() {
  static const std::vector<std::vector<std::string>> patterns = [] {
    std::vector<std::vector<std::string>> all;
    for (size_t i = 0; i < SITUATION_COUNT; ++i) {
      std::vector<std::string> says;
      for (const char* p : SITUATIONS[i].says)
        if (p != nullptr) says.push_back(Uniform_Quotes(p));
      if (SITUATIONS[i].note_says[0] != '\0')
        says.push_back(Uniform_Quotes(SITUATIONS[i].note_says));
      all.push_back(says);
    }
    return all;
  }();
  return patterns;
}

bool Matches_Any(const Situation& situation, const std::vector<std::string>& patterns,
                 const std::string& text, std::vector<std::string>& kept) {
  size_t says = patterns.size() - (situation.note_says[0] != '\0' ? 1 : 0);
  for (size_t i = 0; i < says; ++i)
    if (Match_Pattern(patterns[i], text, kept)) return true;
  return false;
}

// The word of the list nearest to a misspelt one, or "" when none is within
// `most` edits.
std::string Nearest(const std::string& word, const char* const* list, size_t count, int most) {
  std::string best;
  int best_distance = most + 1;
  for (size_t i = 0; i < count; ++i) {
    int distance = Edit_Distance(word, list[i]);
    if (distance < best_distance && word != list[i]) {
      best = list[i];
      best_distance = distance;
    }
  }
  return best;
}

bool Line_Has(const std::string& line, const std::string& texts) {
  for (size_t start = 0; start <= texts.size();) {
    size_t bar = texts.find('|', start);
    if (bar == std::string::npos) bar = texts.size();
    if (line.find(texts.substr(start, bar - start)) != std::string::npos) return true;
    start = bar + 1;
  }
  return false;
}

// The text with {…} filled in from `values`; false when one is missing.
bool Fill(const std::string& text, const std::map<std::string, std::string>& values,
          std::string& out) {
  out.clear();
  for (size_t at = 0; at < text.size(); ++at) {
    size_t close = text[at] == '{' ? text.find('}', at) : std::string::npos;
    std::string name = close == std::string::npos ? "" : text.substr(at + 1, close - at - 1);
    auto value = values.find(name);
    if (close == std::string::npos || name.empty() || name.find(' ') != std::string::npos) {
      out += text[at];  // a brace of the text itself: "{ }"
    } else if (value == values.end() || value->second.empty()) {
      return false;
    } else {
      out += value->second;
      at = close;
    }
  }
  return true;
}

}  // namespace

const Source* Users_File(const std::vector<Source>& sources, const std::string& file) {
  if (file.empty()) return nullptr;
  std::string name = Base_Name(file);
  for (const Source& source : sources)
    if (source.name == name) return &source;
  return nullptr;
}

bool Explain(const std::vector<Diagnostic>& diagnostics, size_t index,
             const std::vector<Source>& sources, const std::string& exe, Explained& hint) {
  const Diagnostic& d = diagnostics[index];
  const Source* source = Users_File(sources, d.file);
  for (size_t i = 0; i < SITUATION_COUNT; ++i) {
    const Situation& situation = SITUATIONS[i];
    const std::vector<std::string>& patterns = Patterns()[i];
    std::vector<std::string> kept;
    if (situation.whole_program) {
      if (d.severity == SEV_NOTE) continue;
      if (!Matches_Any(situation, patterns, d.text, kept) &&
          !Matches_Any(situation, patterns, d.whole, kept))
        continue;
    } else if (source == nullptr || d.severity < SEV_WARNING ||
               !Matches_Any(situation, patterns, d.text, kept)) {
      continue;
    }
    if (situation.names[0] != '\0' && (kept.empty() || !In_List(situation.names, kept[0])))
      continue;
    // The note it needs, among those that follow the message.
    int note_line = 0;
    if (situation.note_says[0] != '\0') {
      bool found = false;
      for (size_t n = index + 1; !found && n < diagnostics.size(); ++n) {
        const Diagnostic& note = diagnostics[n];
        if (note.severity != SEV_NOTE) break;
        found = Match_Pattern(patterns.back(), note.text, kept);
        if (found && Users_File(sources, note.file) != nullptr) note_line = note.line;
      }
      if (!found) continue;
    }
    hint.source = source;
    hint.line = source ? d.line : 0;
    std::string found_name;
    switch (situation.place) {
      case AT_MESSAGE:
        break;
      case LINE_BEFORE:
        hint.line = Line_Before(*source, d.line, d.column);
        break;
      case AT_NOTE:
        hint.line = note_line;
        break;
      case IF_SEMICOLON:
        hint.line = If_With_Semicolon(*source, d.line);
        break;
      case FOR_COMMAS:
        hint.line = For_With_Commas(*source, d.line);
        break;
      case MAIN_MISSPELT:
        hint.line = 0;
        for (const Source& s : sources)
          if (hint.line == 0 && (hint.line = Main_Misspelt(s, found_name)) != 0) hint.source = &s;
        break;
      case NO_PLACE:
        hint.source = nullptr;
        hint.line = 0;
        break;
    }
    if (situation.place != AT_MESSAGE && situation.place != NO_PLACE && hint.line == 0) continue;
    if (situation.line_has[0] != '\0' &&
        (hint.source == nullptr || hint.line < 1 ||
         !Line_Has(hint.source->lines[hint.line - 1], situation.line_has)))
      continue;

    std::map<std::string, std::string> values = {{"exe", exe}, {"found", found_name}};
    for (size_t k = 0; k < kept.size(); ++k) values[std::to_string(k + 1)] = kept[k];
    if (note_line > 0) values["note"] = std::to_string(note_line);
    std::string first = kept.empty() ? "" : kept[0];
    std::string texts = std::string(situation.means) + situation.todo;
    if (texts.find("{header}") != std::string::npos)
      values["header"] = Nearest(first, HEADERS, HEADER_COUNT, 2);
    // A short name is as likely a variable's own as a slip of the keyboard.
    if (texts.find("{keyword}") != std::string::npos && first.size() >= 4)
      values["keyword"] = Nearest(first, KEYWORDS, KEYWORD_COUNT, 1);
    int seen = 0;
    if (source != nullptr && texts.find("{seen}") != std::string::npos)
      seen = First_Mention(*source, first, d.line);
    if (seen > 0) values["seen"] = std::to_string(seen);
    if (!Fill(situation.means, values, hint.means) || !Fill(situation.todo, values, hint.todo))
      continue;
    hint.situation = i;
    hint.name = !situation.per_name ? "" : !first.empty() ? first : "#" + std::to_string(i);
    hint.words = kept;
    return true;
  }
  return false;
}
