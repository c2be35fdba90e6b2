// The PCL XL token reader: tokens are read from a window over the input's
// buffer; bytes that pass unchanged are written from there in large blocks.
#include "pxl_parser.h"

#include <cstdio>
#include <cstring>

#include "pxl_tags.h"

namespace {

// Texts of the pass, one place.
const char kMsgBadTag[] = "Bad PXL tag: 0x%x\n";
const char kMsgUnknownTag[] = "Bad PXL tag: 0x%x.\n";
const char kMsgBadArrayLength[] = "Bad PXL array length tag: 0x%x.\n";
const char kMsgNoAttributeId[] = "PXL value without attribute id: 0x%x.\n";
const char kMsgStopped[] = "PCL XL error %d at byte %llu: the rest of the job is copied unchanged.\n";
const char kMsgAscii[] = "PCL XL stream in ASCII: copied unchanged.\n";
const char kMsgFoundBeginPage[] = "Found BeginPage.\n";
const char kMsgDumpByte[] = "buf[%02d] = 0x%02x = %c.\n";
const char kMsgUnrebuilt[] = "BeginPage attribute list too long: passed unchanged.\n";

bool keepsPointType(std::uint8_t op) { return op == 0x93 || op == 0x95 || op == 0x9B || op == 0x9D || op == 0xB9; }

}  // namespace

PxlParser::PxlParser(PxlInputStack& inputs, OutputWriter& out, const JobSettings& settings)
    : inputs_(inputs),
      out_(out),
      settings_(settings),
      attributes_(kPxlMaxAttributes) {
  std::memcpy(classes_, pxlByteClasses(), sizeof classes_);
  std::memcpy(types_, pxlTypeInfos(), sizeof types_);
}

void PxlParser::emitWindow() {
  if (copyFrom_ == end_) return;
  const std::uint8_t* holdStart = end_;
  if (listStart_ != kNotHolding && !listSpilled_) {
    holdStart = listStart_ >= baseOffset_ ? base_ + (listStart_ - baseOffset_) : base_;
    if (holdStart < copyFrom_) holdStart = copyFrom_;
  }
  if (holdStart > copyFrom_) out_.write(reinterpret_cast<const char*>(copyFrom_), static_cast<std::size_t>(holdStart - copyFrom_));
  if (holdStart < end_) {
    std::size_t n = static_cast<std::size_t>(end_ - holdStart);
    if (held_.size() + n > kPxlMaxHeldList) {
      // Too long to hold back: written as it is, never rebuilt.
      if (!held_.empty()) out_.write(reinterpret_cast<const char*>(held_.data()), held_.size());
      out_.write(reinterpret_cast<const char*>(holdStart), n);
      held_.clear();
      listSpilled_ = true;
    } else {
      held_.insert(held_.end(), holdStart, end_);
    }
  }
  copyFrom_ = end_;
}

bool PxlParser::nextWindow() {
  emitWindow();
  std::size_t used = static_cast<std::size_t>(end_ - base_);
  baseOffset_ += used;
  if (windowInput_) {
    windowInput_->reader->consume(used);
    windowInput_->bytesRead += used;
  }
  windowInput_ = nullptr;
  base_ = p_ = end_ = copyFrom_ = nullptr;
  PxlInput* input = inputs_.current();
  if (atEnd_ || !input || !input->reader->fill()) {
    atEnd_ = true;
    return false;
  }
  base_ = reinterpret_cast<const std::uint8_t*>(input->reader->data());
  end_ = base_ + input->reader->available();
  p_ = copyFrom_ = base_;
  windowInput_ = input;
  return true;
}

int PxlParser::slowByte() {
  while (p_ == end_)
    if (!nextWindow()) return -1;
  return *p_++;
}

inline void PxlParser::holdFrom(const std::uint8_t* p) {
  if (!held_.empty()) {
    out_.write(reinterpret_cast<const char*>(held_.data()), held_.size());
    held_.clear();
  }
  listStart_ = offsetOf(p);
  listSpilled_ = false;
  attributeCount_ = 0;
  tooManyAttributes_ = false;
}

void PxlParser::stopHolding() {
  holdFrom(p_);
  listStart_ = kNotHolding;
}

void PxlParser::fail(int code, const char* format, unsigned value) {
  if (format) std::fprintf(stderr, format, value);
  std::fprintf(stderr, kMsgStopped, code, static_cast<unsigned long long>(offsetOf(p_)));
  error_ = code;
  stopped_ = true;
}

