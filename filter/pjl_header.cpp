// Writing the PJL job header and trailer.
#include "pjl_header.h"

#include <cstdio>

#include "filter_version.h"
#include "model_table.h"
#include "number_text.h"
#include "pjl_keywords.h"
#include "tray_map.h"

namespace {

const char kEsc = 27;
const char kCommentPrefix[] = "@PJL COMMENT VELPJL SET ";
const char kPlainPrefix[] = "@PJL SET ";
const std::string::size_type kUserLineLimit = 66;  // before the closing quote
const std::string::size_type kDocLineLimit = 65;

void line(OutputWriter& out, const std::string& text) {
  out.write(text);
  out.put('\n');
}

void comment(OutputWriter& out, const std::string& keyword, const std::string& value) {
  line(out, kCommentPrefix + keyword + "=" + value);
}

void plain(OutputWriter& out, const std::string& keyword, const std::string& value) {
  line(out, kPlainPrefix + keyword + "=" + value);
}

// A vendor line for a setting given (0 or more) whose value has a word.
void commentFromTable(OutputWriter& out, int value, const char* keyword, const KeywordTable& table) {
  if (value < 0) return;
  const char* word = keywordFor(table, value);
  if (word) comment(out, keyword, word);
}

// Texts that the header quotes: control characters and '"' would end the
// line or the quote, so each becomes a blank.
std::string quotedSafe(const std::string& text) {
  std::string safe = text;
  for (char& c : safe)
    if (isControlChar(c) || c == '"') c = ' ';
  return safe;
}

// Where text cut to limit bytes ends: before a UTF-8 character that the cut
// would split, so that the printer's panel never shows half a character.
// Text that is not UTF-8 is cut at limit.
std::string::size_type utf8CutPoint(const std::string& text, std::string::size_type limit) {
  if (limit >= text.size()) return text.size();
  std::string::size_type lead = limit;
  while (lead > 0 && limit - lead < 3 && (static_cast<unsigned char>(text[lead]) & 0xC0) == 0x80) --lead;
  unsigned char c = static_cast<unsigned char>(text[lead]);
  std::string::size_type length = (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 1;
  return lead < limit && lead + length > limit ? lead : limit;
}

// A quoted line cut to limit bytes before its closing quote.
void quotedLine(OutputWriter& out, const std::string& start, const std::string& text,
                std::string::size_type limit) {
  std::string full = start + quotedSafe(text);
  full.resize(utf8CutPoint(full, limit));
  line(out, full + "\"");
}

void writeUserLines(const JobSettings& s, OutputWriter& out) {
  if (s.userName.empty()) return;
  std::string host = headerHost(s);
  quotedLine(out, std::string(kCommentPrefix) + "USERNAME=\"", s.userName + "@" + host, kUserLineLimit);
  std::string doc = s.title.empty() ? s.userName : s.title + "!" + s.userName;
  quotedLine(out, std::string(kCommentPrefix) + "DOCNAME=\"", doc + "@" + host, kDocLineLimit);
}

bool useMailbox1Keyword(const JobSettings& s) {
  return s.newKeywordSet != 0 && s.mailbox > 49 && (s.efiForm == 1 || isModelInList(s.modelId, kMailbox1List));
}

void writeAccountLines(const JobSettings& s, OutputWriter& out) {
  if (s.mailbox >= 0) {
    comment(out, "DEVICE", "MAILBOX");
    comment(out, useMailbox1Keyword(s) ? "MAILBOXNUMBER1" : "MAILBOXNUMBER", std::to_string(s.mailbox));
  }
  // IDs and passwords end at a blank or control character: nothing in them
  // may start a new PJL line.
  std::string id = cutAtControlOrBlank(s.accountId);
  if (!id.empty()) {
    comment(out, "USERID", id);
    std::string password = cutAtControlOrBlank(s.accountPassword);
    if (!password.empty()) comment(out, "USERPWD", password);
  }
  std::string secure = cutAtControlOrBlank(s.securePassword);
  if (!secure.empty()) comment(out, "SECUREPASSWD", secure);
}

void writeColorMode(const JobSettings& s, OutputWriter& out) {
  if (s.colorMode < 0) return;
  bool color = s.colorMode == 1;
  plain(out, "RENDERMODE", color ? "COLOR" : "GRAYSCALE");
  plain(out, "FORCEMONOCHROME", color ? "FALSE" : "TRUE");
}

void writeMediaSource(const JobSettings& s, OutputWriter& out) {
  if (s.inputTray < 0) return;
  if (s.workMode != kModePxl && !isModelInList(s.modelId, kListA)) return;
  const char* word = keywordFor(kMediaSourceWords, mapTrayForModel(s.inputTray, s.modelId));
  if (word) plain(out, "MEDIASOURCE", word);
}

void writeOutputBin(const JobSettings& s, OutputWriter& out) {
  if (s.outputBin < 0) return;
  if (const char* word = keywordFor(kOutputBinPlainWords, s.outputBin)) plain(out, "OUTBIN", word);
  commentFromTable(out, s.outputBin, "OUTBIN", kOutputBinCommentWords);
}

void writeBinding(const JobSettings& s, OutputWriter& out) {
  if (s.bindingLocation < 0) return;
  if (const char* word = keywordFor(kBindingWords, s.bindingLocation)) plain(out, "BINDING", word);
}

void writePunch(const JobSettings& s, OutputWriter& out) {
  commentFromTable(out, s.punchPosition >= 0 ? s.punchPosition : s.punchPosition2, "PUNCH", kPunchWords);
  if (s.punchHoles == 0) line(out, "@PJL COMMENT NOPUNCHNUMBER");
  else commentFromTable(out, s.punchHoles, "PUNCHNUMBER", kPunchHoleWords);
}

void writeFold(const JobSettings& s, OutputWriter& out) {
  if (s.fold < 0) return;
  const FoldRow& row = foldRowFor(s.fold);
  const char* const* words = s.foldSide != 0 ? row.out : row.in;
  bool inFoldList = isModelInList(s.modelId, kFoldList) != 0;
  for (int i = 0; i < 5; ++i) {
    if (!words[i]) continue;
    if (i == 1 && row.foldListOnly && !inFoldList) continue;
    comment(out, kFoldKeywords[i], words[i]);
  }
}

void writeResolution(const JobSettings& s, OutputWriter& out) {
  if (s.resolution <= 0) return;
  if (const char* word = keywordFor(kResolutionWords, s.resolution)) plain(out, "RESOLUTION", word);
}

void writeImageCompression(const JobSettings& s, OutputWriter& out) {
  if (s.imageCompression < 0) return;
  const char* word = keywordFor(kImageCompressionWords, s.imageCompression);
  comment(out, "IMAGECOMPRESSION", word ? word : "DEFAULT");
}

void writeTandem(const JobSettings& s, OutputWriter& out) {
  if (s.tandem == 1) {
    comment(out, "TANDEM1", "STACKERTRAY1");
    comment(out, "TANDEM2", "STACKERTRAY2");
  } else if (s.tandem == 2) {
    comment(out, "TANDEM1", "STACKERTRAY2");
    comment(out, "TANDEM2", "STACKERTRAY1");
  }
}

void writeSharpness(const JobSettings& s, OutputWriter& out) {
  if (s.sharpness == 0) line(out, "@PJL COMMENT NOSHARPNESS");
  else commentFromTable(out, s.sharpness, "SHARPNESS", kSharpnessWords);
}

void writeDensity(const JobSettings& s, OutputWriter& out) {
  if (s.density <= -80) return;
  int d = s.density;
  int value;
  if (d >= -18 && d <= 18) value = d;
  else if (d >= 20 && d <= 28) value = 20 - d;
  else value = 8;
  plain(out, "DENSITY", std::to_string(value));
}

void writeTonerReduction(const JobSettings& s, OutputWriter& out) {
  if (s.tonerReduction != 0 && s.tonerReduction != 1) return;
  comment(out, s.newKeywordSet != 0 ? "TONERSAVE" : "TONERREDUCTION", s.tonerReduction == 1 ? "GENERICON" : "GENERICOFF");
}

void writeCoverSource(int value, const char* keyword, const JobSettings& s, OutputWriter& out) {
  commentFromTable(out, value, keyword, s.secondAdvance ? kCoverSourceAdvanceWords : kCoverSourceWords);
}

void writeDebugLines(const JobSettings& s, OutputWriter& out) {
  if (s.debugLevel <= 0) return;
  line(out, "@PJL COMMENT VELTADEVID=" + std::to_string(s.modelId));
  line(out, "@PJL COMMENT PPD=" + quotedSafe(s.ppdPath) + ".");
}

void writeSettings(const JobSettings& s, OutputWriter& out) {
  writeColorMode(s, out);
  writeMediaSource(s, out);
  writeOutputBin(s, out);
  commentFromTable(out, s.sorter, "SORTERMODE", s.newKeywordSet != 0 ? kSorterNewWords : kSorterWords);
  writeBinding(s, out);
  commentFromTable(out, s.staple, "STAPLE", kStapleWords);
  writePunch(s, out);
  commentFromTable(out, s.booklet, "BOOKLET", kOffOnWords);
  commentFromTable(out, s.trustPrint, "TRUSTPRINT", kOffOnWords);
  writeFold(s, out);
  if (s.tabShift >= 0) comment(out, "TABSHIFT", std::to_string(s.tabShift));
  writeResolution(s, out);
  writeImageCompression(s, out);
  commentFromTable(out, s.halftone, "HALFTONE", kHalftoneWords);
  commentFromTable(out, s.pageOrder, "PAGEORDER", kPageOrderWords);
  writeTandem(s, out);
  commentFromTable(out, s.mediaType, "MEDIATYPE", kMediaTypeWords);
  commentFromTable(out, s.colorLineControl, "COLORLINECONTROL", kOffOnWords);
  commentFromTable(out, s.graphicsSmoothing, "GSMOOTH", kGraphicsSmoothingWords);
  commentFromTable(out, s.refine, "REFINE", kOffOnWords);
  writeSharpness(s, out);
  commentFromTable(out, s.edgeSmoothing, "EDGESMOOTH", kEdgeSmoothingWords);
  commentFromTable(out, s.lineControl, "LINECONTROL", kOffOnWords);
  writeDensity(s, out);
  writeTonerReduction(s, out);
  commentFromTable(out, s.slipSheet, "SLIPSHEET", kOffOnWords);
  commentFromTable(out, s.backCoverMode, "BACKCOVERMODE", kCoverModeWords);
  writeCoverSource(s.backCoverSource, "BACKCOVERSOURCE", s, out);
  commentFromTable(out, s.frontCoverMode, "FRONTCOVERMODE", kCoverModeWords);
  writeCoverSource(s.frontCoverSource, "FRONTCOVERSOURCE", s, out);
  if (s.wideA4 >= 0) plain(out, "WIDEA4", s.wideA4 == 1 ? "YES" : "NO");
  writeDebugLines(s, out);
}

// "@PJL SET <keyword>=ON" for 1, "=OFF" for any other given value.
void plainOnOff(OutputWriter& out, int value, const char* keyword) {
  if (value >= 0) plain(out, keyword, value == 1 ? "ON" : "OFF");
}

// "@PJL SET <keyword>=<word>" from the table, the fallback for other values.
void plainWord(OutputWriter& out, int value, const char* keyword, const KeywordTable& table, const char* fallback) {
  if (value < 0) return;
  const char* word = keywordFor(table, value);
  plain(out, keyword, word ? word : fallback);
}

// "@PJL SET <keyword> = <digits>" with the given zero-padded width.
void plainNumber(OutputWriter& out, int value, const char* keyword, const char* format) {
  if (value < 0) return;
  char digits[32];
  std::snprintf(digits, sizeof digits, format, value);
  line(out, std::string(kPlainPrefix) + keyword + " = " + digits);
}

void writePrintFace(const JobSettings& s, OutputWriter& out) {
  if (s.printFaceAndOrder >= 0) {
    const char* face = nullptr;
    const char* order = nullptr;
    switch (s.printFaceAndOrder) {
      case 0: face = "FACEDOWN"; order = "FORWARD"; break;
      case 1: face = "FACEDOWN"; order = "REVERSE"; break;
      case 2: face = "FACEUP"; order = "FORWARD"; break;
      case 6: face = "FACEUP"; order = "REVERSE"; break;
      default: break;
    }
    if (face) {
      comment(out, "PRINTFACE", face);
      comment(out, "PAGEORDER", order);
    }
    return;
  }
  if (s.printFace == 0) comment(out, "PRINTFACE", "FACEUP");
  else if (s.printFace == 1) comment(out, "PRINTFACE", "FACEDOWN");
}

void writePlainBlock(const JobSettings& s, OutputWriter& out) {
  const int* p = s.plainSettings;
  plainOnOff(out, p[kPlainEconomy], "ECONOMODE");
  plainOnOff(out, p[kPlainRefine], "REFINE");
  plainOnOff(out, p[kPlainJobOffset], "JOBOFFSET");
  plainWord(out, p[kPlainMediaType], "MEDIATYPE", kPlainMediaTypeWords, "PAPER");
  if (s.nupHint >= 0) {
    const char* n = keywordFor(kNupHintValues, s.nupHint);
    comment(out, "NUPHINT", n ? n : "1");
  }
  writePrintFace(s, out);
  if (s.densityFineAdjust >= 0) {
    const char* d = keywordFor(kDensityFineAdjustValues, s.densityFineAdjust);
    comment(out, "DENSITYFINEADJ", d ? d : "3");
  }
  if (p[kPlainResolution] >= 0) plain(out, "RESOLUTION", p[kPlainResolution] == 1 ? "1200X600" : "600");
  plainOnOff(out, p[kPlainSorter], "SORTERMODE");
  plainOnOff(out, p[kPlainTraySwitch], "TRAYSWITCH");
  plainWord(out, p[kPlainStaple], "STAPLE", kPlainStapleWords, "NONE");
  plainWord(out, p[kPlainJobType], "JOBTYPE", kJobTypeWords, "PRINT");
  plainNumber(out, p[kPlainBoxId], "BOXID", "%03d");
  plainNumber(out, p[kPlainSecuredKey], "SECURED_KEY", "%07d");
  plainNumber(out, p[kPlainUserId], "USERID", "%07d");
  plainNumber(out, p[kPlainPassword], "PASSWORD", "%07d");
  if (s.personality >= 0) {
    const char* word = keywordFor(kPersonalityWords, s.personality);
    line(out, std::string(kPlainPrefix) + "PERSONALITY = " + (word ? word : "AUTO"));
  }
  if (p[kPlainWideA4] >= 0) line(out, std::string(kPlainPrefix) + "WIDEA4 = " + (p[kPlainWideA4] == 1 ? "ON" : "OFF"));
}

void writeLanguage(const JobSettings& s, OutputWriter& out) {
  switch (s.workMode) {
    case kModePs: line(out, "@PJL ENTER LANGUAGE=POSTSCRIPT"); break;
    case kModePcl: line(out, "@PJL ENTER LANGUAGE=PCL"); break;
    case kModePxl: line(out, "@PJL ENTER LANGUAGE=PCLXL"); break;
    default: break;
  }
}

}  // namespace

bool getAdminDomain(const std::string& text, std::string& domain) {
  std::string::size_type at = text.find('@');
  if (at == std::string::npos) return false;
  std::string::size_type end = text.find_first_of(".\n", at + 1);
  domain = text.substr(at + 1, end == std::string::npos ? std::string::npos : end - at - 1);
  return true;
}

std::string headerHost(const JobSettings& s) {
  std::string domain;
  if (!s.serverAdmin.empty() && getAdminDomain(s.serverAdmin, domain) && !domain.empty()) return domain;
  if (!s.server.empty()) return s.server;
  return "localhost";
}

void writePJLHeader(const JobSettings& settings, int flags, int noAccount, OutputWriter& out,
                    const std::vector<std::string>& inputLines) {
  if (!(flags & kHeaderNoFirstLine)) {
    out.put(kEsc);
    line(out, "%-12345X@PJL Jarn" QORGSFILTER_VERSION);
  }
  for (const std::string& text : inputLines) line(out, text);
  writeUserLines(settings, out);
  if (!noAccount) writeAccountLines(settings, out);
  writeSettings(settings, out);
  writePlainBlock(settings, out);
  if (!(flags & kHeaderNoLanguage)) writeLanguage(settings, out);
}

void writeUELTrailer(int withPjl, OutputWriter& out) {
  if (withPjl) {
    out.put(kEsc);
    line(out, "%-12345X@PJL");
  }
  out.put(kEsc);
  line(out, "%-12345X");
}
