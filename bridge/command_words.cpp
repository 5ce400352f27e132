#include "command_words.h"

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

bool isWildcard(char c) { return c == '*' || c == '?'; }

const char* skipBlanks(const char* c) {
    while (isBlank(*c)) ++c;
    return c;
}

// The program's name: quotes only switch quoting on and off, backslashes are literal.
const char* takeProgramName(const char* c, CommandWord& word) {
    bool quoted = false;
    for (; *c != '\0' && (quoted || !isBlank(*c)); ++c) {
        if (*c == '"') {
            quoted = !quoted;
        } else {
            word.wildcard = word.wildcard || (!quoted && isWildcard(*c));
            word.text += *c;
        }
    }
    return c;
}

const char* takeArgument(const char* c, CommandWord& word) {
    bool quoted = false;
    for (;;) {
        size_t backslashes = 0;
        for (; *c == '\\'; ++c) ++backslashes;
        bool literal = true;
        if (*c == '"') {
            if (backslashes % 2 == 0) {
                if (quoted && c[1] == '"') {
                    ++c;  // "" inside quotes: one literal quote, and quoting goes on
                } else {
                    literal = false;
                    quoted = !quoted;
                }
            }
            backslashes /= 2;
        }
        word.text.append(backslashes, '\\');
        if (*c == '\0' || (!quoted && isBlank(*c))) return c;
        if (literal) {
            word.wildcard = word.wildcard || (!quoted && isWildcard(*c));
            word.text += *c;
        }
        ++c;
    }
}

}  // namespace

std::vector<CommandWord> commandWords(const char* commandLine) {
    std::vector<CommandWord> words(1, CommandWord{"", false});
    const char* c = skipBlanks(takeProgramName(commandLine, words.front()));
    while (*c != '\0') {
        words.push_back(CommandWord{"", false});
        c = skipBlanks(takeArgument(c, words.back()));
    }
    return words;
}
