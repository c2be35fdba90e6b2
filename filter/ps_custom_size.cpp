// Custom page-size fix, line by line over the buffered reader. Lines keep
// every byte (NUL included); a very long line is handled in pieces. The
// lines of a replaced feature are held back, boundedly, so that they can be
// written after all when the feature never ends.
#include "ps_custom_size.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

const std::size_t kMaxLine = 4096;          // longer lines come in pieces
const std::size_t kMaxHeldFeature = 65536;  // a feature longer than this is kept

bool holds(const std::string& line, const char* what) { return line.find(what) != std::string::npos; }

// The next line with its LF, at most kMaxLine bytes; false at end of file.
bool nextLine(InputReader& in, std::string& line) {
  line.clear();
  while (line.size() < kMaxLine && in.fill()) {
    const char* d = in.data();
    std::size_t n = in.available();
    if (n > kMaxLine - line.size()) n = kMaxLine - line.size();
    const void* lf = std::memchr(d, '\n', n);
    std::size_t take = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - d) + 1 : n;
    line.append(d, take);
    in.consume(take);
    if (lf) break;
  }
  return !line.empty();
}

// Skips blanks, then a number (digits and '.'); returns the position after.
std::size_t skipNumber(const std::string& s, std::size_t i) {
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
  while (i < s.size() && ((s[i] >= '0' && s[i] <= '9') || s[i] == '.')) ++i;
  return i;
}

double readNumber(const std::string& s, std::size_t* i) {
  while (*i < s.size() && (s[*i] == ' ' || s[*i] == '\t')) ++*i;
  std::size_t start = *i;
  while (*i < s.size() && ((s[*i] >= '0' && s[*i] <= '9') || s[*i] == '.')) ++*i;
  if (*i == start) return -1;
  std::string num = s.substr(start, *i - start);
  return std::strtod(num.c_str(), nullptr);
}

int chooseSize(double measured, int current) {
  if (isNearSize(measured, 842, 3)) return 842;
  if (isNearSize(measured, 595, 3)) return 595;
  if (isNearSize(measured, 1191, 3)) return 1191;
  return current;
}

}  // namespace

int parseArtBox(const std::string& line, double* width, double* height) {
  std::size_t art = line.find("ArtBox");
  if (art == std::string::npos) return 0;
  std::size_t open = line.find('[', art);
  if (open == std::string::npos) return 0;  // no box to measure
  std::size_t i = open + 1;
  while (i < line.size() && !(line[i] >= '0' && line[i] <= '9')) ++i;
  i = skipNumber(line, i);
  i = skipNumber(line, i);
  double w = readNumber(line, &i);
  double h = readNumber(line, &i);
  if (w < 0 || h < 0) return 0;
  *width = w;
  *height = h;
  return 1;
}

int isNearSize(double size, int nominal, int tolerance) {
  if (!(size > -1e9 && size < 1e9)) return 0;
  long long t = static_cast<long long>(size);
  return nominal - tolerance < t && t <= nominal + tolerance ? 1 : 0;
}

void fixCustomPageSize(InputReader& in, OutputWriter& out) {
  double measuredW = 595, measuredH = 842;
  int chosenW = 595, chosenH = 842;
  std::string line;
  std::string held;  // the replaced feature's lines, until its EndFeature
  bool dropping = false;
  while (nextLine(in, line)) {
    if (dropping) {
      held += line;
      if (holds(line, "EndFeature")) {
        dropping = false;
        held.clear();
      } else if (held.size() > kMaxHeldFeature) {
        out.write(held);  // no end in sight: nothing of the job is lost
        held.clear();
        dropping = false;
      }
      continue;
    }
    double w, h;
    if (parseArtBox(line, &w, &h)) {
      measuredW = w;
      measuredH = h;
    }
    if (!holds(line, "*CustomPageSize")) {
      out.write(line);
    } else if (holds(line, "BeginFeature")) {
      chosenW = chooseSize(measuredW, chosenW);
      chosenH = chooseSize(measuredH, chosenH);
      char size[96];
      std::snprintf(size, sizeof size, " << /PageSize [%.1f %.1f] >> setpagedevice\n", static_cast<double>(chosenW),
                    static_cast<double>(chosenH));
      out.write(std::string("%%BeginFeature: *PageRegion ") + (chosenW >= 1190 || chosenH >= 1190 ? "A3" : "A4") + "\n");
      out.write(size);
      out.write("%%EndFeature\n");
      held = line;
      dropping = true;
    } else if (holds(line, "DocumentSuppliedFeatures")) {
      out.write("%%DocumentSuppliedFeatures: *CustomPageSize False\n");
    } else {
      out.write(line);
    }
  }
  if (dropping) out.write(held);  // the feature never ended
  out.flush();
}
