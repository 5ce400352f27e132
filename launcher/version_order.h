#pragma once
// The one order of Java version texts, whatever their spelling.

// Compares two version texts as sequences of numbers: every run of digits is
// one number, compared by its value however long it is, and any run of other
// characters only separates numbers. A leading 1 followed by another number is
// dropped, so 1.8.0_392, 8.0.392.8 and 8.0.392 all begin with 8 and 1.4.2 with
// 4. A sequence that begins another sorts below it (1.4 below 1.4.0).
// Answers below zero, zero or above zero; texts of equal numbers are equal.
int compareVersions(const char* left, const char* right);
