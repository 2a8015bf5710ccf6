#include "cc/match.h"

#include <cstring>

#include "cc/catalogue.h"
#include "cc/pattern.h"

namespace {

bool Explains(const Situation& situation, const Record& r) {
  return r.shape >= 0 && In_List(situation.shapes, SHAPES[r.shape].id);
}

// Finds the note a situation needs among those after records[index].
bool Find_Note(const Situation& situation, const std::vector<Record>& records, size_t index,
               const std::vector<Source>& sources, Candidate& candidate) {
  if (situation.note[0] == '\0') return true;
  for (size_t n : Notes_Of(records, index)) {
    const Record& note = records[n];
    if (note.shape < 0 || !In_List(situation.note, SHAPES[note.shape].id)) continue;
    candidate.note_words = note.words;
    if (Users_File(sources, note.file) != nullptr) candidate.note_line = note.line;
    return true;
  }
  return false;
}

void Add_Candidates(const std::vector<Record>& records, size_t index,
                    const std::vector<Source>& sources, std::vector<Candidate>& found) {
  const Record& r = records[index];
  for (size_t i = 0; i < Situation_Count(); ++i) {
    const Situation& situation = Situation_At(i);
    if (!Explains(situation, r) || !Words_Hold(situation.words, r.words)) continue;
    Candidate candidate;
    candidate.situation = i;
    candidate.record = index;
    candidate.words = r.words;
    if (Find_Note(situation, records, index, sources, candidate)) found.push_back(candidate);
  }
}

}  // namespace

size_t Situation_Named(const char* id) {
  for (size_t i = 0; i < Situation_Count(); ++i)
    if (std::strcmp(Situation_At(i).id, id) == 0) return i;
  return Situation_Count();
}

std::vector<Candidate> Match_Cause(const Cause& cause, const std::vector<Record>& records,
                                   const std::vector<Source>& sources) {
  std::vector<Candidate> found;
  if (cause.kind != FROM_MESSAGE) {
    Candidate candidate;
    candidate.situation = Situation_Named(cause.kind == WIDE_MARKS     ? "fullwidth"
                                          : cause.kind == HIDDEN_MARKS ? "invisible"
                                                                       : "gbk-source");
    found.push_back(candidate);
    return found;
  }
  Add_Candidates(records, cause.record, sources, found);
  for (size_t follower : cause.followers)
    if (records[follower].line == records[cause.record].line)
      Add_Candidates(records, follower, sources, found);
  return found;
}
