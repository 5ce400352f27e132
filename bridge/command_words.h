#pragma once
// Splitting a Windows command line into words, as a program's C run-time does for its argv.

#include <string>
#include <vector>

struct CommandWord {
    std::string text;
    // True when the word held '*' or '?' outside double quotes: such a word a real java.exe
    // takes for a pattern of file names when it stands among the application's arguments.
    bool wildcard;
};

// The words of an 8-bit command line by the rules of Microsoft's C run-time, the program's name
// first. The name runs to the first blank or tab outside double quotes, and its quotes are
// dropped. Every later word does the same, except that 2n backslashes before a double quote
// stand for n backslashes, 2n+1 of them for n and a literal double quote, and two double
// quotes inside quotes for one literal double quote; other backslashes are literal. A code
// page of one byte per character is assumed (1252 under Wine), so no byte is a trail byte.
std::vector<CommandWord> commandWords(const char* commandLine);
