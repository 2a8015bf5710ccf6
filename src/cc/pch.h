// The precompiled <bits/stdc++.h>: which compiles one can serve, where it is
// kept, and how it is made in the background for the compiles after this one.
//
// GCC prints the file a header was included from as the precompiled header
// recorded it, so each one is made for one source: a small header that names
// itself after the source and holds its #include line on the same line
// number. The compiler's messages then come out byte for byte as without it.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

// The companion's own option that turns precompiled headers off; never passed to g++.
extern const char* const NO_PCH_OPTION;
// Set (to anything) in the environment, it turns them off as well.
extern const char* const NO_PCH_VARIABLE;
// The first word that makes the companion prepare a header instead of compiling.
extern const char* const PREPARE_WORD;

// A compile that a precompiled header can serve, as its words and source tell.
struct Pch_Plan {
  std::string compiler;              // the real g++
  std::vector<std::string> options;  // the words that shape the header: the compile's, less the
                                     // output, the source and what only the linker reads
  std::string source;                // the source as g++ is given it
  int line = 0;                      // the line of its #include <bits/stdc++.h>
  std::string include;               // that line as it is written
  std::string key;                   // all of the above, and the environment that matters
  std::string entry;                 // the cache folder kept for this key
};

// The line of `text` that includes <bits/stdc++.h> when only blank lines and
// comments that draw no warning come before it; 0 otherwise. `include` gets
// the line as written.
int Stdcpp_Include_Line(const std::string& text, std::string& include);

// Whether a header precompiled with the compile's options would leave g++'s
// result and words exactly as they are without it: one C++ source, and only
// options known to change nothing else (none that search other folders, show
// the included files, or stop before compiling). Fills the plan's options and source.
bool Pch_Options(const std::vector<std::string>& args, Pch_Plan& plan);

// The plan for compiling `args` with `compiler`; false when no precompiled header can serve it.
bool Plan_Pch(const std::string& compiler, const std::vector<std::string>& args, Pch_Plan& plan);

// Whether g++'s first line of errors says that it could not use the
// precompiled header: it names the header, or the line that includes it.
bool Pch_Refused(const Pch_Plan& plan, const std::string& first_line);

// Whether a compile through the plan's header that ended so, saying
// `errors`, may have failed because of the header: g++ crashed or was
// killed, said it failed within itself, spoke of a precompiled header, or
// refused this one. Such a compile is done again without it.
bool Cache_Failure(const Pch_Plan& plan, const std::string& errors, const Program_End& end);

// A digest of every byte of a file, made with the header and checked before
// each use; "" when it cannot be read.
std::string Header_Digest(const std::string& path);

// Compiles as g++ would be run with `args`, through the precompiled header
// when one is ready for it, and starts preparing one when it could serve and
// is missing. What g++ wrote is passed on and kept in `out` and `errors`; the
// reason goes to `err` when g++ cannot be started.
Program_End Compile_With_Pch(const std::string& compiler, const std::vector<std::string>& args,
                             std::string& out, std::string& errors, std::string* err = nullptr);

// Prepares the header for compiling `args` with `compiler`, as the program
// started in the background does; its exit status.
int Prepare_Pch(const std::string& compiler, const std::vector<std::string>& args);
