// Texts of the PPD option rows (see option_labels.h).
#include "option_labels.h"

#include <strings.h>

#include <algorithm>
#include <cstring>

#include "trace.h"

namespace {

struct KindRow {
  const char* keyword;
  int kind;
};

const KindRow kKinds[] = {
    {"Mailbox", kOptionMailbox},           {"SecuredPassword", kOptionSecuredPassword},
    {"UserID", kOptionUserId},             {"UserPassword", kOptionUserPassword},
    {"PageRegion", kOptionPageRegion},
};

// Second bytes after 0xC2 that stand for a Latin-1 sign (0xC2 xx gives xx).
bool latinAfterC2(unsigned char b) {
  static const unsigned char kSigns[] = {0xA0, 0xA1, 0xA2, 0xA3, 0xA5, 0xA7, 0xA8, 0xA9,
                                         0xAA, 0xAB, 0xAC, 0xAE, 0xAF, 0xB0, 0xB1, 0xB4,
                                         0xB5, 0xB6, 0xB7, 0xB8, 0xBA, 0xBB, 0xBF};
  return std::memchr(kSigns, b, sizeof kSigns) != nullptr;
}

// Second bytes after 0xC3 that stand for a Latin-1 letter (0xC3 xx gives xx + 0x40).
bool latinAfterC3(unsigned char b) {
  return (b >= 0x80 && b <= 0x8F) || (b >= 0x91 && b <= 0x96) || (b >= 0x98 && b <= 0x9C) ||
         (b >= 0x9F && b <= 0xAF) || (b >= 0xB1 && b <= 0xBC) || b == 0xBF;
}

constexpr size_t kReadLimit = 256;

}  // namespace

int getSpecialOptionKind(const char* keyword) {
  if (!keyword) return kOptionOrdinary;
  for (const KindRow& row : kKinds) {
    if (std::strcmp(keyword, row.keyword) == 0) return row.kind;
  }
  return kOptionOrdinary;
}

std::string fromKPL2Ascii(const char* text, size_t size) {
  std::string out;
  if (!text || size == 0) return out;
  size_t length = strnlen(text, kReadLimit);
  for (size_t i = 0; i < length && out.size() + 1 < size; ++i) {
    auto b = static_cast<unsigned char>(text[i]);
    if ((b == 0xC2 || b == 0xC3) && i + 1 < length) {
      auto next = static_cast<unsigned char>(text[i + 1]);
      bool latin = b == 0xC2 ? latinAfterC2(next) : latinAfterC3(next);
      out += static_cast<char>(latin ? (b == 0xC2 ? next : next + 0x40) : b);
      ++i;
      continue;
    }
    out += static_cast<char>(b);
  }
  if (traceLevel() > 3) tracef("fromKPL2Ascii(%s - %s)\n", text, out.c_str());
  return out;
}

std::string ppdTextToLatin1(const char* text, size_t size, const char* encoding) {
  std::string out;
  if (!text || size == 0) return out;
  size_t length = strnlen(text, kReadLimit);
  bool utf8 = encoding && (strcasecmp(encoding, "UTF-8") == 0 || strcasecmp(encoding, "UTF8") == 0);
  if (!utf8) return std::string(text, std::min(length, size - 1));
  for (size_t i = 0; i < length && out.size() + 1 < size;) {
    auto b = static_cast<unsigned char>(text[i]);
    size_t n = b < 0x80 ? 1 : (b & 0xE0) == 0xC0 ? 2 : (b & 0xF0) == 0xE0 ? 3 : (b & 0xF8) == 0xF0 ? 4 : 0;
    bool whole = n > 0 && i + n <= length;
    for (size_t k = 1; whole && k < n; ++k) whole = (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80;
    if (!whole) {  // not UTF-8 after all: the byte as it is
      out += static_cast<char>(b);
      ++i;
      continue;
    }
    unsigned long code = n == 1 ? b : b & (0x7Fu >> n);
    for (size_t k = 1; k < n; ++k) code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3Fu);
    out += code <= 0xFF ? static_cast<char>(code) : '?';
    i += n;
  }
  return out;
}

std::string centredGroupTitle(const std::string& text) {
  constexpr long kLine = 82;
  long length = static_cast<long>(text.size());
  if (length > kLine + 1) return text;
  long lead = (80 - length) / 2;
  std::string title(lead > 0 ? static_cast<size_t>(lead) : 0, '-');
  title += " " + text + " ";
  if (static_cast<long>(title.size()) < kLine) title.append(static_cast<size_t>(kLine) - title.size(), '-');
  return title;
}
