#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The lines a terminal `columns` wide shows after it received `bytes` (UTF-8), from the top of its
// scroll-back to the bottom. It works as a VT-style terminal does: a carriage return goes to the start
// of the row, a line feed to the row below, a backspace one column back, a tab to the next multiple of
// 8 columns (or the last) over what is there; a character takes one column
// and replaces what was there; a character beyond the last column goes to the start of the next row
// (the cursor waits at the edge until one comes). Rows that one line filled and wrapped are joined again
// into that line. Trailing blanks are dropped, and so are empty rows at the end. Any other control
// character, an escape sequence's first of all, throws std::runtime_error.
std::vector<std::string> renderScreen(const std::string& bytes, std::size_t columns);
