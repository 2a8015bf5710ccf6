// One message of the compiler explained by the catalogue of situations.
#pragma once

#include <string>
#include <vector>

#include "cc/diagnostics.h"
#include "cc/source.h"

struct Explained {
  size_t situation = 0;            // its entry in SITUATIONS
  const Source* source = nullptr;  // the file where the fault lies; nullptr for none
  int line = 0;                    // the line where it lies; 0 for none
  std::string name;                // the name it is about, for situations told once a name
  std::vector<std::string> words;  // what the patterns kept from the message and its note
  std::string means;               // what it means, filled in
  std::string todo;                // what to do, filled in
};

// Explains diagnostics[index] with the first situation that fits it, using
// the notes after it and the user's sources; `exe` is the program's file
// name. False when no situation fits.
bool Explain(const std::vector<Diagnostic>& diagnostics, size_t index,
             const std::vector<Source>& sources, const std::string& exe, Explained& hint);

// The user's source that the compiler names `file`, or nullptr: a header of
// the library, or the compiler's own name.
const Source* Users_File(const std::vector<Source>& sources, const std::string& file);
