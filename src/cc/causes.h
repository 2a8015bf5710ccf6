// The second stage: the records grouped into causes. Messages that follow
// from an earlier fault (an undeclared name whose declaration failed, the
// errors after a brace the compiler lost track of, anything on a line that
// holds a full-width mark) are folded into its cause, so that each cause is
// told once. Full-width and invisible characters, and a source saved as
// GBK, are causes found in the source itself.
#pragma once

#include <vector>

#include "cc/marks.h"
#include "cc/records.h"
#include "cc/source.h"

enum Cause_Kind {
  FROM_MESSAGE,  // a message of the compiler, with those that follow from it
  WIDE_MARKS,    // full-width punctuation in a source
  HIDDEN_MARKS,  // invisible characters in a source
  ENCODING,      // a source that is not UTF-8
};

struct Cause {
  Cause_Kind kind = FROM_MESSAGE;
  const Source* source = nullptr;  // the file it lies in; nullptr for the program as a whole
  size_t record = 0;               // FROM_MESSAGE: its message's index among the records
  std::vector<size_t> followers;   // the messages folded into it, in order
  std::vector<Mark> marks;         // WIDE_MARKS and HIDDEN_MARKS: the characters
  std::vector<int> lines;          // the lines it touches: what follows from it may lie there
  int region_end = 0;              // when it derails the compiler: the last line it spoils
};

// The causes behind a compile's records, in the order they were met; the
// sources are the user's files, `failed` whether the compile failed.
std::vector<Cause> Group_Causes(const std::vector<Record>& records,
                                const std::vector<Source>& sources, bool failed);

// The user's source that the compiler names `file`, or nullptr: a header of
// the library, or a program's own name.
const Source* Users_File(const std::vector<Source>& sources, const std::string& file);

// The notes that follow records[index]: the indices of the records after it
// up to the next message.
std::vector<size_t> Notes_Of(const std::vector<Record>& records, size_t index);
