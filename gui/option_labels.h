// Texts of the PPD option rows, without the toolkit: the kind of an option
// by its keyword, the UTF-8 to Latin-1 conversion of PPD texts for Motif's
// Latin-1 fonts, the centred group titles, and the limit of special fields.
#pragma once

#include <cstddef>
#include <string>

// Kinds of options on the option pages.
enum OptionKind {
  kOptionOrdinary = 0,
  kOptionMailbox = 1,          // spin box
  kOptionSecuredPassword = 2,  // text field, shown as '*'
  kOptionUserId = 3,           // text field, clear text
  kOptionUserPassword = 4,     // text field, shown as '*'
  kOptionPageRegion = 5,       // no row, no record, never sent
};

// The kind of an option keyword (exact, case-sensitive).
int getSpecialOptionKind(const char* keyword);

// True for options that take part in the choice tables and constraints.
inline bool isOrdinaryOption(const char* keyword) { return getSpecialOptionKind(keyword) == kOptionOrdinary; }

// A PPD text for a Latin-1 label: reads at most 256 bytes of `text`, turns
// the two-byte UTF-8 forms of the Latin-1 letters and signs (after 0xC2 or
// 0xC3) into their one byte, keeps the first byte alone for other second
// bytes, copies every other byte. The result holds at most size - 1 bytes.
std::string fromKPL2Ascii(const char* text, size_t size);

// A PPD text for a Latin-1 label by the PPD's encoding (ppd_file_t's
// lang_encoding): libcups hands its texts over as "UTF-8", whose characters
// up to U+00FF become their Latin-1 byte and any other character '?';
// "ISOLatin1", "WindowsANSI" and a missing encoding keep the bytes. At most
// 256 bytes of `text` are read; the result holds at most size - 1 bytes.
std::string ppdTextToLatin1(const char* text, size_t size, const char* encoding);

// A group title centred in a line of 82 columns between dashes:
// (80 - length) / 2 dashes, a blank, the text, a blank, dashes up to 82.
// A text of 84 characters or more is returned unchanged; one of 81 to 83
// gets its blanks and no dash (the label shows it whole).
std::string centredGroupTitle(const std::string& text);

// The page has ten slots for the special text fields of one PPD.
constexpr int kSpecialFieldSlots = 10;

// The longest model name the model-name field shows.
constexpr size_t kModelFieldChars = 32;
