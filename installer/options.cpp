// Options of setup.
#include "options.h"

#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

#include "install_paths.h"
#include "install_state.h"
#include "messages.h"

namespace inst {

namespace {

// The options whose value is a decimal number.
bool takesNumber(int letter) {
  for (char c : {'f', 'S', 'D', 'Z', 'm', 'q'})
    if (letter == c) return true;
  return false;
}

// True when the whole value is a decimal number (a sign allowed) that fits
// an int.
bool isDecimal(const char* value) {
  if (!value || !*value) return false;
  errno = 0;
  char* end = nullptr;
  long v = std::strtol(value, &end, 10);
  return *end == '\0' && errno == 0 && v >= INT_MIN && v <= INT_MAX &&
         (std::isdigit(static_cast<unsigned char>(value[0])) || value[0] == '-' || value[0] == '+');
}

}  // namespace

int decimalOption(const std::string& value) {
  long v = std::strtol(value.c_str(), nullptr, 10);
  if (v > INT_MAX) return INT_MAX;
  if (v < INT_MIN) return INT_MIN;
  return static_cast<int>(v);
}

std::vector<ParsedOption> parseOptions(int argc, char* const argv[], bool* bad) {
  std::vector<ParsedOption> out;
  if (bad) *bad = false;
  optind = 1;
  opterr = 1;  // getopt's own diagnostic, once, in this one pass
  int c;
  while ((c = ::getopt(argc, argv, kOptionString)) != -1) {
    if (c == '?' || c == ':') {
      if (bad) *bad = true;
      continue;
    }
    if (takesNumber(c) && !isDecimal(optarg)) {
      std::fputs(format(kBadNumber, c, optarg ? optarg : "").c_str(), stderr);
      if (bad) *bad = true;
      continue;
    }
    out.push_back({static_cast<char>(c), optarg ? optarg : ""});
  }
  // setup takes no words besides its options ("setup d" is no -d).
  for (int i = optind; i < argc; ++i) {
    std::fputs(format(kNotAnOption, argv[i]).c_str(), stderr);
    if (bad) *bad = true;
  }
  optind = 1;
  return out;
}

bool applyFirstPhase(const std::vector<ParsedOption>& options) {
  InstallState& s = state();
  bool usage = false;
  for (const ParsedOption& o : options) {
    switch (o.letter) {
      case 'd': s.deinstall = 1; break;
      case 'f': s.fromAnyDir = decimalOption(o.value); break;
      case 'S': s.selinux = decimalOption(o.value) != 0 ? 1 : 0; break;
      case 'h': usage = true; break;
      default: break;
    }
  }
  return usage;
}

void applySecondPhase(const std::vector<ParsedOption>& options) {
  InstallState& s = state();
  for (const ParsedOption& o : options) {
    int n = decimalOption(o.value);
    switch (o.letter) {
      case 'D':
      case 'Z': s.debug = n; break;
      case 'i': s.manifestName = o.value; break;
      case 'm':
        if (n >= 1 && n <= 3) s.mArg = n;
        break;
      case 'q': s.interactive = n > 0 ? n : 0; break;
      case 'u': {
        std::string checked;
        if (checkInstallDir(o.value, &checked, &s.refusedReason)) {
          s.installDir = checked;
          s.installDirGiven = 1;
        } else {
          s.installDirRefused = 1;
          s.refusedInstallDir = o.value;
        }
        break;
      }
      case 'w': s.workDir = o.value; break;
      default: break;
    }
  }
}

std::string usageText() {
  std::string t = format(kUsageVersion, kRelease);
  for (Msg m : {kUsageNotice1, kUsageNotice2, kUsageHead, kUsageLine, kUsageOptions}) t += text(m);
  t += format(kUsageD, kRelease);
  for (Msg m : {kUsageF, kUsageH, kUsageI, kUsageM, kUsageQ, kUsageS, kUsageU, kUsageW, kUsageDebug, kUsageZ})
    t += text(m);
  return t;
}

}  // namespace inst
