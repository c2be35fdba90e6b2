// The tests' own PCL XL scanner, written from the protocol's published tag
// values: data-type tags are 0xC0..0xEF with the element type in the low
// three bits (ubyte, uint16, uint32, sint16, sint32, real32) and the shape
// in the upper bits (scalar 0xC0, array 0xC8, xy 0xD0, box 0xE0). A
// VendorUnique operator whose list holds VUDataLength is followed by that
// many bytes of vendor data.
#include "pxl_scanner.h"

namespace pxlscan {

namespace {

bool isWhite(unsigned char c) { return c == 0 || (c >= 9 && c <= 13) || c == ' '; }

class Scanner {
 public:
  explicit Scanner(const std::string& s) : s_(s) {}

  Stream run() {
    Stream out;
    std::vector<Attribute> pending;
    while (pos_ < s_.size() && out.fault.empty()) {
      unsigned char c = byte(pos_);
      if (isWhite(c)) { ++pos_; continue; }
      if (c == 0x1B) { skipPast('X', out); continue; }
      if (c == '@') { skipPast('\n', out); continue; }
      if (c == 0x27 || c == 0x28 || c == 0x29) {
        if (c == 0x27) { fault(out, "ASCII stream"); break; }
        out.highByteFirst = high_ = c == 0x28;
        std::size_t lf = s_.find('\n', pos_);
        if (lf == std::string::npos) { fault(out, "stream header without end"); break; }
        if (s_.compare(pos_ + 1, 8, " HP-PCL ") != 0) { fault(out, "stream header without HP-PCL XL"); break; }
        ++out.headers;
        pos_ = lf + 1;
        continue;
      }
      if (c >= 0xC0 && c <= 0xEF) {
        Attribute a;
        if (!value(a, out)) break;
        if (!attributeId(a, out)) break;
        pending.push_back(a);
        continue;
      }
      if (c == 0xFA || c == 0xFB) {
        if (out.operators.empty()) { fault(out, "embedded data before any operator"); break; }
        std::size_t n = 0;
        ++pos_;
        if (!number(c == 0xFA ? 4 : 1, n, out)) break;
        if (pos_ + n > s_.size()) { fault(out, "embedded data cut short"); break; }
        out.operators.back().data.append(s_, pos_, n);
        pos_ += n;
        continue;
      }
      if (c >= 0x41 && c <= 0xBF) {
        Operator op;
        op.code = c;
        op.offset = pos_;
        op.attributes.swap(pending);
        ++pos_;
        // VendorUnique (0x46): VUDataLength (0x92) bytes of vendor data
        // follow the operator at once, without a data tag.
        const Attribute* length = c == 0x46 ? op.find(0x92) : nullptr;
        if (length && length->number >= 0) {
          std::size_t n = static_cast<std::size_t>(length->number);
          if (pos_ + n > s_.size()) { fault(out, "vendor data cut short"); break; }
          op.data.assign(s_, pos_, n);
          pos_ += n;
        }
        out.operators.push_back(op);
        continue;
      }
      fault(out, "byte that begins no token");
    }
    if (out.fault.empty() && !pending.empty()) fault(out, "attributes without operator at the end");
    out.complete = out.fault.empty();
    return out;
  }

 private:
  unsigned char byte(std::size_t i) const { return static_cast<unsigned char>(s_[i]); }

  void fault(Stream& out, const char* what) {
    out.fault = what;
    out.faultOffset = pos_;
  }

  void skipPast(char end, Stream& out) {
    std::size_t hit = s_.find(end, pos_);
    std::size_t stop = hit == std::string::npos ? s_.size() : hit + 1;
    if (out.headers == 0) out.prefix.append(s_, pos_, stop - pos_);
    pos_ = stop;
  }

  bool number(int size, std::size_t& n, Stream& out) {
    if (pos_ + static_cast<std::size_t>(size) > s_.size()) {
      fault(out, "number cut short");
      return false;
    }
    n = 0;
    for (int i = 0; i < size; ++i) {
      std::size_t b = byte(pos_ + static_cast<std::size_t>(i));
      if (high_) n = (n << 8) | b;
      else n |= b << (8 * i);
    }
    pos_ += static_cast<std::size_t>(size);
    return true;
  }

