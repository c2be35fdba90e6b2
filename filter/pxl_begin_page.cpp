// The BeginPage rebuild: a fixed order of attributes, each taken from the
// job's settings or copied from the file.
#include "pxl_begin_page.h"

#include <cstdio>

#include "model_table.h"
#include "pxl_tags.h"

namespace {

struct CodeValue {
  int code;
  int value;
};

// PCL page-size code -> MediaSize value; unlisted codes give A4 (2).
const CodeValue kMediaSizes[] = {
    {2, 0},      {3, 1},   {6, 4},     {25, 16},   {26, 2},     {27, 5},     {45, 11},
    {46, 10},    {80, 7},  {81, 6},    {90, 9},    {91, 8},     {100, 12},   {11, 1060},
    {1063, 1063}, {1074, 1074}, {1102, 1102}, {1111, 1111}};
const int kDefaultMediaSize = 2;

// Input tray -> MediaSource value; unlisted trays give 1 (61..80 map to
// themselves, see pxlMediaSourceValue).
const CodeValue kMediaSources[] = {{1, 4}, {2, 3}, {4, 5}, {5, 7}, {8, 7}, {9, 8}, {21, 9}};

struct CodeName {
  int code;
  const char* name;
};

const CodeName kSourceListMediaTypes[] = {
    {1, "Bond"},          {4, "Transparency"}, {103, "Prepunched"}, {104, "Labels"},
    {105, "Recycled"},    {106, "Color"},      {107, "Plain2"},     {108, "Heavy"},
    {109, "Extra Heavy"}, {110, "Intermediate"}, {111, "Light"},    {112, "Coated"},
    {130, "CardStock"},   {131, "Letterhead"}, {132, "Preprinted"}, {140, "Tracing"},
    {150, "Rough"},       {160, "Postcard"}};
const CodeName kOtherMediaTypes[] = {
    {2, "Recycled"},  {3, "Transparency"}, {4, "Color"},       {5, "Letterhead"},  {6, "Labels"},
    {7, "Prepunched"}, {8, "Heavy"},       {9, "Translucent"}, {10, "Cardstock"},  {11, "Bond"},
    {12, "Plain2"},   {13, "Light"},       {14, "Coated"},     {15, "Rough"},      {17, "Extra Heavy"},
    {18, "Intermediate"}, {19, "Preprinted"}, {20, "CardStock"}, {21, "Postcard"}};
const char kPlainMedia[] = "Plain";

// Traces of attributes copied from the file: one for a single-byte value
// (its value), one for a name (its first two characters).
struct FileTrace {
  const char* number;
  const char* name;
};
const FileTrace kNoTrace = {nullptr, nullptr};
const FileTrace kPaperSizeTrace = {"ProcessOutBuffer(paperSize[file]=0x%x).\n", "ProcessOutBuffer(paperSize[file]='%c%c)'.\n"};
const FileTrace kMediaSourceTrace = {"ProcessOutBuffer(mediaSource[file]=0x%x).\n",
                                     "ProcessOutBuffer(mediaSource[file]='%c%c)'.\n"};
const FileTrace kUnitsTrace = {"ProcessOutBuffer(customMediaSizeUnits[file]='0x%x)'.\n", nullptr};
const FileTrace kCustomSizeTrace = {nullptr, "ProcessOutBuffer(customPaperSize[file]='%c%c)'.\n"};
const FileTrace kMediaTypeTrace = {nullptr, "ProcessOutBuffer(mediaType[file]='%c%c)'.\n"};
const FileTrace kOutputBinTrace = {"ProcessOutBuffer(outputBin[file]=0x%x).\n", nullptr};
const FileTrace kPageSideTrace = {"ProcessOutBuffer(duplexPageSide[file]=0x%x).\n", nullptr};

// The rebuild of one list.
class PageBuilder {
 public:
  PageBuilder(const PxlPageList& page, const JobSettings& s, std::string& out) : page_(page), s_(s), out_(out) {}

  void build();

