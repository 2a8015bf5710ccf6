// The third stage: each cause matched to the situations of the catalogue
// that may explain it, by what its messages say and the names they quote.
// Whether the source bears one out is the next stage's to tell.
#pragma once

#include <string>
#include <vector>

#include "cc/causes.h"

struct Candidate {
  size_t situation = 0;                 // its index for Situation_At
  size_t record = 0;                    // the message it explains, when the cause has one
  std::vector<std::string> words;       // what that message's pattern kept
  std::vector<std::string> note_words;  // what the note it needs kept
  int note_line = 0;                    // that note's line in the user's file; 0 for none
};

// The situations that may explain `cause`, the likeliest first: for its own
// message, then for the others on its line.
std::vector<Candidate> Match_Cause(const Cause& cause, const std::vector<Record>& records,
                                   const std::vector<Source>& sources);

// The situation called `id`; Situation_Count() for none.
size_t Situation_Named(const char* id);
