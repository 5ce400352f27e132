#include "command_line.h"

#include "arguments_property_name.h"
#include "fixed_text.h"
#include "launch_state.h"
#include "system_text.h"

// Wildcards are quoted as well: a real java.exe replaces an application
// argument that holds '*' or '?' outside double quotes by the names of the
// files it matches, which changes it and can add words before those that the
// property stands in for. No Windows name holds either character, so quoting
// changes no path's meaning.
static bool needsQuotes(const char* argument) {
    if (isEmpty(argument)) return true;
    for (const char* c = argument; *c != '\0'; ++c) {
        if (*c == ' ' || *c == '\t' || *c == '\n' || *c == '\v' || *c == '"' || *c == '*' || *c == '?') return true;
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

bool joinArguments(int count, const platform::WideChar* const* arguments, char* destination, size_t capacity,
                   bool* lost) {
    destination[0] = '\0';
    *lost = false;
    for (int i = 0; i < count; ++i) {
        // An argument that the code page cannot hold goes on as the short name
        // of the file it names, or else as far as it can be shown; the
        // property carries it exactly.
        char argument[kPartCapacity];
        const TakenText taken = takeSystemText(arguments[i], argument);
        if (taken == TakenText::tooLong) return false;
        if (taken != TakenText::exact) *lost = true;
        if (i > 0 && !appendChar(destination, capacity, ' ')) return false;
        if (!appendQuotedArgument(destination, capacity, argument)) return false;
    }
    return true;
}

bool appendArgumentsProperty(int count, const platform::WideChar* const* arguments, char* destination,
                             size_t capacity) {
    if (!appendText(destination, capacity, kArgumentsPropertyOption)) return false;
    for (int i = 0; i < count; ++i) {
        if (i > 0 && !appendChar(destination, capacity, ',')) return false;
        if (!appendPercentEncoded(destination, capacity, arguments[i])) return false;
    }
    return true;
}