 private:
  const PxlAttributeSpan* find(std::uint8_t id) const {
    for (std::size_t i = 0; i < page_.attributeCount; ++i)
      if (page_.attributes[i].id == id) return &page_.attributes[i];
    return nullptr;
  }
  bool trace() const { return s_.debugLevel > 1; }
  // Copies the file's attribute when present; returns whether it was.
  bool copyFromFile(std::uint8_t id, const FileTrace& t);
  void traceFileValue(const PxlAttributeSpan& a, const FileTrace& t) const;
  void putNumber(unsigned long value);
  void putAttributeId(std::uint8_t id) {
    out_ += static_cast<char>(0xF8);
    out_ += static_cast<char>(id);
  }

  void mediaSize(bool& wroteMediaSize);
  void mediaSource();
  void mediaType();
  void mediaDestination();
  void duplexMode();

  const PxlPageList& page_;
  const JobSettings& s_;
  std::string& out_;
};

void PageBuilder::putNumber(unsigned long value) {
  // Multi-byte values follow the stream's byte order.
  int bytes = value <= 0xFF ? 1 : value <= 0xFFFF ? 2 : 4;
  out_ += static_cast<char>(bytes == 1 ? 0xC0 : bytes == 2 ? 0xC1 : 0xC2);
  for (int i = 0; i < bytes; ++i) {
    int shift = page_.highByteFirst ? 8 * (bytes - 1 - i) : 8 * i;
    out_ += static_cast<char>((value >> shift) & 0xFF);
  }
}

void PageBuilder::traceFileValue(const PxlAttributeSpan& a, const FileTrace& t) const {
  if (!trace()) return;
  const std::uint8_t* v = page_.bytes + a.start;
  std::size_t n = a.end - a.start - 2;  // the value's bytes, without the id
  std::size_t chars = 1;                // where a value's characters start
  if (v[0] == 0xC8) chars = v[1] == 0xC1 ? 4 : v[1] == 0xC2 ? 6 : 3;
  if (t.number && v[0] != 0xC8) {
    std::fprintf(stderr, t.number, n > 1 ? static_cast<unsigned>(v[1]) : 0u);
  } else if (t.name) {
    char c1 = chars < n ? static_cast<char>(v[chars]) : ' ';
    char c2 = chars + 1 < n ? static_cast<char>(v[chars + 1]) : ' ';
    std::fprintf(stderr, t.name, c1, c2);
  }
}

bool PageBuilder::copyFromFile(std::uint8_t id, const FileTrace& t) {
  const PxlAttributeSpan* a = find(id);
  if (!a) return false;
  traceFileValue(*a, t);
  out_.append(reinterpret_cast<const char*>(page_.bytes + a->start), a->end - a->start);
  return true;
}

void PageBuilder::mediaSize(bool& wroteMediaSize) {
  wroteMediaSize = false;
  if (s_.paperSize != -1) {
    if (trace()) std::fprintf(stderr, "ProcessOutBuffer(paperSize[qor]=%d).\n", s_.paperSize);
    putNumber(static_cast<unsigned long>(pxlMediaSizeValue(s_.paperSize)));
    putAttributeId(kAttrMediaSize);
    wroteMediaSize = true;
    return;
  }
  copyFromFile(kAttrMediaSize, kPaperSizeTrace);
}

void PageBuilder::mediaSource() {
  if (!isModelInList(s_.modelId, kPxlSourceList)) return;
  if (s_.inputTray != -1) {
    int value = pxlMediaSourceValue(s_.inputTray);
    if (trace()) std::fprintf(stderr, "ProcessOutBuffer(mediaSource[qor]=%d).\n", value);
    putNumber(static_cast<unsigned long>(value));
    putAttributeId(kAttrMediaSource);
    return;
  }
  copyFromFile(kAttrMediaSource, kMediaSourceTrace);
}

void PageBuilder::mediaType() {
  if (s_.mediaType != -1) {
    const char* name = pxlMediaTypeName(s_.mediaType, isModelInList(s_.modelId, kPxlSourceList) != 0);
    if (trace()) std::fprintf(stderr, "ProcessOutBuffer(mediaType[qor]='%s'.\n", name);
    std::string text(name);
    out_ += static_cast<char>(0xC8);
    out_ += static_cast<char>(0xC0);
    out_ += static_cast<char>(text.size());
    out_ += text;
    putAttributeId(kAttrMediaType);
    return;
  }
  if (page_.firstPage) copyFromFile(kAttrMediaType, kMediaTypeTrace);
}

void PageBuilder::mediaDestination() {
  if (s_.outputBin >= 0) {
    if (trace()) std::fprintf(stderr, "ProcessOutBuffer(outputBin[qor]=0x%x).\n", static_cast<unsigned>(s_.outputBin));
    putNumber(static_cast<unsigned long>(s_.outputBin));
    putAttributeId(kAttrMediaDestination);
    return;
  }
  copyFromFile(kAttrMediaDestination, kOutputBinTrace);
}

void PageBuilder::duplexMode() {
  if (s_.duplex != -1) {
    bool simplex = s_.duplex == 0;
    int value = simplex ? 0 : (s_.duplex == 2 || s_.duplex == 4) ? 0 : 1;
    if (trace()) std::fprintf(stderr, "ProcessOutBuffer(simplex/duplex[qor]=0x%x).\n", static_cast<unsigned>(s_.duplex));
    putNumber(static_cast<unsigned long>(value));
    putAttributeId(simplex ? kAttrSimplexPageMode : kAttrDuplexPageMode);
    return;
  }
  if (find(kAttrSimplexPageMode)) {
    if (trace()) std::fprintf(stderr, "ProcessOutBuffer(simplex[file]).\n");
    copyFromFile(kAttrSimplexPageMode, kNoTrace);
  } else if (find(kAttrDuplexPageMode)) {
    if (trace()) std::fprintf(stderr, "ProcessOutBuffer(duplex[file]).\n");
    copyFromFile(kAttrDuplexPageMode, kNoTrace);
  }
}

// The job's page size, tray, media type, output bin and duplex hold on every
// page: a page of the file left with its own values could come out on
// another size or from another tray than the job asked for.
void PageBuilder::build() {
  out_.clear();
  copyFromFile(kAttrOrientation, kNoTrace);
  bool wroteMediaSize = false;
  mediaSize(wroteMediaSize);
  mediaSource();
  // A custom size holds on every page unless the job's size replaced it.
  if (!wroteMediaSize) {
    copyFromFile(kAttrCustomMediaSizeUnits, kUnitsTrace);
    copyFromFile(kAttrCustomMediaSize, kCustomSizeTrace);
  }
  mediaType();
  mediaDestination();
  duplexMode();
  // A simplex job has no page side.
  if (s_.duplex != 0) copyFromFile(kAttrDuplexPageSide, kPageSideTrace);
  out_ += static_cast<char>(kOpBeginPage);
}

}  // namespace

int pxlMediaSizeValue(int pclPageSize) {
  for (const CodeValue& cv : kMediaSizes)
    if (cv.code == pclPageSize) return cv.value;
  return kDefaultMediaSize;
}

int pxlMediaSourceValue(int tray) {
  if (tray >= 61 && tray <= 80) return tray;
  for (const CodeValue& cv : kMediaSources)
    if (cv.code == tray) return cv.value;
  return 1;
}

const char* pxlMediaTypeName(int mediaType, bool sourceListModel) {
  if (sourceListModel) {
    for (const CodeName& cn : kSourceListMediaTypes)
      if (cn.code == mediaType) return cn.name;
  } else {
    for (const CodeName& cn : kOtherMediaTypes)
      if (cn.code == mediaType) return cn.name;
  }
  return kPlainMedia;
}

bool rebuildBeginPage(const PxlPageList& page, const JobSettings& settings, std::string& out) {
  out.clear();
  if (page.attributeCount == 0) return false;
  if (settings.debugLevel > 0) std::fprintf(stderr, "ProcessOutBuffer(BeginPage).\n");
  PageBuilder(page, settings, out).build();
  return true;
}
