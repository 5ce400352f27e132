#pragma once
// Bounded operations on zero-terminated texts held in fixed-capacity fields.
// Every writer takes the field's capacity (terminator included) and answers
// false, leaving the field unchanged, when the result would not fit: texts are
// never cut and never written past their field.

#include <stddef.h>

size_t textLength(const char* text);
bool isEmpty(const char* text);

// Copies the first `length` bytes of `source` (which need no terminator) into `destination`.
bool copyBytesAsText(char* destination, size_t capacity, const char* source, size_t length);
bool copyText(char* destination, size_t capacity, const char* source);
bool appendText(char* destination, size_t capacity, const char* source);
bool appendChar(char* destination, size_t capacity, char character);
// Appends the decimal form of `value`. (A 32-bit number: dividing a wider one
// would draw libgcc's division routines into the launcher's image.)
bool appendNumber(char* destination, size_t capacity, unsigned long value);

// Equality with ASCII letters compared without regard to case.
bool equalsIgnoringCase(const char* left, const char* right);

// The same writers for fields declared as arrays, whose capacity the compiler knows.
template <size_t N> bool copyText(char (&destination)[N], const char* source) {
    return copyText(destination, N, source);
}
template <size_t N> bool appendText(char (&destination)[N], const char* source) {
    return appendText(destination, N, source);
}
template <size_t N> bool appendChar(char (&destination)[N], char character) {
    return appendChar(destination, N, character);
}
template <size_t N> bool appendNumber(char (&destination)[N], unsigned long value) {
    return appendNumber(destination, N, value);
}
