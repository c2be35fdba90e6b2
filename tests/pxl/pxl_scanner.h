// An independent PCL XL scanner for the tests: it reads a whole stream the
// way a printer's interpreter would (stream header, data-type tags with
// their values, attribute ids, operators, embedded data in both length
// forms, both byte orders) and gives back the stream as a list of
// operators. It shares nothing with the filter.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace pxlscan {

struct Attribute {
  unsigned id = 0;
  std::string bytes;  // the value token as it stands: type tag, array length, elements
  // The value as a number: the first element of a scalar (or -1 when the
  // value is no integer scalar).
  long number = -1;
};

struct Operator {
  unsigned code = 0;
  std::vector<Attribute> attributes;
  std::string data;   // embedded data after the operator, its blocks joined (a
                      // VendorUnique's untagged vendor data likewise)
  std::size_t offset = 0;

  const Attribute* find(unsigned id) const;
};

struct Stream {
  bool complete = false;     // tokenised to its end without a fault
  std::string fault;         // what stopped the scan
  std::size_t faultOffset = 0;
  std::string prefix;        // bytes before the first stream header (PJL, UEL)
  int headers = 0;           // stream headers seen
  bool highByteFirst = false;
  std::vector<Operator> operators;

  std::size_t count(unsigned code) const;
  // The attribute lists of each BeginPage, in page order.
  std::vector<const Operator*> pages() const;
};

Stream scan(const std::string& bytes);

// Compares two scans: same operators in order, same attribute lists except
// for BeginPage, same embedded data. Returns "" when they agree, else what
// differs first.
std::string compareExceptPages(const Stream& a, const Stream& b);

}  // namespace pxlscan
