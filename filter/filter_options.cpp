// Option scanning of the filter and the per-option effects on JobSettings.
#include "filter_options.h"

#include <climits>
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

#include "number_text.h"

namespace {

const char kOptionString[] =
    "a:b:c:d:e:f:g:hi:j:k:l:m:n:o:p:q:r:s:t:u:vw:x:z:A:B:C:D:E:F:G:H:I:J:K:L:M:N:O:P:Q:R:S:T:U:V:W:X:Y:";

const int kMaxRegistrationNumbers = 8;

// A number option's value: an int as the text starts with, 0 for a number
// beyond the int range (as for text that is no number).
int optionNumber(const char* text) { return leadingIntIn(text, INT_MIN, INT_MAX); }

// A registration offset: its default counterparts are its negation, so the
// lowest int (which has none) lies outside and reads as 0.
int registrationNumber(const std::string& text) { return leadingIntIn(text.c_str(), -INT_MAX, INT_MAX); }

// The value of a digit-form character: its code minus '0', characters below
// '0' counting as 0.
int digitValue(char c) { return c < '0' ? 0 : c - '0'; }

// A digit form "p,d" sets digits[p-1] = d. The position character is the
// one just before the first comma of text; positions above the array's size
// count as the last one; a position of 0 (or no position character at all)
// changes nothing. Returns false when text holds no comma.
bool setDigitForm(const std::string& text, int* digits, int size) {
  std::string::size_type comma = text.find(',');
  if (comma == std::string::npos) return false;
  if (comma == 0) return true;
  int position = digitValue(text[comma - 1]);
  if (position <= 0) return true;
  if (position > size) position = size;
  char after = comma + 1 < text.size() ? text[comma + 1] : '\0';
  digits[position - 1] = digitValue(after);
  return true;
}

// -SPW=, -UID=, -UPW=: a digit form or the text itself.
void setTextOrDigits(const std::string& text, int* digits, std::string& value) {
  if (!setDigitForm(text, digits, 7)) value = text;
}

// -A: the device's destination codes to the filter's.
int destinationFor(int code) {
  switch (code) {
    case 2: return 1;
    case 3: return 2;
    case 4: return 3;
    default: return 0;
  }
}

void setMailbox(const std::string& value, JobSettings& s) {
  if (value.empty()) return;
  if (value[0] == 'N') s.efiForm = 1;
  if (value.size() > 1 && value[1] == '=') {
    std::string rest = value.substr(2);
    if (!setDigitForm(rest, s.mailboxDigits, 2)) s.mailbox = optionNumber(rest.c_str());
    return;
  }
  s.mailbox = optionNumber(value.c_str() + 1);
}

// -r: a list of two to eight offsets, or the registration mode itself.
void setRegistration(const std::string& value, JobSettings& s) {
  if (value.find(',') == std::string::npos) {
    s.registrationMode = optionNumber(value.c_str());
    return;
  }
  int numbers[kMaxRegistrationNumbers] = {0, 0, 0, 0, 0, 0, 0, 0};
  int count = 0;
  std::string::size_type start = 0;
  while (count < kMaxRegistrationNumbers && start <= value.size()) {
    std::string::size_type comma = value.find(',', start);
    std::string item = value.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    if (item.empty()) break;
    numbers[count++] = registrationNumber(item);
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  if (count < 2) return;
  int xl = numbers[0], yl = numbers[1];
  int x2 = count > 2 ? numbers[2] : -xl;
  int y2 = count > 3 ? numbers[3] : yl;
  int xs = count > 4 ? numbers[4] : xl;
  int ys = count > 5 ? numbers[5] : yl;
  int x4 = count > 6 ? numbers[6] : -x2;
  int y4 = count > 7 ? numbers[7] : -y2;
  const int firstSheet[8] = {xl, yl, x2, y2, xs, ys, x4, y4};
  for (int i = 0; i < 8; ++i) s.registrationOffsets[i] = firstSheet[i];
  s.registrationMode = 2;
}

// -J<letter><number>: the plain PJL block.
void setPlainSetting(const std::string& value, JobSettings& s) {
  if (value.size() < 2 || value[1] < '0' || value[1] > '9') return;
  static const struct {
    char letter;
    PlainSetting index;
  } kLetters[] = {
      {'B', kPlainBoxId},    {'C', kPlainSorter},     {'E', kPlainEconomy},    {'I', kPlainRefine},
      {'J', kPlainJobOffset}, {'F', kPlainMediaType}, {'M', kPlainJobType},    {'R', kPlainResolution},
      {'S', kPlainSecuredKey}, {'T', kPlainTraySwitch}, {'Q', kPlainStaple},   {'U', kPlainUserId},
      {'P', kPlainPassword}, {'W', kPlainWideA4},
  };
  for (const auto& entry : kLetters) {
    if (entry.letter == value[0]) {
      s.plainSettings[entry.index] = optionNumber(value.c_str() + 1);
      return;
    }
  }
}

// -x<letter><number>: the internal parameters.
void setInternal(const std::string& value, JobSettings& s, FilterRun& run) {
  if (value.empty()) return;
  int n = optionNumber(value.c_str() + 1);
  switch (value[0]) {
    case 'A': case 'a': s.printFace = n; break;
    case 'B': case 'b': s.tandem = n; break;
    case 'C': case 'c': s.colorLineControl = n; break;
    case 'D': case 'd': s.densityFineAdjust = n; break;
    case 'E': case 'e': s.punchPosition2 = n; break;
    case 'F': case 'f': s.foldSide = n; break;
    case 'G': case 'g': s.frontCoverMode = n; break;
    case 'L': case 'l': s.lineControl = n; break;
    case 'M': case 'm': s.trustPrint = n; break;
    case 'N': case 'n': s.nupHint = n; break;
    case 'P': case 'p': s.punchHoles = n; break;
    case 'Q': case 'q': s.secondRepeatCount = n; break;
    case 'R': case 'r': s.repeatCount = n; break;
    case 'S': case 's': s.sharpness = n; break;
    case 'T': case 't': s.tabShift = n; break;
    case 'U': case 'u': s.printFaceAndOrder = n; break;
    case 'Z': case 'z': run.customSizeFix = (n != 0); break;
    default: break;
  }
}

// -M: the first name the value begins with (upper case only) gives the
// mode; any other value leaves the mode as it was and is named on standard
// error (control characters shown as '?').
void setWorkMode(const std::string& value, JobSettings& s) {
  static const struct {
    const char* prefix;
    int mode;
  } kModes[] = {{"PSP", kModePsp}, {"PS", kModePs}, {"PCL", kModePcl}, {"PXL", kModePxl}};
  for (const auto& entry : kModes) {
    if (value.compare(0, std::strlen(entry.prefix), entry.prefix) == 0) {
      s.workMode = entry.mode;
      return;
    }
  }
  std::string shown = value;
  for (char& c : shown)
    if (isControlChar(c)) c = '?';
  std::fprintf(stderr, "Unknown work mode \"%s\" ignored.\n", shown.c_str());
}

void setKeepFlags(const std::string& value, JobSettings& s, FilterRun& run) {
  if (value.find("OPJL") != std::string::npos) {
    run.noPjl = true;
    return;
  }
  if (value.empty()) return;
  char first = value[0];
  if (first == 'P' || first == 'p') {
    char second = value.size() > 1 ? value[1] : '\0';
    s.keepFlags |= (second == 'P' || second == 'p') ? 2 : 1;
  } else if (first == 'T' || first == 't') {
    s.keepFlags |= 3;
  }
}

int resolutionFor(const std::string& value) {
  if (value.find("300x300") != std::string::npos) return 300;
  if (value.find("600x600") != std::string::npos) return 600;
  if (value.find("1200x1200") != std::string::npos) return 1200;
  return leadingIntIn(value.c_str(), 0, 1200);
}

// -SPW=..., -UID=..., -UPW=...: the option letter's value after its keyword.
bool afterKeyword(const std::string& value, const char* keyword, std::string& rest) {
  std::size_t n = std::strlen(keyword);
  if (value.compare(0, n, keyword) != 0) return false;
  rest = value.substr(n);
  return true;
}

void applyOption(int letter, const std::string& value, JobSettings& s, FilterRun& run) {
  int n = optionNumber(value.c_str());
  std::string rest;
  switch (letter) {
    case 'a': s.booklet = n; break;
    case 'b': s.backCoverMode = n; break;
    case 'c': s.imageCompression = n; break;
    case 'd': s.duplex = n; break;
    case 'e': s.edgeSmoothing = n; break;
    case 'f': s.frontCoverMode = n; break;
    case 'g': s.graphicsSmoothing = n; break;
    case 'i': s.refine = n; break;
    case 'j': s.optionJ = n; break;
    case 'k': s.optionK = n; break;
    case 'l': s.bindingLocation = n; break;
    case 'm': s.mediaType = n; break;
    case 'n': s.copies = n; break;
    case 'o': s.pageOrder = n; break;
    case 'p': s.paperSize = n; break;
    case 'q': s.staple = n; break;
    case 'r': setRegistration(value, s); break;
    case 's': s.sorter = n; break;
    case 't': s.inputTray = n; break;
    case 'u': s.userName = value; break;
    case 'v': s.optionV = 1; break;
    case 'w': s.personality = n; break;
    case 'x': setInternal(value, s, run); break;
    case 'z': s.fold = n; break;
    case 'A': s.destination = destinationFor(n); break;
    case 'B': setMailbox(value, s); break;
    case 'C': s.backCoverSource = n; break;
    case 'D': s.debugLevel = n; break;
    case 'E': s.newKeywordSet = n; break;
    case 'F': s.frontCoverSource = n; break;
    case 'G': s.punchPosition = n; break;
    case 'H': s.halftone = n; break;
    case 'I': s.optionI = n; break;
    case 'J': setPlainSetting(value, s); break;
    case 'K': s.colorMode = n; break;
    case 'L': s.slipSheet = n; break;
    case 'M': setWorkMode(value, s); break;
    case 'N': setKeepFlags(value, s, run); break;
    case 'O': s.outputBin = n; break;
    case 'P': run.pclLevel = (n == 5 || n == 6) ? n : 5; break;
    case 'Q': s.density = n; break;
    case 'R': s.resolution = resolutionFor(value); break;
    case 'S':
      if (afterKeyword(value, "PW=", rest)) setTextOrDigits(rest, s.securePasswordDigits, s.securePassword);
      break;
    case 'T': s.tonerReduction = n; break;
    case 'U':
      if (afterKeyword(value, "ID=", rest)) setTextOrDigits(rest, s.accountIdDigits, s.accountId);
      else if (afterKeyword(value, "PW=", rest)) setTextOrDigits(rest, s.accountPasswordDigits, s.accountPassword);
      break;
    case 'V': s.title = value; break;
    case 'W': s.wideA4 = n; break;
    case 'X': s.optionX = n; break;
    case 'Y': run.bannerName = value; break;
    default: break;  // unknown: the scanner has reported it
  }
}

// The number that a digit array stands for, first position most significant.
long long digitNumber(const int* digits) {
  long long number = 0;
  for (int i = 0; i < 7; ++i) number = number * 10 + digits[i];
  return number;
}

bool anyDigit(const int* digits, int size) {
  for (int i = 0; i < size; ++i)
    if (digits[i] != 0) return true;
  return false;
}

void digitsToText(const int* digits, std::string& value) {
  if (!anyDigit(digits, 7)) return;
  long long number = digitNumber(digits);
  if (number > 0) value = std::to_string(number);
}

}  // namespace

OptionResult parseFilterOptions(int argc, char** argv, JobSettings& settings, FilterRun& run) {
  optind = 0;  // a fresh scan, also when called more than once
  int letter;
  while ((letter = ::getopt(argc, argv, kOptionString)) != -1) {
    if (letter == 'h') return OptionResult::kUsage;
    if (letter == '?' || letter == ':') continue;
    applyOption(letter, optarg ? std::string(optarg) : std::string(), settings, run);
  }
  return OptionResult::kRun;
}

void buildDigitEntryIds(JobSettings& settings) {
  digitsToText(settings.securePasswordDigits, settings.securePassword);
  digitsToText(settings.accountIdDigits, settings.accountId);
  digitsToText(settings.accountPasswordDigits, settings.accountPassword);
  if (anyDigit(settings.mailboxDigits, 2))
    settings.mailbox = settings.destination != 0 ? 10 * settings.mailboxDigits[0] + settings.mailboxDigits[1] : -1;
}
