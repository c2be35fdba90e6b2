// The token-level PCL XL reader of the PXL road. It copies the stream to the
// output as it goes, straight from the input's buffer (embedded data in
// bulk, no system call per token), and holds back only the attribute list
// of the operator being read, so that a BeginPage list can be rebuilt.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "job_settings.h"
#include "pxl_begin_page.h"
#include "pxl_input_stack.h"
#include "pxl_tags.h"
#include "stream_io.h"

// Error codes of a pass; each one ends the parsing, and the rest of the job
// is then copied unchanged.
enum PxlError {
  kPxlOk = 0,
  kPxlUnknownTag = 34,
  kPxlUnexpectedEnd = 35,   // end of input inside a token, or a malformed attribute
  kPxlBadArrayLength = 36,
  kPxlInvalidByte = 37      // a byte that begins no token
};

// Largest attribute list held back for a rebuild; a longer one is written as
// it comes (and a BeginPage after it passes unrebuilt).
constexpr std::size_t kPxlMaxHeldList = 64 * 1024;
// Most attributes recorded in one list.
constexpr std::size_t kPxlMaxAttributes = 256;

class PxlParser {
 public:
  // Reads the current input of inputs (its windows counted in its byte
  // counter).
  PxlParser(PxlInputStack& inputs, OutputWriter& out, const JobSettings& settings);
  PxlParser(const PxlParser&) = delete;
  PxlParser& operator=(const PxlParser&) = delete;

  // Processes the whole input; everything is written to out (not flushed).
  void run();

  int error() const { return error_; }
  // Pages whose BeginPage list was rebuilt.
  long rebuiltPages() const { return rebuiltPages_; }

 private:
  static constexpr std::uint64_t kNotHolding = ~std::uint64_t(0);

  std::uint64_t offsetOf(const std::uint8_t* p) const { return baseOffset_ + static_cast<std::uint64_t>(p - base_); }
  int getByte() { return p_ < end_ ? *p_++ : slowByte(); }
  int slowByte();
  bool nextWindow();
  void emitWindow();
  void holdFrom(const std::uint8_t* p);
  void stopHolding();
  void otherTag(std::uint8_t c);
  void handleOperator(std::uint8_t op);
  void handleValue(std::uint8_t tag);
  void slowValue(std::uint8_t tag, std::uint64_t start);
  void noteAttribute(std::uint64_t start, int first, int id);
  void noteAttributeAt(const std::uint8_t* start, const std::uint8_t* end, int first, int id);
  bool fastTokens();
  void handleEmbeddedData(bool fourByteLength);
  const std::uint8_t* heldList(const std::uint8_t* opByte, std::size_t& size);
  std::int64_t vendorDataLength(const std::uint8_t* opByte);
  void skipVendorData(std::uint64_t n);
  void copyThrough(int last, bool endIsError);
  bool readNumber(int bytes, std::uint32_t& value);
  bool skipBytes(std::uint64_t n);
  void rebuildPage(const std::uint8_t* opByte);
  void fail(int code, const char* format, unsigned value);
  void finish();

  PxlInputStack& inputs_;
  PxlInput* windowInput_ = nullptr;     // the input the window lies in, or none
  OutputWriter& out_;
  const JobSettings& settings_;
  PxlByteClass classes_[256];  // copies of the tag tables, close at hand
  PxlTypeInfo types_[256];

  bool atEnd_ = false;
  const std::uint8_t* base_ = nullptr;  // the window: the bytes at hand
  const std::uint8_t* p_ = nullptr;
  const std::uint8_t* end_ = nullptr;
  std::uint64_t baseOffset_ = 0;        // input offset of base_
  const std::uint8_t* copyFrom_ = nullptr;  // window bytes not yet written start here

  std::uint64_t listStart_ = 0;         // where the held list begins, or kNotHolding
  std::vector<std::uint8_t> held_;      // the list's bytes from earlier windows
  bool listSpilled_ = false;            // the list outgrew the bound and was written
  std::vector<PxlAttributeSpan> attributes_;  // kPxlMaxAttributes entries
  std::size_t attributeCount_ = 0;
  bool tooManyAttributes_ = false;

  bool highByteFirst_ = false;
  bool firstPage_ = true;
  int pointType_ = 240;
  int dataOrg_ = 0;
  int error_ = kPxlOk;
  bool stopped_ = false;
  long rebuiltPages_ = 0;
  std::vector<std::uint8_t> scratchList_;
  std::string newList_;
};