  bool value(Attribute& a, Stream& out) {
    std::size_t start = pos_;
    unsigned char tag = byte(pos_++);
    static const int kElementSize[8] = {1, 2, 4, 2, 4, 4, 0, 0};
    int element = kElementSize[tag & 7];
    unsigned shape = tag & 0xF8;
    if (element == 0 || (shape != 0xC0 && shape != 0xC8 && shape != 0xD0 && shape != 0xE0)) {
      fault(out, "unknown data type");
      return false;
    }
    std::size_t count = shape == 0xC0 ? 1 : shape == 0xD0 ? 2 : shape == 0xE0 ? 4 : 0;
    if (shape == 0xC8) {
      if (pos_ >= s_.size()) { fault(out, "array cut short"); return false; }
      unsigned char lt = byte(pos_++);
      int size = lt == 0xC0 ? 1 : lt == 0xC1 ? 2 : lt == 0xC2 ? 4 : 0;
      if (size == 0) { fault(out, "bad array length type"); return false; }
      if (!number(size, count, out)) return false;
    }
    std::size_t bytes = count * static_cast<std::size_t>(element);
    if (pos_ + bytes > s_.size()) { fault(out, "value cut short"); return false; }
    if (shape == 0xC0 && (tag & 7) <= 2) {
      std::size_t save = pos_, n = 0;
      number(element, n, out);
      pos_ = save;
      a.number = static_cast<long>(n);
    }
    pos_ += bytes;
    a.bytes = s_.substr(start, pos_ - start);
    return true;
  }

  bool attributeId(Attribute& a, Stream& out) {
    while (pos_ < s_.size() && isWhite(byte(pos_))) ++pos_;
    if (pos_ >= s_.size()) { fault(out, "attribute id missing at the end"); return false; }
    unsigned char t = byte(pos_);
    std::size_t id = 0;
    if (t == 0xF8 || t == 0xF9) {
      ++pos_;
      if (!number(t == 0xF8 ? 1 : 2, id, out)) return false;
      a.id = static_cast<unsigned>(id);
      return true;
    }
    fault(out, "value without attribute id");
    return false;
  }

  const std::string& s_;
  std::size_t pos_ = 0;
  bool high_ = false;
};

}  // namespace

const Attribute* Operator::find(unsigned id) const {
  for (const Attribute& a : attributes)
    if (a.id == id) return &a;
  return nullptr;
}

std::size_t Stream::count(unsigned code) const {
  std::size_t n = 0;
  for (const Operator& op : operators)
    if (op.code == code) ++n;
  return n;
}

std::vector<const Operator*> Stream::pages() const {
  std::vector<const Operator*> out;
  for (const Operator& op : operators)
    if (op.code == 0x43) out.push_back(&op);
  return out;
}

Stream scan(const std::string& bytes) { return Scanner(bytes).run(); }

std::string compareExceptPages(const Stream& a, const Stream& b) {
  if (a.operators.size() != b.operators.size())
    return "operator counts " + std::to_string(a.operators.size()) + " and " + std::to_string(b.operators.size());
  for (std::size_t i = 0; i < a.operators.size(); ++i) {
    const Operator& x = a.operators[i];
    const Operator& y = b.operators[i];
    std::string where = "operator " + std::to_string(i) + " (0x" + std::to_string(x.code) + ")";
    if (x.code != y.code) return where + ": codes differ";
    if (x.data != y.data) return where + ": embedded data differs";
    if (x.code == 0x43) continue;
    if (x.attributes.size() != y.attributes.size()) return where + ": attribute counts differ";
    for (std::size_t k = 0; k < x.attributes.size(); ++k)
      if (x.attributes[k].id != y.attributes[k].id || x.attributes[k].bytes != y.attributes[k].bytes)
        return where + ": attribute " + std::to_string(k) + " differs";
  }
  return "";
}

}  // namespace pxlscan
