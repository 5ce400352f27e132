#include "command_line.h"

#include "fixed_text.h"

static bool needsQuotes(const char* argument) {
    if (isEmpty(argument)) return true;
    for (const char* c = argument; *c != '\0'; ++c) {
        if (*c == ' ' || *c == '\t' || *c == '\n' || *c == '\v' || *c == '"') return true;
    }
    return false;
}

static bool appendBackslashes(char* destination, size_t capacity, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        if (!appendChar(destination, capacity, '\\')) return false;
    }
    return true;
}

bool appendQuotedArgument(char* destination, size_t capacity, const char* argument) {
    if (!needsQuotes(argument)) return appendText(destination, capacity, argument);
    const size_t originalLength = textLength(destination);
    bool fits = appendChar(destination, capacity, '"');
    for (const char* c = argument; fits; ++c) {
        size_t backslashes = 0;
        while (*c == '\\') {
            ++backslashes;
            ++c;
        }
        if (*c == '\0') {
            // Backslashes before the closing quote are doubled so they stay literal.
            fits = appendBackslashes(destination, capacity, backslashes * 2) && appendChar(destination, capacity, '"');
            break;
        }
        if (*c == '"') {
            fits =
                appendBackslashes(destination, capacity, backslashes * 2 + 1) && appendChar(destination, capacity, '"');
        } else {
            fits = appendBackslashes(destination, capacity, backslashes) && appendChar(destination, capacity, *c);
        }
    }
    if (!fits) destination[originalLength] = '\0';
    return fits;
}

bool joinArguments(int count, char** arguments, char* destination, size_t capacity) {
    destination[0] = '\0';
    for (int i = 1; i < count; ++i) {
        if (i > 1 && !appendChar(destination, capacity, ' ')) return false;
        if (!appendQuotedArgument(destination, capacity, arguments[i])) return false;
    }
    return true;
}
