// Options, environment and usage text of the administration program.
#include "startup_options.h"

#include <getopt.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "setup_state.h"
#include "trace.h"

namespace {

const char kOptionString[] = "a:e:f:hr:s:u:vx:y:A:F:H:M:N:P:S:U:W:Y:Z:";

// The X fonts of -e; the default font replaces any of them before use.
const char* const kFontNames[4] = {
    "-*-helvetica-bold-r-normal--10-*",
    "-*-helvetica-bold-r-normal--12-*",
    "-*-courier-bold-r-normal--10-*",
    "-*-helvetica-bold-r-normal--12-*",
};
const char kDefaultFontName[] = "-*-lucida-bold-r-normal--10-*";

int toInt(const char* text) { return static_cast<int>(std::strtol(text, nullptr, 10)); }

// Copies an option value into a field of `size` bytes (NUL included); a value
// that does not fit is refused with a line on `errors`.
bool takeOptionValue(char option, const char* value, size_t size, std::string* field,
                     FILE* errors) {
  size_t length = std::strlen(value);
  if (length + 1 > size) {
    std::fprintf(errors, "Jarn: value of option -%c is longer than %zu characters; ignored.\n",
                 option, size - 1);
    return false;
  }
  *field = value;
  return true;
}

}  // namespace

std::string boundedEnvironment(const char* name, size_t size) {
  const char* value = std::getenv(name);
  if (!value || std::strlen(value) + 1 > size) return std::string();
  return value;
}

namespace {

// The toolkit's standard command-line options and whether each takes a value.
struct ToolkitOption {
  const char* name;
  bool takesValue;
};
const ToolkitOption kToolkitOptions[] = {
    {"+rv", false},          {"+synchronous", false},   {"-background", true},
    {"-bd", true},           {"-bg", true},             {"-bordercolor", true},
    {"-borderwidth", true},  {"-bw", true},             {"-fg", true},
    {"-fn", true},           {"-font", true},           {"-foreground", true},
    {"-geometry", true},     {"-iconic", false},        {"-name", true},
    {"-reverse", false},     {"-rv", false},            {"-selectionTimeout", true},
    {"-synchronous", false}, {"-title", true},          {"-xnllanguage", true},
    {"-xrm", true},
};

const ToolkitOption* toolkitOption(const std::string& arg) {
  for (const ToolkitOption& o : kToolkitOptions) {
    if (arg == o.name) return &o;
  }
  return nullptr;
}

}  // namespace

std::vector<std::string> extractToolkitOptions(std::vector<std::string>& args) {
  std::vector<std::string> taken;
  for (size_t i = 1; i < args.size();) {
    if (args[i] == "--") break;
    const ToolkitOption* o = toolkitOption(args[i]);
    size_t count = !o ? 0 : (o->takesValue ? 2 : 1);
    if (count == 0 || i + count > args.size()) {
      ++i;
      continue;
    }
    auto first = args.begin() + static_cast<long>(i);
    taken.insert(taken.end(), first, first + static_cast<long>(count));
    args.erase(first, first + static_cast<long>(count));
  }
  return taken;
}

std::string extractDisplayOption(std::vector<std::string>& args) {
  std::string name;
  for (size_t i = 1; i < args.size();) {
    if (args[i] == "--") break;
    if (args[i] == "-display" && i + 1 < args.size()) {
      name = args[i + 1];
      args.erase(args.begin() + static_cast<long>(i), args.begin() + static_cast<long>(i) + 2);
    } else if (args[i].compare(0, 9, "-display=") == 0) {
      name = args[i].substr(9);
      args.erase(args.begin() + static_cast<long>(i));
    } else {
      ++i;
    }
  }
  return name;
}

void applyMailboxOption(const std::string& text, int* support, int* max) {
  if (!text.empty() && text[0] == '0') return;
  if (!text.empty() && (text[0] == 'C' || text[0] == 'c')) {
    int n = toInt(text.c_str() + 1);
    *support = n < 1 ? 0 : 1;
    *max = n;
    return;
  }
  *support = 0;
}

int noPjlFromOption(const std::string& text) {
  if (text.empty()) return 0;
  if (text[0] == '1') return 1;
  return text[0] != '0' && text.find("OPJL") != std::string::npos ? 1 : 0;
}

