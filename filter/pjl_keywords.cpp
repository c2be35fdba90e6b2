// Keyword tables of the PJL job header.
#include "pjl_keywords.h"

#define TABLE(name, ...)                                  \
  namespace {                                             \
  const KeywordValue name##Rows[] = {__VA_ARGS__};        \
  }                                                       \
  const KeywordTable name = {name##Rows, static_cast<int>(sizeof(name##Rows) / sizeof(name##Rows[0]))};

const char* keywordFor(const KeywordTable& table, int value) {
  for (int i = 0; i < table.count; ++i)
    if (table.rows[i].value == value) return table.rows[i].word;
  return nullptr;
}

TABLE(kMediaSourceWords, {1, "TRAY2"}, {2, "TRAY1"}, {3, "TRAY1"}, {4, "TRAY3"}, {5, "TRAY4"}, {6, "ENVELOPE"},
      {7, "AUTO"}, {8, "TRAY5"}, {20, "TRAY6"}, {21, "TRAY7"}, {22, "TRAY8"}, {23, "TRAY9"}, {24, "TRAY10"},
      {61, "TRAY6"}, {62, "TRAY7"}, {63, "TRAY8"})
TABLE(kOutputBinPlainWords, {1, "OPTIONALOUTPUTBIN1"}, {2, "OPTIONALOUTPUTBIN2"}, {3, "OPTIONALOUTPUTBIN3"},
      {4, "OPTIONALOUTPUTBIN4"}, {5, "OPTIONALOUTPUTBIN5"}, {6, "OPTIONALOUTPUTBIN6"}, {7, "OPTIONALOUTPUTBIN7"},
      {8, "OPTIONALOUTPUTBIN8"}, {9, "OPTIONALOUTPUTBIN9"}, {31, "UPPER"}, {32, "LOWER"})
TABLE(kOutputBinCommentWords, {41, "FINISHER1TRAY1"}, {42, "FINISHER1TRAY2"}, {43, "FINISHER1SAMPLETRAY1"},
      {44, "FINISHER1SADDLETRAY1"}, {45, "STACKERTRAY1"}, {46, "STACKERTRAY2"}, {47, "STACKERSAMPLETRAY1"},
      {48, "STACKERSAMPLETRAY2"}, {77, "AUTO"})
TABLE(kSorterWords, {0, "GENERICOFF"}, {1, "GENERICON"}, {2, "GENERICON"}, {3, "GROUP"}, {4, "CROSSGROUP"},
      {5, "GROUP"}, {6, "CROSSSORT"}, {7, "SORTSPSHIFT"})
TABLE(kSorterNewWords, {0, "GENERICOFF"}, {1, "SORTWOSHIFT"}, {2, "GENERICON"}, {3, "GROUPWOSHIFT"},
      {4, "CROSSGROUP"}, {5, "GROUP"}, {6, "CROSSSORT"}, {7, "SORTSPSHIFT"})
TABLE(kBindingWords, {0, "LONGEDGE"}, {1, "SHORTEDGE"})
TABLE(kStapleWords, {0, "GENERICOFF"}, {1, "ONEUPRIGHT"}, {2, "ONEUPLEFT"}, {3, "ONELOWRIGHT"}, {4, "ONELOWLEFT"},
      {5, "TWOLEFT"}, {6, "TWORIGHT"}, {7, "TWOUP"}, {8, "TWOLOW"}, {12, "SADDLESTITCH"})
TABLE(kPunchWords, {0, "GENERICOFF"}, {1, "LEFT"}, {2, "RIGHT"}, {3, "TOP"}, {4, "BOTTOM"})
TABLE(kPunchHoleWords, {2, "2HOLES"}, {4, "4HOLES"}, {10, "MULTIHOLES"}, {11, "ANY"})
TABLE(kOffOnWords, {0, "GENERICOFF"}, {1, "GENERICON"})
TABLE(kResolutionWords, {150, "150"}, {300, "300"}, {600, "600"}, {1200, "1200"})
TABLE(kImageCompressionWords, {1, "NORMAL"}, {2, "QUALITY"}, {3, "FASTER"})
TABLE(kHalftoneWords, {1, "PATTERN1"}, {2, "PATTERN2"}, {3, "PATTERN3"}, {4, "PATTERN4"}, {5, "PATTERN5"},
      {6, "PATTERN6"}, {7, "PATTERN7"}, {8, "PATTERN8"}, {9, "PATTERN9"}, {31, "RESOLUTION"},
      {32, "ERRORDIFFUSION"}, {33, "GRADATION"})
TABLE(kPageOrderWords, {1, "FORWARD"}, {2, "REVERSE"})
TABLE(kMediaTypeWords, {0, "PAPER"}, {1, "BOND"}, {3, "GLOSSY"}, {4, "TRANSPARENCY"}, {101, "ENVELOPE"},
      {103, "PREPUNCHED"}, {104, "LABEL"}, {105, "RECYCLED"}, {106, "COLOR"}, {108, "HEAVY"}, {130, "TABSTOCK"},
      {131, "LETTERHEAD"}, {140, "TRACING"})
TABLE(kGraphicsSmoothingWords, {0, "GENERICOFF"}, {1, "FINE"}, {2, "COARSE"})
TABLE(kSharpnessWords, {1, "1"}, {2, "2"}, {3, "3"}, {4, "7"}, {5, "5"}, {6, "6"}, {7, "7"})
TABLE(kEdgeSmoothingWords, {0, "OFF"}, {1, "SMOOTHER"})
TABLE(kCoverModeWords, {0, "GENERICOFF"}, {1, "PRINTFRONT"}, {2, "PRINTBACK"}, {3, "PRINTBOTH"}, {4, "BLANK"})
TABLE(kCoverSourceAdvanceWords, {0, "MANUAL"}, {1, "DECK1"}, {2, "OPTIONDECK1"}, {11, "OPTIONDECK1"},
      {21, "OPTIONDECK1"}, {3, "OPTIONDECK2"}, {12, "OPTIONDECK2"}, {22, "OPTIONDECK2"}, {4, "OPTIONDECK3"},
      {13, "OPTIONDECK3"}, {23, "OPTIONDECK3"}, {5, "OPTIONDECK4"}, {6, "OPTIONDECK5"}, {7, "OPTIONDECK6"},
      {8, "OPTIONDECK7"}, {9, "OPTIONDECK8"}, {10, "OPTIONDECK9"}, {17, "INSERTER2INSERTERTRAY1"},
      {18, "INSERTER2INSERTERTRAY2"}, {19, "INSERTER2INSERTERTRAY3"}, {31, "INSERTER1INSERTERTRAY1"},
      {32, "INSERTER1INSERTERTRAY1"})
TABLE(kCoverSourceWords, {0, "MANUAL"}, {7, "MANUAL"}, {1, "TRAY1"}, {2, "TRAY2"}, {3, "TRAY3"}, {4, "TRAY4"},
      {5, "TRAY5"}, {6, "TRAY6"}, {8, "TRAY6"}, {19, "TRAY6"}, {20, "TRAY6"}, {21, "TRAY6"}, {22, "TRAY6"})
TABLE(kPlainMediaTypeWords, {1, "SPECIAL"}, {2, "TRANSPARENCY"}, {3, "LABEL"}, {4, "ENVELOPE"})
TABLE(kPlainStapleWords, {1, "ONEPORT"}, {2, "ONELAND"})
TABLE(kJobTypeWords, {1, "STORE"}, {2, "STORE_AND_PRINT"}, {3, "SECURED_PRINT"})
TABLE(kPersonalityWords, {1, "PCL"}, {2, "HPGL2"})
TABLE(kDensityFineAdjustValues, {0, "1"}, {1, "1"}, {2, "2"}, {4, "4"}, {5, "5"})
TABLE(kNupHintValues, {2, "2"}, {4, "4"}, {6, "6"}, {8, "8"}, {9, "9"}, {16, "16"})

const char* const kFoldKeywords[5] = {"ZFOLD", "CFOLD", "ACCORDIONZ", "DOUBLEPARALLELFOLD", "HALFFOLD"};

namespace {

#define OFF "GENERICOFF"
#define ON "GENERICON"
const FoldRow kFoldRows[] = {
    {1, {ON, OFF, nullptr, nullptr, nullptr}, {ON, OFF, nullptr, nullptr, nullptr}, true},
    {3, {ON, OFF, OFF, OFF, OFF}, {ON, OFF, OFF, OFF, OFF}, false},
    {4, {"LARGEONLY", OFF, OFF, OFF, OFF}, {"LARGEONLY", OFF, OFF, OFF, OFF}, false},
    {5, {OFF, OFF, "BACK", OFF, OFF}, {OFF, OFF, "FRONT", OFF, OFF}, false},
    {6, {OFF, "REVERSEOUT", OFF, OFF, OFF}, {OFF, "REVERSEIN", OFF, OFF, OFF}, false},
    {7, {OFF, OFF, OFF, OFF, "OUTWARD"}, {OFF, OFF, OFF, OFF, "INWARD"}, false},
    {8, {OFF, OFF, OFF, "REVERSEOUT", OFF}, {OFF, OFF, OFF, "REVERSEIN", OFF}, false},
    {9, {OFF, OFF, OFF, "OBVERSEOUT", OFF}, {OFF, OFF, OFF, "OBVERSEIN", OFF}, false},
    {10, {ON, OFF, nullptr, nullptr, nullptr}, {ON, OFF, nullptr, nullptr, nullptr}, false},
    {20, {OFF, ON, nullptr, nullptr, nullptr}, {OFF, ON, nullptr, nullptr, nullptr}, false},
    {-1, {OFF, OFF, nullptr, nullptr, nullptr}, {OFF, OFF, nullptr, nullptr, nullptr}, true},
};
#undef OFF
#undef ON

}  // namespace

const FoldRow& foldRowFor(int fold) {
  const int count = static_cast<int>(sizeof(kFoldRows) / sizeof(kFoldRows[0]));
  for (int i = 0; i < count - 1; ++i)
    if (kFoldRows[i].fold == fold) return kFoldRows[i];
  return kFoldRows[count - 1];
}
