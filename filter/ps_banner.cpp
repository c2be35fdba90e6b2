// Banner page copy with placeholder replacement.
#include "ps_banner.h"

#include <cstdio>
#include <cstring>

namespace {

std::string& bannerDirectory() {
  static std::string dir = "/usr/share/cups/banners";
  return dir;
}

const std::size_t kMaxLine = 511;         // a banner line; longer ones come in pieces
const std::size_t kMaxReplacement = 255;  // a value put in for a placeholder

struct Placeholder {
  const char* text;
  enum Source { kPrinter, kUser, kTitle } source;
};

// Tested in this order; the first one a line holds is replaced.
const Placeholder kPlaceholders[] = {
    {"{printer-name}-{job-id}", Placeholder::kPrinter},
    {"{job-originating-user-name}", Placeholder::kUser},
    {"{job-billing}", Placeholder::kUser},
    {"{job-name}", Placeholder::kTitle},
};

// A job value made safe inside a PostScript string or comment: cut to
// kMaxReplacement, string delimiters and backslashes escaped, control bytes
// (which could end a comment line) shown as '?'.
std::string psSafe(const std::string& value) {
  std::string out;
  for (std::size_t i = 0; i < value.size() && i < kMaxReplacement; ++i) {
    char c = value[i];
    unsigned char u = static_cast<unsigned char>(c);
    if (c == '(' || c == ')' || c == '\\') out += '\\';
    out += (u < 32 || u == 127) ? '?' : c;
  }
  return out;
}

bool safeName(const std::string& name) {
  return !name.empty() && name.find('/') == std::string::npos && name != "." && name != "..";
}

}  // namespace

void setBannerDirectory(const std::string& directory) { bannerDirectory() = directory; }

std::string replaceSubstring(const std::string& line, const std::string& placeholder, const std::string& replacement) {
  std::string::size_type at = line.find(placeholder);
  if (at == std::string::npos) return line;
  return line.substr(0, at) + replacement + line.substr(at + placeholder.size());
}

void writeBanner(const JobSettings& s, const std::string& name, OutputWriter& out) {
  if (!safeName(name)) return;
  std::FILE* f = std::fopen((bannerDirectory() + "/" + name).c_str(), "rb");
  if (!f) return;
  char magic[2] = {0, 0};
  if (std::fread(magic, 1, 2, f) != 2 || magic[0] != '%' || magic[1] != '!') {
    std::fclose(f);
    return;
  }
  std::string line = "%!";
  int c;
  bool more = true;
  while (more) {
    c = std::getc(f);
    if (c != EOF) line.push_back(static_cast<char>(c));
    more = c != EOF;
    if (c != '\n' && c != EOF && line.size() < kMaxLine) continue;
    for (const Placeholder& p : kPlaceholders) {
      if (line.find(p.text) == std::string::npos) continue;
      const std::string& value = p.source == Placeholder::kPrinter ? s.printer
                                 : p.source == Placeholder::kUser  ? s.userName
                                                                   : s.title;
      line = replaceSubstring(line, p.text, psSafe(value));
      break;
    }
    out.write(line);
    line.clear();
  }
  std::fclose(f);
}