bool PxlParser::readNumber(int bytes, std::uint32_t& value) {
  value = 0;
  for (int i = 0; i < bytes; ++i) {
    int c = getByte();
    if (c < 0) return false;
    if (highByteFirst_) value = (value << 8) | static_cast<std::uint32_t>(c);
    else value |= static_cast<std::uint32_t>(c) << (8 * i);
  }
  return true;
}

bool PxlParser::skipBytes(std::uint64_t n) {
  while (n > 0) {
    if (p_ == end_ && !nextWindow()) return false;
    std::uint64_t k = static_cast<std::uint64_t>(end_ - p_);
    if (k > n) k = n;
    p_ += k;
    n -= k;
  }
  return true;
}

void PxlParser::copyThrough(int last, bool endIsError) {
  stopHolding();
  for (;;) {
    if (p_ == end_ && !nextWindow()) {
      if (endIsError) fail(kPxlUnexpectedEnd, nullptr, 0);
      stopped_ = true;
      return;
    }
    const void* hit = std::memchr(p_, last, static_cast<std::size_t>(end_ - p_));
    if (hit) {
      p_ = static_cast<const std::uint8_t*>(hit) + 1;
      break;
    }
    p_ = end_;
  }
  holdFrom(p_);
}

void PxlParser::handleEmbeddedData(bool fourByteLength) {
  // Embedded data belongs to the operator before it, never to a list.
  stopHolding();
  std::uint32_t n = 0;
  if (!readNumber(fourByteLength ? 4 : 1, n) || !skipBytes(n)) {
    fail(kPxlUnexpectedEnd, nullptr, 0);
    return;
  }
  holdFrom(p_);
}

void PxlParser::skipVendorData(std::uint64_t n) {
  // The vendor's bytes belong to the operator, copied as they stand.
  stopHolding();
  if (!skipBytes(n)) {
    fail(kPxlUnexpectedEnd, nullptr, 0);
    return;
  }
  holdFrom(p_);
}

inline void PxlParser::noteAttributeAt(const std::uint8_t* start, const std::uint8_t* end, int first, int id) {
  if (id == kAttrPointType || id == kAttrXPairType) pointType_ = first;
  if (id == kAttrDataOrg) dataOrg_ = first;
  if (listStart_ == kNotHolding || listSpilled_) return;
  if (attributeCount_ >= kPxlMaxAttributes) {
    tooManyAttributes_ = true;
    return;
  }
  attributes_[attributeCount_++] = {static_cast<std::uint32_t>(offsetOf(start) - listStart_),
                                    static_cast<std::uint32_t>(offsetOf(end) - listStart_), static_cast<std::uint8_t>(id)};
}

inline void PxlParser::noteAttribute(std::uint64_t start, int first, int id) {
  if (id == kAttrPointType || id == kAttrXPairType) pointType_ = first;
  if (id == kAttrDataOrg) dataOrg_ = first;
  if (listStart_ == kNotHolding || listSpilled_) return;
  if (attributeCount_ >= kPxlMaxAttributes) {
    tooManyAttributes_ = true;
    return;
  }
  attributes_[attributeCount_++] = {static_cast<std::uint32_t>(start - listStart_),
                                    static_cast<std::uint32_t>(offsetOf(p_) - listStart_), static_cast<std::uint8_t>(id)};
}

inline void PxlParser::handleValue(std::uint8_t tag) {
  // The common case: the whole attribute lies in the window, the id right
  // after the value.
  const std::uint8_t* tagAt = p_ - 1;
  const PxlTypeInfo& t = types_[tag];
  std::size_t room = static_cast<std::size_t>(end_ - p_);
  std::size_t n = t.valueBytes;
  std::size_t skip = 0;
  if (t.elements == 0) {
    if (room >= 2 && p_[0] == 0xC0) {
      skip = 2;
      n = static_cast<std::size_t>(p_[1]) * t.elementSize;
    } else {
      n = room;  // not the short form: the careful road
    }
  }
  if (room >= skip + n + 2 && p_[skip + n] == 0xF8) {
    int first = n > 0 ? p_[skip] : 0;
    int id = p_[skip + n + 1];
    p_ += skip + n + 2;
    noteAttribute(offsetOf(tagAt), first, id);
    return;
  }
  slowValue(tag, offsetOf(tagAt));
}

