// The names a beginner's slips are measured against, and the headers of the
// standard names.
#include "cc/catalogue.h"

#include "cc/pattern.h"

namespace {

struct Home {
  const char* header;
  const char* names;  // blank-separated
};

const Home HOMES[] = {
    {"<iostream>", "cin cout cerr endl"},
    {"<cstdio>",
     "printf scanf puts getchar putchar fgets freopen fopen fclose sprintf sscanf "
     "fprintf"},
    {"<cmath>", "sqrt pow fabs sin cos tan atan atan2 floor ceil round log log2 log10 exp hypot"},
    {"<cstring>", "strlen strcpy strncpy strcmp strncmp strcat strchr strstr memset memcpy memcmp"},
    {"<cstdlib>", "rand srand exit atoi atol malloc free qsort system"},
    {"<algorithm>",
     "sort stable_sort max min swap reverse unique lower_bound upper_bound "
     "binary_search next_permutation prev_permutation fill max_element min_element"},
    {"<iomanip>", "setw setprecision setfill"},
    {"<climits>", "INT_MAX INT_MIN LLONG_MAX LLONG_MIN LONG_MAX LONG_MIN"},
    {"<cctype>", "isdigit isalpha isalnum isupper islower isspace tolower toupper"},
    {"<string>", "string getline to_string stoi stoll stod"},
    {"<vector>", "vector"},
    {"<map>", "map multimap"},
    {"<set>", "set multiset"},
    {"<queue>", "queue priority_queue"},
    {"<stack>", "stack"},
    {"<utility>", "pair make_pair"},
    {"<numeric>", "accumulate iota"},
    {"<sstream>", "stringstream istringstream ostringstream"},
};

}  // namespace

const char* const HEADERS[] = {
    "iostream", "cstdio",  "cstring",       "cmath",   "algorithm",     "string",        "vector",
    "map",      "set",     "queue",         "stack",   "deque",         "list",          "bitset",
    "iomanip",  "cstdlib", "climits",       "utility", "numeric",       "sstream",       "fstream",
    "ctime",    "cctype",  "unordered_map", "cassert", "unordered_set", "bits/stdc++.h", "stdio.h",
    "string.h", "math.h",  "stdlib.h",
};

const size_t HEADER_COUNT = sizeof HEADERS / sizeof HEADERS[0];

const char* const KNOWN_NAMES[] = {
    // The words of C++ a beginner types.
    "return",
    "int",
    "long",
    "double",
    "float",
    "char",
    "bool",
    "void",
    "while",
    "for",
    "if",
    "else",
    "break",
    "continue",
    "switch",
    "case",
    "default",
    "struct",
    "const",
    "unsigned",
    "signed",
    "short",
    "sizeof",
    "true",
    "false",
    "auto",
    "static",
    "using",
    "namespace",
    "include",
    "define",
    "typedef",
    "class",
    "public",
    "private",
    "do",
    "main",
    // The standard names a beginner uses.
    "cin",
    "cout",
    "cerr",
    "endl",
    "string",
    "vector",
    "printf",
    "scanf",
    "puts",
    "getchar",
    "putchar",
    "freopen",
    "sqrt",
    "pow",
    "abs",
    "fabs",
    "floor",
    "ceil",
    "memset",
    "memcpy",
    "strlen",
    "strcpy",
    "strcmp",
    "strcat",
    "sort",
    "max",
    "min",
    "swap",
    "reverse",
    "unique",
    "getline",
    "push_back",
    "size",
    "length",
    "begin",
    "end",
    "pair",
    "make_pair",
    "map",
    "set",
    "queue",
    "stack",
    "priority_queue",
    "deque",
    "setw",
    "setprecision",
    "fixed",
    "INT_MAX",
    "INT_MIN",
    "LLONG_MAX",
    "NULL",
    "nullptr",
    "EOF",
    "stdin",
    "stdout",
};

const size_t KNOWN_NAME_COUNT = sizeof KNOWN_NAMES / sizeof KNOWN_NAMES[0];

const char* const STANDARD_MEMBERS =
    "push_back pop_back push_front pop_front push pop top front back size empty clear insert "
    "erase find count begin end rbegin rend first second length substr lower_bound upper_bound "
    "emplace emplace_back resize reserve assign at c_str append";

const char* const STD_ONLY_NAMES =
    "cin cout cerr endl string vector map multimap set multiset queue priority_queue stack deque "
    "list pair make_pair getline stringstream istringstream ostringstream unordered_map "
    "unordered_set bitset sort stable_sort max min swap reverse unique lower_bound upper_bound "
    "binary_search next_permutation prev_permutation fill max_element min_element to_string stoi "
    "stoll stod setw setprecision setfill fixed greater less accumulate iota";

std::string Header_Of(const std::string& name) {
  for (const Home& home : HOMES)
    if (In_List(home.names, name)) return home.header;
  return "";
}
