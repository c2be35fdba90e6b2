// The counter's numbers without any widget: the 32-bit value words in their
// three formats, the shown text, the check of typed text and the arithmetic
// of one step. Kept apart from the widget so that it can be read and tested
// on its own.
#pragma once

#include <string>

// The value words of one counter: an int each for the decimal and
// hexadecimal formats, the bits of a float for the floating point format.
struct CounterWords {
  int format;
  int minimum;
  int maximum;
  int increment;
};

// A word as the given format holds it: for floating point, a word whose top
// byte is 0x00 or 0xFF is an int and becomes float bits; for decimal, a word
// whose top byte is anything else is float bits and becomes an int.
int counterNormaliseWord(int format, int word);

// The number a word stands for in the given format.
double counterWordToNumber(int format, int word);

// The word for a number: float bits, or the number's integer part. False
// when the number is NaN or beyond what the word can hold.
bool counterNumberToWord(int format, double number, int* word);

// True when minimum and maximum differ, that is when the limits apply.
bool counterHasLimits(const CounterWords& words);

// True when the number lies within the limits (or there are none).
bool counterWithinLimits(const CounterWords& words, double number);

// The text shown for a number ("%-*.*f", "%-*d" or "%-*x" with width
// columns), trailing blanks removed.
std::string counterFormatText(int format, int columns, int decimalPoints, double number);

// Reads a text by format (empty or a sign alone reads as 0). False when the
// text holds no number the word could hold.
bool counterParseText(int format, const std::string& text, double* number);

// Whether a text holds a digit of its format, that is more than a sign or a
// point alone.
bool counterTextHasDigit(int format, const std::string& text);

// Whether a text may stand in the text field: decimal an optional sign and
// digits, hexadecimal only hex digits, floating point an optional sign,
// digits and at most one point.
bool counterTextAcceptable(int format, const std::string& text);

// One step: current + times x increment, computed without overflow, clamped
// to the limits when clamp is set and limits apply. False when the result is
// NaN or beyond what a word can hold.
bool counterStep(const CounterWords& words, double current, double times, bool clamp,
                 double* result);