void PxlParser::slowValue(std::uint8_t tag, std::uint64_t start) {
  const PxlTypeInfo& t = types_[tag];
  std::uint64_t count = t.elements;
  if (count == 0) {
    int lengthTag = getByte();
    if (lengthTag < 0) return fail(kPxlUnexpectedEnd, nullptr, 0);
    int lengthBytes = lengthTag == 0xC0 ? 1 : lengthTag == 0xC1 ? 2 : lengthTag == 0xC2 ? 4 : 0;
    if (lengthBytes == 0) return fail(kPxlBadArrayLength, kMsgBadArrayLength, static_cast<unsigned>(lengthTag));
    std::uint32_t n = 0;
    if (!readNumber(lengthBytes, n)) return fail(kPxlUnexpectedEnd, nullptr, 0);
    count = n;
  }
  std::uint64_t bytes = count * t.elementSize;
  int first = 0;
  if (bytes > 0) {
    first = getByte();
    if (first < 0 || !skipBytes(bytes - 1)) return fail(kPxlUnexpectedEnd, nullptr, 0);
  }
  int c;
  do {
    c = getByte();
  } while (c >= 0 && classes_[c] == kPxlWhiteSpace);
  if (c != 0xF8) return fail(kPxlUnexpectedEnd, c < 0 ? nullptr : kMsgNoAttributeId, static_cast<unsigned>(c));
  int id = getByte();
  if (id < 0) return fail(kPxlUnexpectedEnd, nullptr, 0);
  noteAttribute(start, first, id);
}

const std::uint8_t* PxlParser::heldList(const std::uint8_t* opByte, std::size_t& size) {
  const std::uint8_t* listBegin = listStart_ >= baseOffset_ ? base_ + (listStart_ - baseOffset_) : base_;
  size = static_cast<std::size_t>(opByte - listBegin);
  if (held_.empty()) return listBegin;
  scratchList_.assign(held_.begin(), held_.end());
  scratchList_.insert(scratchList_.end(), base_, opByte);
  size = scratchList_.size();
  return scratchList_.data();
}

std::int64_t PxlParser::vendorDataLength(const std::uint8_t* opByte) {
  // Only an unsigned scalar VUDataLength announces vendor data.
  if (listStart_ == kNotHolding || listSpilled_) return -1;
  const PxlAttributeSpan* length = nullptr;
  for (std::size_t i = 0; i < attributeCount_; ++i)
    if (attributes_[i].id == kAttrVUDataLength) length = &attributes_[i];
  if (!length) return -1;
  std::size_t size = 0;
  const std::uint8_t* v = heldList(opByte, size) + length->start;
  if (v[0] < 0xC0 || v[0] > 0xC2) return -1;
  int bytes = types_[v[0]].valueBytes;
  std::uint32_t n = 0;
  for (int i = 0; i < bytes; ++i) {
    if (highByteFirst_) n = (n << 8) | v[1 + i];
    else n |= static_cast<std::uint32_t>(v[1 + i]) << (8 * i);
  }
  return n;
}

void PxlParser::rebuildPage(const std::uint8_t* opByte) {
  if (listSpilled_ || tooManyAttributes_) {
    std::fprintf(stderr, kMsgUnrebuilt);
    holdFrom(p_);
    return;
  }
  const std::uint8_t* listBegin = listStart_ >= baseOffset_ ? base_ + (listStart_ - baseOffset_) : base_;
  std::size_t size = 0;
  const std::uint8_t* bytes = heldList(opByte, size);
  if (settings_.debugLevel > 1) {
    std::fprintf(stderr, kMsgFoundBeginPage);
    for (std::size_t i = 0; i <= size; ++i) {
      unsigned b = i < size ? bytes[i] : static_cast<unsigned>(kOpBeginPage);
      std::fprintf(stderr, kMsgDumpByte, static_cast<int>(i), b, b ? static_cast<int>(b) : '*');
    }
  }
  PxlPageList page{bytes, size, attributes_.data(), attributeCount_, firstPage_, highByteFirst_};
  if (!rebuildBeginPage(page, settings_, newList_)) {
    holdFrom(p_);
    return;
  }
  if (held_.empty()) {
    if (listBegin > copyFrom_) out_.write(reinterpret_cast<const char*>(copyFrom_), static_cast<std::size_t>(listBegin - copyFrom_));
  } else {
    held_.clear();  // replaced by the new list
  }
  out_.write(newList_);
  copyFrom_ = p_;
  firstPage_ = false;
  ++rebuiltPages_;
  holdFrom(p_);
}

