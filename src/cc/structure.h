// How a source's brackets nest, read from its code alone: where a fault in
// them lies when the compiler only notices it far away.
#pragma once

#include "cc/source.h"

// How many ( stay open at the end of the statement on `line`, when that
// statement stands on that line alone (negative for more ) than (); 0 for
// a statement that spans several lines.
int Open_Parentheses(const Source& source, int line);

// The same for [ and ].
int Open_Brackets(const Source& source, int line);

// The last line of the function (or other outermost { }) around `line`;
// the last line of the file for a line outside any, or one whose "}" is missing.
int Region_End(const Source& source, int line);

// The line of the "{" whose "}" is missing, judged by the indentation: the
// "{" after which the code comes back to its line's indentation (or further
// out) without a "}" there. 0 when the indentation tells nothing for sure.
int Unclosed_Brace(const Source& source);

// The line of a "}" that closes a function before its end, judged by the
// indentation: a "}" indented deeper than the "{" it closes. 0 when there
// is none for sure.
int Extra_Brace(const Source& source);

// The line of the if that the else on `line` belongs to, judged by the
// indentation; 0 for none close by.
int If_Of_Else(const Source& source, int line);

// The line of the "{" that opens the innermost { } around `line` ("for
// (…)" and the like count as part of the block they head); 0 at the top.
int Block_Start(const Source& source, int line);

// The line of the "}" that closes the block opened on `start`; 0 when it
// never closes.
int Block_End(const Source& source, int start);
