#pragma once
// Matching a file name against a pattern of a command-line word.

#include <string>

// True when `name` matches `pattern` whole: '*' stands for any run of characters, '?' for
// exactly one (a surrogate pair is one character, as in a Java glob), and every other unit for
// itself. Units are compared as they are: a caller that wants no regard for case folds both.
bool matchesWildcard(const std::u16string& name, const std::u16string& pattern);
