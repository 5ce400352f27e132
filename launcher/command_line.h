#pragma once
// Building the started runtime's command line.

#include <stddef.h>

#include "platform/platform.h"

// Appends one argument so that the C run-time's command-line splitting gives
// it back exactly: an argument that is empty or holds a blank, tab, double
// quote, '*' or '?' is put between double quotes, with each double quote and
// the backslashes before it escaped. A real java.exe takes a wildcard outside
// double quotes as a pattern and passes on the names it matches instead.
bool appendQuotedArgument(char* destination, size_t capacity, const char* argument);

// Joins the arguments, each taken into the code page (system_text.h) and
// quoted as above, separated by one blank; sets `lost` when any of them did
// not arrive exactly. False when they do not fit.
bool joinArguments(int count, const platform::WideChar* const* arguments, char* destination, size_t capacity,
                   bool* lost);

// Appends the system property that holds the arguments exactly, for the
// application to take them from: each UTF-8 and percent-encoded, separated by
// commas. False when it does not fit.
bool appendArgumentsProperty(int count, const platform::WideChar* const* arguments, char* destination, size_t capacity);
