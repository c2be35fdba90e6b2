// The vendor and PJL keyword values of the job header, as data: each table
// maps a setting's number to the word the header writes for it.
#pragma once

struct KeywordValue {
  int value;
  const char* word;
};

struct KeywordTable {
  const KeywordValue* rows;
  int count;
};

// The word for value, or nullptr when the table has none.
const char* keywordFor(const KeywordTable& table, int value);

extern const KeywordTable kMediaSourceWords;       // after tray renumbering
extern const KeywordTable kOutputBinPlainWords;    // "@PJL SET OUTBIN=" lines
extern const KeywordTable kOutputBinCommentWords;  // vendor OUTBIN= lines
extern const KeywordTable kSorterWords;            // old keyword set
extern const KeywordTable kSorterNewWords;         // with -E
extern const KeywordTable kBindingWords;
extern const KeywordTable kStapleWords;
extern const KeywordTable kPunchWords;
extern const KeywordTable kPunchHoleWords;
extern const KeywordTable kOffOnWords;             // 0 GENERICOFF, 1 GENERICON
extern const KeywordTable kResolutionWords;
extern const KeywordTable kImageCompressionWords;  // others: DEFAULT
extern const KeywordTable kHalftoneWords;
extern const KeywordTable kPageOrderWords;
extern const KeywordTable kMediaTypeWords;
extern const KeywordTable kGraphicsSmoothingWords;
extern const KeywordTable kSharpnessWords;
extern const KeywordTable kEdgeSmoothingWords;
extern const KeywordTable kCoverModeWords;
extern const KeywordTable kCoverSourceAdvanceWords;  // second advance flag set
extern const KeywordTable kCoverSourceWords;         // otherwise
extern const KeywordTable kPlainMediaTypeWords;      // others: PAPER
extern const KeywordTable kPlainStapleWords;         // others: NONE
extern const KeywordTable kJobTypeWords;             // others: PRINT
extern const KeywordTable kPersonalityWords;         // others: AUTO
extern const KeywordTable kDensityFineAdjustValues;  // others: 3
extern const KeywordTable kNupHintValues;            // others: 1

// One fold setting's five vendor lines, in the order ZFOLD, CFOLD,
// ACCORDIONZ, DOUBLEPARALLELFOLD, HALFFOLD. nullptr: no line; a CFOLD entry
// marked foldListOnly is written only for models of the fold list.
struct FoldRow {
  int fold;  // -1: the row for every other value
  const char* out[5];  // fold side not 0 (or not given)
  const char* in[5];   // fold side 0
  bool foldListOnly;
};

extern const char* const kFoldKeywords[5];
// The row for a fold value (the catch-all row when none matches).
const FoldRow& foldRowFor(int fold);
