// Replacing font resources that match no installed font (see font_fallback.h).
#include "font_fallback.h"

#include <X11/Intrinsic.h>
#include <X11/Xresource.h>
#include <strings.h>

#include <climits>
#include <cstdlib>

namespace {

// XLFD fields after the leading '-': 0 foundry, 1 family, 2 weight, 3 slant,
// 4 set width, 5 add-style, 6 pixel size, ... A trailing "*" may stand for
// all the rest.
enum { kFamily = 1, kWeight = 2, kSlant = 3, kSetWidth = 4, kPixelSize = 6 };

std::vector<std::string> xlfdFields(const std::string& name) {
  std::vector<std::string> fields;
  if (name.empty() || name[0] != '-') return fields;
  size_t start = 1;
  for (;;) {
    size_t dash = name.find('-', start);
    fields.push_back(name.substr(start, dash == std::string::npos ? std::string::npos : dash - start));
    if (dash == std::string::npos) break;
    start = dash + 1;
  }
  return fields;
}

bool fieldMatches(const std::string& pattern, const std::string& value) {
  return pattern == "*" || strcasecmp(pattern.c_str(), value.c_str()) == 0;
}

int pixelSize(const std::vector<std::string>& f) {
  return f.size() > kPixelSize ? std::atoi(f[kPixelSize].c_str()) : 0;
}

bool installed(Display* dpy, const std::string& pattern) {
  int count = 0;
  char** names = XListFonts(dpy, pattern.c_str(), 1, &count);
  if (names) XFreeFontNames(names);
  return count > 0;
}

std::string substituteFor(Display* dpy, const std::string& font) {
  if (installed(dpy, font)) return std::string();
  std::vector<std::string> f = xlfdFields(font);
  if (f.size() <= kSlant) return std::string();
  std::string pattern = "-*-*-" + f[kWeight] + "-" + f[kSlant] + "-*-*-*-*-*-*-*-*-*-*";
  int count = 0;
  char** names = XListFonts(dpy, pattern.c_str(), 4000, &count);
  std::vector<std::string> list(names, names + count);
  if (names) XFreeFontNames(names);
  return nearestFontName(font, list);
}

bool isFontListName(XrmQuark quark) {
  const char* name = XrmQuarkToString(quark);
  return name && (strcasecmp(name, "fontList") == 0 || strcasecmp(name, "SysFont1") == 0);
}

struct Replacement {
  std::vector<XrmBinding> bindings;
  std::vector<XrmQuark> quarks;
  std::string value;
};

struct Scan {
  Display* dpy;
  std::vector<Replacement> replacements;
};

Bool scanEntry(XrmDatabase*, XrmBindingList bindings, XrmQuarkList quarks, XrmRepresentation*,
               XrmValue* value, XPointer closure) {
  auto* scan = reinterpret_cast<Scan*>(closure);
  size_t n = 0;
  while (quarks[n] != NULLQUARK) ++n;
  if (n == 0 || !isFontListName(quarks[n - 1]) || !value->addr) return False;
  std::string text(static_cast<const char*>(value->addr));
  Display* dpy = scan->dpy;
  std::string replaced =
      replaceFontsInList(text, [dpy](const std::string& font) { return substituteFor(dpy, font); });
  if (replaced == text) return False;
  Replacement r;
  r.bindings.assign(bindings, bindings + n);
  r.quarks.assign(quarks, quarks + n);
  r.quarks.push_back(NULLQUARK);
  r.value = replaced;
  scan->replacements.push_back(r);
  return False;
}

}  // namespace

std::string nearestFontName(const std::string& wanted, const std::vector<std::string>& installedNames) {
  std::vector<std::string> w = xlfdFields(wanted);
  if (w.size() <= kSlant) return std::string();
  int wantedSize = pixelSize(w);
  std::string best;
  long bestScore = LONG_MAX;
  for (const std::string& name : installedNames) {
    std::vector<std::string> f = xlfdFields(name);
    if (f.size() <= kPixelSize || !fieldMatches(w[kWeight], f[kWeight]) ||
        !fieldMatches(w[kSlant], f[kSlant])) {
      continue;
    }
    int size = pixelSize(f);
    long score = (fieldMatches(w[kFamily], f[kFamily]) ? 0 : 1000000L) +
                 (size == 0 ? 100000L : 1000L * std::labs(size - wantedSize)) +
                 (w.size() > kSetWidth && fieldMatches(w[kSetWidth], f[kSetWidth]) ? 0 : 10) +
                 (name.find("iso8859-1") != std::string::npos ? 0 : 1);
    if (score < bestScore) {
      bestScore = score;
      best = name;
    }
  }
  return best;
}

std::string replaceFontsInList(const std::string& value,
                               const std::function<std::string(const std::string&)>& substitute) {
  if (value.find_first_of(";:") != std::string::npos) return value;
  std::string out;
  size_t start = 0;
  for (;;) {
    size_t comma = value.find(',', start);
    std::string entry = value.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    size_t first = entry.find_first_not_of(" \t");
    size_t equals = entry.find('=');
    if (first != std::string::npos) {
      size_t end = entry.find_last_not_of(" \t", equals == std::string::npos ? std::string::npos : equals - 1);
      std::string font = entry.substr(first, end == std::string::npos ? 0 : end - first + 1);
      std::string other = font.empty() ? std::string() : substitute(font);
      if (!other.empty()) {
        entry = other + (equals == std::string::npos ? std::string() : entry.substr(equals));
      }
    }
    out += entry;
    if (comma == std::string::npos) break;
    out += ',';
    start = comma + 1;
  }
  return out;
}

void substituteMissingFonts(Display* dpy) {
  XrmDatabase db = XtDatabase(dpy);
  if (!db) return;
  Scan scan{dpy, {}};
  XrmQuark empty = NULLQUARK;
  XrmEnumerateDatabase(db, &empty, &empty, XrmEnumAllLevels, scanEntry, reinterpret_cast<XPointer>(&scan));
  for (Replacement& r : scan.replacements) {
    XrmQPutStringResource(&db, r.bindings.data(), r.quarks.data(), r.value.c_str());
  }
}
