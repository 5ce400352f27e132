#pragma once
// The words that a real java.exe hands the application: those it was started with, wildcards
// expanded.

#include <vector>

#include "command_words.h"
#include "wine_text.h"

// The words (the program's name left out) in UTF-16, each read through the 8-bit code page.
// Like a real java.exe (its launcher passes them to LauncherHelper.expandArgs), a word after
// "-jar <archive>" that held '*' or '?' outside double quotes is replaced by the paths of the
// entries of its folder whose names its last part matches without regard for case, each as the
// word's folder part (slashes made backslashes) and the name, ordered by name as NTFS lists a
// folder. A word that matches nothing, or whose folder part holds a wildcard, stays as it is.
std::vector<WideText> expandedWords(const std::vector<CommandWord>& words);
