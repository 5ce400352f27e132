#include "fixed_text.h"

size_t textLength(const char* text) {
    size_t length = 0;
    while (text[length] != '\0') ++length;
    return length;
}

bool isEmpty(const char* text) { return text[0] == '\0'; }

bool copyBytesAsText(char* destination, size_t capacity, const char* source, size_t length) {
    if (length >= capacity) return false;
    for (size_t i = 0; i < length; ++i) destination[i] = source[i];
    destination[length] = '\0';
    return true;
}

bool copyText(char* destination, size_t capacity, const char* source) {
    return copyBytesAsText(destination, capacity, source, textLength(source));
}

bool appendText(char* destination, size_t capacity, const char* source) {
    const size_t used = textLength(destination);
    return copyBytesAsText(destination + used, capacity - used, source, textLength(source));
}

bool appendChar(char* destination, size_t capacity, char character) {
    const size_t used = textLength(destination);
    return copyBytesAsText(destination + used, capacity - used, &character, 1);
}

bool appendNumber(char* destination, size_t capacity, unsigned long value) {
    char digits[24];
    size_t count = 0;
    do {
        digits[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    char reversed[24];
    for (size_t i = 0; i < count; ++i) reversed[i] = digits[count - 1 - i];
    const size_t used = textLength(destination);
    return copyBytesAsText(destination + used, capacity - used, reversed, count);
}

static char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalsIgnoringCase(const char* left, const char* right) {
    size_t i = 0;
    while (left[i] != '\0' && lowerAscii(left[i]) == lowerAscii(right[i])) ++i;
    return lowerAscii(left[i]) == lowerAscii(right[i]);
}
