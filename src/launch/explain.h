// Short Chinese explanations of the common ways a beginner's program crashes.
#pragma once

#include <string>

// The explanation of a Windows exit code such as 0xC0000005; "" for one
// without an entry (an ordinary return value among them).
std::string Explain_Exit_Code(long long code);

// The explanation of a POSIX signal given by name, such as "SIGSEGV"; "" for
// one without an entry.
std::string Explain_Signal(const std::string& name);
