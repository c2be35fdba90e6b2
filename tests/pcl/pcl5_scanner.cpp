// PCL 5 scanner: escape sequence syntax from the PCL 5 technical reference.
//   two-character:  ESC X          X in 48..126
//   parameterised:  ESC p g v1 c1 v2 c2 ... vn Cn
//     p in 33..47, g (optional) in 96..126, v a value field ([+|-]digits[.digits]),
//     c in 96..126 combines, C in 64..94 terminates.
// Data commands (byte count = value): the table below.
#include "pcl5_scanner.h"

#include <cstdio>

namespace pcl5 {
namespace {

const char* const kCarriesData[] = {
    "*bW", "*bV",            // raster data by row / by plane
    "(sW", ")sW", "(fW",     // character data, font header, symbol set
    "*cW",                   // user-defined pattern
    "*vW", "*gW",            // configure image data, configure raster data
    "*lW", "*iW", "*mW",     // colour lookup tables, viewing illuminant, dither matrix
    "*oW",                   // driver configuration
    "&pX",                   // transparent print data
    "&nW",                   // alphanumeric id
    "&bW",                   // I/O configuration
};

bool carriesData(const std::string& prefix, char letter) {
  std::string key = prefix + letter;
  for (const char* k : kCarriesData)
    if (key == k) return true;
  return false;
}

std::string at(std::size_t offset) {
  char buf[32];
  std::snprintf(buf, sizeof buf, " at offset %zu", offset);
  return buf;
}

void fail(Scan& s, const std::string& what, std::size_t offset) {
  if (s.complete) s.problem = what + at(offset);
  s.complete = false;
}

}  // namespace

Scan scan(const std::string& in) {
  Scan s;
  const std::size_t n = in.size();
  std::size_t i = 0;
  while (i < n) {
    unsigned char b = static_cast<unsigned char>(in[i]);
    if (b != 27) {
      s.text.push_back(in[i++]);
      continue;
    }
    std::size_t start = i++;
    if (i >= n) {
      fail(s, "ESC at end of stream", start);
      break;
    }
    unsigned char x = static_cast<unsigned char>(in[i]);
    if (x >= 48 && x <= 126) {
      Command c;
      c.letter = static_cast<char>(x);
      ++i;
      s.commands.push_back(c);
      continue;
    }
    if (x < 33 || x > 47) {
      fail(s, "ESC followed by a byte that starts no sequence", start);
      continue;
    }
    std::string prefix(1, static_cast<char>(x));
    ++i;
    if (i < n && in[i] >= 96 && in[i] <= 126) prefix.push_back(in[i++]);
    for (;;) {
      Command c;
      c.prefix = prefix;
      std::size_t v = i;
      if (i < n && (in[i] == '+' || in[i] == '-')) ++i;
      while (i < n && ((in[i] >= '0' && in[i] <= '9') || in[i] == '.')) ++i;
      c.value = in.substr(v, i - v);
      if (i >= n) {
        fail(s, "sequence cut off", start);
        break;
      }
      unsigned char t = static_cast<unsigned char>(in[i]);
      bool terminates = t >= 64 && t <= 94;
      bool combines = t >= 96 && t <= 126;
      if (!terminates && !combines) {
        fail(s, "bad byte in a sequence", i);
        break;
      }
      ++i;
      c.letter = static_cast<char>(terminates ? t : t - 32);
      if (carriesData(prefix, c.letter)) {
        long count = 0;
        std::size_t d = c.value.empty() || c.value[0] == '+' ? (c.value.empty() ? 0 : 1) : 0;
        if (!c.value.empty() && c.value[0] == '-') count = 0;
        else
          for (; d < c.value.size() && c.value[d] != '.'; ++d)
            if (count < (1L << 40)) count = count * 10 + (c.value[d] - '0');
        if (i + static_cast<std::size_t>(count) > n) {
          fail(s, "data cut off", i);
          count = static_cast<long>(n - i);
        }
        c.data = in.substr(i, static_cast<std::size_t>(count));
        s.data += c.data;
        i += static_cast<std::size_t>(count);
      }
      s.commands.push_back(c);
      if (terminates) break;
    }
  }
  return s;
}

std::vector<std::string> commandTexts(const Scan& s) {
  std::vector<std::string> texts;
  for (const Command& c : s.commands) texts.push_back(c.text());
  return texts;
}

}  // namespace pcl5