inline void PxlParser::handleOperator(std::uint8_t op) {
  if (!keepsPointType(op)) pointType_ = 240;
  if (op == kOpBeginPage) return rebuildPage(p_ - 1);
  // A VendorUnique whose list holds VUDataLength is followed by that many
  // bytes of vendor data, without a data tag: they are no tokens.
  std::int64_t vendorData = op == kOpVendorUnique ? vendorDataLength(p_ - 1) : -1;
  holdFrom(p_);
  if (vendorData >= 0) skipVendorData(static_cast<std::uint64_t>(vendorData));
}

void PxlParser::otherTag(std::uint8_t c) {
  switch (classes_[c]) {
    case kPxlWhiteSpace: return;
    case kPxlOperator: return handleOperator(static_cast<std::uint8_t>(c));
    case kPxlDataType: return handleValue(static_cast<std::uint8_t>(c));
    case kPxlUel: return copyThrough('X', false);
    case kPxlPjlLine: return copyThrough('\n', false);
    case kPxlBinding:
      if (c == 0x27) {
        if (settings_.debugLevel > 0) std::fprintf(stderr, kMsgAscii);
        stopped_ = true;  // finish() copies the rest as it is
        return;
      }
      highByteFirst_ = c == 0x28;
      return copyThrough('\n', true);
    case kPxlData4: return handleEmbeddedData(true);
    case kPxlData1: return handleEmbeddedData(false);
    case kPxlUnknownOperator:
      if (!keepsPointType(static_cast<std::uint8_t>(c))) pointType_ = 240;
      return fail(kPxlUnknownTag, kMsgUnknownTag, static_cast<unsigned>(c));
    case kPxlUnknownType: return fail(kPxlUnknownTag, kMsgUnknownTag, static_cast<unsigned>(c));
    default: return fail(kPxlInvalidByte, kMsgBadTag, static_cast<unsigned>(c));
  }
}

void PxlParser::finish() {
  // Whatever was held back or not yet read goes out as it is.
  stopHolding();
  p_ = end_;
  while (nextWindow()) p_ = end_;
}

bool PxlParser::fastTokens() {
  // The tokens of most streams, read with a local cursor: values whose id
  // follows at once, operators other than BeginPage, white space. Anything
  // else is left at p_ for the careful road.
  const std::uint8_t* p = p_;
  const std::uint8_t* const e = end_;
  while (p < e) {
    std::uint8_t c = *p;
    PxlByteClass k = classes_[c];
    if (k == kPxlOperator) {
      if (c == kOpBeginPage || c == kOpVendorUnique || !held_.empty()) break;
      ++p;
      if (!keepsPointType(c)) pointType_ = 240;
      listStart_ = baseOffset_ + static_cast<std::uint64_t>(p - base_);
      listSpilled_ = false;
      attributeCount_ = 0;
      tooManyAttributes_ = false;
      continue;
    }
    if (k == kPxlWhiteSpace) {
      ++p;
      continue;
    }
    if (k != kPxlDataType) break;
    const PxlTypeInfo& t = types_[c];
    std::size_t room = static_cast<std::size_t>(e - p) - 1;
    std::size_t n = t.valueBytes;
    std::size_t skip = 0;
    if (t.elements == 0) {
      if (room < 2 || p[1] != 0xC0) break;
      skip = 2;
      n = static_cast<std::size_t>(p[2]) * t.elementSize;
    }
    if (room < skip + n + 2 || p[1 + skip + n] != 0xF8) break;
    int first = n > 0 ? p[1 + skip] : 0;
    int id = p[2 + skip + n];
    const std::uint8_t* tagAt = p;
    p += 3 + skip + n;
    noteAttributeAt(tagAt, p, first, id);
  }
  p_ = p;
  return p < e;
}

void PxlParser::run() {
  for (;;) {
    if (p_ == end_) {
      if (!nextWindow()) break;
      continue;
    }
    if (!fastTokens()) continue;
    std::uint8_t c = *p_++;
    PxlByteClass k = classes_[c];
    if (k == kPxlDataType) handleValue(c);
    else if (k == kPxlOperator) handleOperator(c);
    else if (k != kPxlWhiteSpace) otherTag(c);
    if (stopped_) break;
  }
  finish();
}
