#pragma once
// Building the started runtime's command line.

#include <stddef.h>

// Appends one argument so that the C run-time's command-line splitting gives
// it back exactly: an argument that is empty or holds a blank, tab or double
// quote is put between double quotes, with each double quote and the
// backslashes before it escaped.
bool appendQuotedArgument(char* destination, size_t capacity, const char* argument);

// Joins arguments 1 to count-1, each quoted as above, separated by one blank.
bool joinArguments(int count, char** arguments, char* destination, size_t capacity);
