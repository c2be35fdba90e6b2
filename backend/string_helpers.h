// Text routines shared by the back end and the screens. A blank is a byte at
// or below 32 unless a routine says otherwise; positions are byte offsets.
#pragma once

#include <string>
#include <vector>

// First position at or after `pos` holding a byte above 32 (or the end).
size_t skipBlanks(const std::string& text, size_t pos = 0);
// As skipBlanks, but stops at a line feed.
size_t skipBlanksInLine(const std::string& text, size_t pos = 0);
// First position at or after `pos` holding a byte at or below 32 (the word's end).
size_t skipWord(const std::string& text, size_t pos = 0);

// Cuts `text` to min(length, limit) bytes, then cuts trailing blanks (32) and
// line feeds. Returns the position of the last kept byte, -1 when none is left.
int trimRight(std::string& text, size_t limit = std::string::npos);

// A queue name out of a listing line: trailing blanks and ":" cut, a leading
// "*" and one white-space byte after it skipped. Texts over 1000 bytes stay.
std::string stripQueueMarker(const std::string& text);

// The decimal number at the start of `text` (blanks, an optional sign, then
// digits; what follows the digits is ignored) when it lies in lo..hi; false,
// with `value` untouched, for no digits or a number outside the range
// (however long).
bool leadingDecimalInRange(const std::string& text, long lo, long hi, int* value);

// n bytes: the first min(length, n) bytes of the text, then blanks.
std::string padString(const std::string& text, size_t length, size_t n);

// The text centred in a 14-byte field of blanks (the queue-name banner).
std::string centerLabelText(const std::string& text);

// A backslash before each blank, "(", ")" and "%".
std::string escapeForShell(const std::string& text);
// Blanks removed, each "," made "#".
std::string commasToHashes(const std::string& text);
int isNonEmpty(const char* text);
int alwaysTrue();
// The part after the first line feed ("" when there is none).
std::string nextLine(const std::string& text);
// "/" appended when the text does not end in one.
std::string addTrailingSlash(const std::string& text);
// 1 when `name` occurs first at the list's start, or between "|" and "|" or ":".
int matchAlias(const std::string& aliasList, const std::string& name);
// 1 for "*.ppd" and "*.ppd.gz" (any case of "ppd").
int isPPDFileName(const std::string& name);
// "KRPA" 4, "POSTSCRIPT" 1, "PCL" 2, "PXL" 3, "RAW" 5 (substrings, in this order), else 0.
int printerTypeFromText(const std::string& text);
// Upper-case copy; 0 (and an empty output) for a null text.
int toUpperCopy(const char* text, std::string* output);
// Trailing blanks and ":" cut; the part after the first "/" when there is one;
// null gives "NONE".
std::string stripHostPart(const char* text);
// Cut at the first "/", then trailing ":" and blanks removed.
std::string cutAtSlash(const std::string& text);
// The part after the first "!", or the whole text.
std::string afterBang(const std::string& text);
// The part after the first line feed, or the whole text; null gives "NONE".
std::string afterFirstLine(const char* text);
// 0 when the first text is empty; else the number of texts, at most 128.
int countStrings(const std::vector<std::string>& texts);

// Keeps a non-empty ppdFile aside, and puts a non-empty kept one back.
void savePPDFileName();
void restorePPDFileName();

// The login name of the effective user (1), or "userUnknown" (0).
int getUserName(std::string* output);

// Expands "$NAME", "${NAME}" and a leading "~" or "~user" in the word, in
// place, without a shell; the result is right-trimmed. Nothing else is
// interpreted: "$(cmd)" or "a;b" stay as they are. Returns 0.
int expandShellWord(std::string& word);

// The mailbox summary code "#C..S:.." from the mailbox and secure-print bits
// of the state; returns the mailbox bits 0x1100.
int makeSummaryCode(std::string* output);
// Reads a summary code back into the state's mailbox and secure-print bits.
void getMailBoxInfo(const std::string& code);
