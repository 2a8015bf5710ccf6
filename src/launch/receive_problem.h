// A problem as the browser extension Competitive Companion sends it: JSON in
// the body of a POST, read and checked before anything is written.
#pragma once

#include <string>
#include <vector>

struct Received_Sample {
  std::string input;
  std::string answer;
};

struct Received_Problem {
  std::string name;         // as the judge shows it: "P1001 A+B Problem", "A. Spell Check"
  std::string group;        // the contest or the judge; "" when not sent
  std::string url;          // the problem's page
  double time_ms = 0;       // the time limit; 0 when none can be used
  double memory_mb = 0;     // the memory limit; 0 when none can be used
  std::string input_file;   // the file it reads; "" for standard input
  std::string output_file;  // the file it writes; "" for standard output
  bool interactive = false;
  std::vector<Received_Sample> samples;
  std::string batch;               // the id of the batch it came in (a whole contest); "" for none
  long long batch_size = 1;        // how many problems that batch holds
  std::vector<std::string> notes;  // what was sent but cannot be used, in plain words
};

// The largest body read: far more than any problem with its samples.
extern const size_t RECEIVED_MOST;

// Reads a problem from the body of a request; false, with why in plain
// Chinese words, for anything that is not one.
bool Read_Problem(const std::string& body, Received_Problem& problem, std::string& why);

// Whether `name` can be a file in a contest folder on every system: ASCII
// letters, digits, '.', '_' and '-', at most 64 of them, not starting with a
// dot, not ending with one, and no name that Windows keeps for a device.
bool Safe_File_Name(const std::string& name);

// Whether Windows keeps the name for a device ("CON", "nul.txt", "COM1"):
// no file can have it there.
bool Device_Name(const std::string& name);
