#include "version_order.h"

#include <stddef.h>

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// One number of a version text: its digits without leading zeros (none for zero).
struct VersionNumber {
    const char* digits;
    size_t length;
};

// Reads the next number at or after `cursor` and moves past it; false when none is left.
bool nextNumber(const char*& cursor, VersionNumber& number) {
    while (*cursor != '\0' && !isDigit(*cursor)) ++cursor;
    if (*cursor == '\0') return false;
    while (*cursor == '0') ++cursor;
    number.digits = cursor;
    while (isDigit(*cursor)) ++cursor;
    number.length = static_cast<size_t>(cursor - number.digits);
    return true;
}

bool hasNumber(const char* cursor) {
    VersionNumber ignored;
    return nextNumber(cursor, ignored);
}

// Places the cursor at the first number that counts, past a leading 1 that another number follows.
const char* significantStart(const char* text) {
    const char* cursor = text;
    VersionNumber first;
    if (nextNumber(cursor, first) && first.length == 1 && first.digits[0] == '1' && hasNumber(cursor)) return cursor;
    return text;
}

// Numbers without leading zeros compare by their length first, then digit by digit.
int compareNumbers(const VersionNumber& left, const VersionNumber& right) {
    if (left.length != right.length) return left.length < right.length ? -1 : 1;
    for (size_t i = 0; i < left.length; ++i) {
        if (left.digits[i] != right.digits[i]) return left.digits[i] < right.digits[i] ? -1 : 1;
    }
    return 0;
}

}  // namespace

int compareVersions(const char* left, const char* right) {
    const char* leftCursor = significantStart(left);
    const char* rightCursor = significantStart(right);
    for (;;) {
        VersionNumber leftNumber;
        VersionNumber rightNumber;
        const bool leftHas = nextNumber(leftCursor, leftNumber);
        const bool rightHas = nextNumber(rightCursor, rightNumber);
        if (!leftHas || !rightHas) return leftHas == rightHas ? 0 : (leftHas ? 1 : -1);
        const int order = compareNumbers(leftNumber, rightNumber);
        if (order != 0) return order;
    }
}
