// Reading numbers and cleaning texts the way the filter's options and files
// need them.
#pragma once

#include <string>

// Reads the decimal integer that starts the text (after blanks, with an
// optional sign); text that does not start with a number reads as 0. Values
// beyond the int range saturate at INT_MIN / INT_MAX.
int leadingInt(const char* text);
inline int leadingInt(const std::string& text) { return leadingInt(text.c_str()); }

// The same number when it lies within lowest..highest; a number outside
// (also one beyond the int range) reads as 0, as text that is no number.
int leadingIntIn(const char* text, int lowest, int highest);

// True for the ASCII control characters (0..31 and 127).
bool isControlChar(char c);

// The text up to its first control character or blank.
std::string cutAtControlOrBlank(const std::string& text);