void parseStartupOptions(const std::vector<std::string>& args, StartupValues* v, FILE* errors) {
  SetupState& s = setup();
  std::vector<std::string> copy(args);
  std::vector<char*> argv;
  for (std::string& a : copy) argv.push_back(&a[0]);
  argv.push_back(nullptr);
  int argc = static_cast<int>(copy.size());

  optind = 0;  // glibc: start a fresh scan
  int c;
  while ((c = getopt(argc, argv.data(), kOptionString)) != -1) {
    const char* arg = optarg ? optarg : "";
    switch (c) {
      case 'a': s.colourMode = toInt(arg); break;
      case 'e': {
        int n = toInt(arg);
        v->fontName = (n >= 0 && n < 4) ? kFontNames[n] : kFontNames[0];
        v->fontName = kDefaultFontName;
        break;
      }
      case 'f': v->fFlag = toInt(arg); break;
      case 'h': v->showUsage = true; break;
      case 'r': {
        int n = toInt(arg);
        v->restoreMode = (n < 0 || n > 2) ? 1 : n;
        break;
      }
      case 's': takeOptionValue('s', arg, kStartPathSize, &v->infoFilePath, errors); break;
      case 'u': v->uFlag = toInt(arg); break;
      case 'v': v->verbose = true; s.verbose = 1; break;
      case 'x': v->width = std::max(toInt(arg), kMinWindowWidth); break;
      case 'y': v->height = std::max(toInt(arg), kMinWindowHeight); break;
      case 'A': v->aFlag = toInt(arg); break;
      case 'F': v->capitalFFlag = toInt(arg) & 1; break;
      case 'H': takeOptionValue('H', arg, kStartPathSize, &v->homeDir, errors); break;
      case 'M': applyMailboxOption(arg, &s.mailboxSupport, &s.mailboxMax); break;
      case 'N': v->noPjl = noPjlFromOption(arg); break;
      case 'P':
        if (takeOptionValue('P', arg, kStartPrinterSize, &v->printerName, errors)) {
          s.printerName = v->printerName;
        }
        break;
      case 'S': v->sFlag = toInt(arg); break;
      case 'U': takeOptionValue('U', arg, kStartUserSize, &v->userName, errors); break;
      case 'W': takeOptionValue('W', arg, kStartPathSize, &v->usrDir, errors); break;
      case 'Y': break;
      case 'Z': setTraceLevel(toInt(arg)); break;
      default: break;  // getopt has complained already
    }
  }
  for (int i = optind; i < argc; ++i) v->toolkitArgs.push_back(argv[static_cast<size_t>(i)]);
  optind = 0;
}

// One line for each option the parser takes (and the toolkit's -display),
// in the parser's order.
const std::vector<std::string>& usageLines() {
  static const std::vector<std::string> lines = {
      "Jarn version 2.0-10.",
      "\tOptions supported:",
      "\t-ax : set colour mode [0=off,1=on];                [true].",
      "\t-display XXX : external display XXX",
      "\t-ex : set font [0=helvetica-10,1=helvetica-12      [helvetica-10].",
      "\t        2=courier-10,3=helvetica-12].",
      "\t-fx : set home directory;                          [$HOME].",
      "\t-h  : display this message.",
      "\t-rx : set restore mode of user info                [true].",
      "\t-sx : set name of info file to x                   [/disc/tmp].",
      "\t-ux : stored, no effect;                           [0].",
      "\t-v  : set verbose                                  [false].",
      "\t-xx : set global width of Jarn in pixels;          [640].",
      "\t-yx : set global height of Jarn in pixels;         [480].",
      "\t-Ax : stored, no effect;                           [1].",
      "\t-Fx : set PPD/outCmd mode for non-root users:      [FALSE.",
      "\t\t\t: 0=none,1=PPD,2=outCmd,3=PPD+outCmd.",
      "\t-Hx : set home directory;                          [$HOME].",
      "\t-MCx: set Velta mailbox max to x;                  [100].",
      "\t-Nx : queues without PJL header: 1 or ..OPJL..;    [0].",
      "\t-Px : set printer (queue) loaded at start;         [Default].",
      "\t-Sx : set secure print possibility mode: 0:off, 1:on [1].",
      "\t-Ux : set user name;                               [login].",
      "\t-Wx : set work directory of the printers;          [/opt/bry/].",
      "\t-Yx : accepted, no effect.",
      "\t-Zx : set qor debug mode;                          [FALSE].",
  };
  return lines;
}

void printUsage(FILE* out) {
  for (const std::string& line : usageLines()) std::fprintf(out, "%s\n", line.c_str());
}
