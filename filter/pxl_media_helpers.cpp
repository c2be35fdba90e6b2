// Media attribute helpers: name tables and the small writers.
#include "pxl_media_helpers.h"

#include <cctype>

#include "pxl_tags.h"

namespace {

const char* const kMediaTypeNames[] = {nullptr,  "Plain",  "Recycled",  "Transparency", "Color",
                                       "Letterhead", "labels", "Prepunched", "Heavy",     "Translucent",
                                       "Tab Stock", "Bond",  "Plain2",    "Light",        "Coated"};

struct NameCode {
  const char* name;
  int code;
};

// Whole media names (compared without regard to case).
const NameCode kMediaNames[] = {{"a4", 26},     {"a3", 27},       {"a5", 25},      {"letter", 2},  {"legal", 3},
                                {"11x17", 3},   {"ledger", 3},    {"statement", 11}, {"b5", 45},   {"b4", 46},
                                {"monarch", 80}, {"com10", 81},   {"dl", 90},      {"sra3", 1074}, {"iso-c5", 91},
                                {"iso-b5", 100}, {"folio", 1063}};
// Names that only need to hold the text.
const NameCode kMediaNameParts[] = {{"12X18", 1102}, {"13X19", 1111}};

const int kPageAttributeIds[] = {36, 37, 38, 39, 40, 47, 48, 52, 53, 54};

std::string lower(const std::string& s) {
  std::string out;
  for (char c : s) out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

}  // namespace

void writePXLUbyteArray(const std::string& text, OutputWriter& out) {
  if (text.empty()) return;
  out.put(static_cast<char>(0xC8));
  out.put(static_cast<char>(0xC1));
  out.put(static_cast<char>(text.size() & 0xFF));
  out.put(static_cast<char>((text.size() >> 8) & 0xFF));
  out.write(text);
}

void writePXLMediaType(int code, OutputWriter& out) {
  if (code < 1 || code > 14) return;
  writePXLUbyteArray(kMediaTypeNames[code], out);
  out.put(static_cast<char>(0xF8));
  out.put(static_cast<char>(kAttrMediaType));
}

char attributeIdChar(int attributeId) {
  for (int id : kPageAttributeIds)
    if (id == attributeId) return static_cast<char>(id);
  return 0;
}

int pclPageSizeCode(const std::uint8_t* list, const PxlAttributeSpan& attribute) {
  if (attribute.id != kAttrMediaSize || attribute.end < attribute.start + 4) return -1;
  const std::uint8_t* v = list + attribute.start;
  std::size_t valueBytes = attribute.end - attribute.start - 2;
  if (v[0] == 0xC0) return v[1];
  if (v[0] != 0xC8) return -1;
  std::size_t at = v[1] == 0xC0 ? 3 : v[1] == 0xC1 ? 4 : 0;
  if (at == 0 || at > valueBytes) return -1;
  std::string name(reinterpret_cast<const char*>(v + at), valueBytes - at);
  for (const NameCode& nc : kMediaNames)
    if (lower(name) == nc.name) return nc.code;
  for (const NameCode& nc : kMediaNameParts)
    if (name.find(nc.name) != std::string::npos) return nc.code;
  return -1;
}
