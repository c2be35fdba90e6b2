// The test documents and their printing.
#include "test_pages.h"

#include <unistd.h>

#include <ctime>

#include "atomic_file.h"
#include "command_formats.h"
#include "file_helpers.h"
#include "queue_commands.h"
#include "queue_list.h"
#include "report.h"
#include "setup_state.h"
#include "string_helpers.h"
#include "system_detection.h"

namespace {

const char kTestPrintTitle[] = "TEST PRINT";
const char kPassedText[] =
    "The test print job passed correctly?\nPlease check the output\nand possibly /tmp\nfor the *.log files";
const char kFailedText[] =
    "The test print job did not pass correctly?\nPlease check the output\nand the directory /tmp\nfor the *.log files";

// The PostScript header comments after the user, the date and the page
// count, and the prolog: fonts and procedures only, so that every page
// stands alone when the spooler reorders, drops or combines pages.
const char kPsProlog[] =
    "%%LanguageLevel: 2\n"
    "%%DocumentData: Clean7Bit\n"
    "%%DocumentNeededResources: font Times-Roman Times-Bold Helvetica-Bold\n"
    "%%Orientation: Portrait\n"
    "%%EndComments\n"
    "%%BeginProlog\n"
    "/smallFont /Times-Roman findfont 8 72 div scalefont def\n"
    "/textFont /Times-Roman findfont 12 72 div scalefont def\n"
    "/mediumFont /Times-Roman findfont 16 72 div scalefont def\n"
    "/boldFont /Times-Bold findfont 24 72 div scalefont def\n"
    "/titleFont /Helvetica-Bold findfont 30 72 div scalefont def\n"
    "/setcmykcolor where { pop } {\n"
    "  /setcmykcolor { 4 1 roll 3 { 3 index add neg 1 add dup 0 lt { pop 0 } if 3 1 roll } repeat\n"
    "    setrgbcolor pop } bind def\n"
    "} ifelse\n"
    "/setMax { 2 copy lt { exch } if pop } bind def\n"
    "/centerShow { dup stringwidth pop 2 div neg 0 rmoveto show } bind def\n"
    "/rightShow { dup stringwidth pop neg 0 rmoveto show } bind def\n"
    "/decimalShow { 1000 mul round 1000 div 20 string cvs show } bind def\n"
    "% The design space: 8.5 x 11 inches, in inches, scaled into the page's imageable area.\n"
    "/designSpace { pageLeft pageBottom translate designScale dup scale 72 72 scale } bind def\n"
    "/drawGraphics {\n"
    "  gsave designSpace\n"
    "  gsave 4.25 6.5 translate 0.02 setlinewidth\n"
    "  0 1 359 { gsave rotate 0 0 moveto 1.5 0 lineto 0 setgray stroke grestore } for\n"
    "  [ [1 1 1] [1 0 0] [0 1 0] [0 0 1] [0 1 1] [1 0 1] [1 1 0] [0 0 0] ]\n"
    "  0 exch { aload pop setrgbcolor dup 45 mul dup 45 add 0 0 moveto 0 0 1 5 -2 roll arc\n"
    "    closepath fill 1 add } forall pop\n"
    "  grestore\n"
    "  gsave 1 2.5 translate\n"
    "  0 1 20 { dup 20 div setgray 0.3 mul 0 0.3 0.5 rectfill } for\n"
    "  0 -0.8 translate\n"
    "  0 1 20 { dup 20 div 0 0 setrgbcolor 0.3 mul 0 0.3 0.5 rectfill } for\n"
    "  0 -0.8 translate\n"
    "  0 1 20 { dup 20 div 0 0 0 setcmykcolor 0.3 mul 0 0.3 0.5 rectfill } for\n"
    "  grestore\n"
    "  grestore\n"
    "} bind def\n"
    "/drawText {\n"
    "  gsave designSpace\n"
    "  0 setgray titleFont setfont 4.25 10 moveto (Jarn 1.0 Test Page) centerShow\n"
    "  textFont setfont\n"
    "  1 4 moveto (Imageable area:) show\n"
    "  1 3.8 moveto (Width: ) show pageWidth 72 div decimalShow ( Height: ) show pageHeight 72 div decimalShow\n"
    "  1 3.6 moveto (Lower left: ) show pageLeft 72 div decimalShow (, ) show pageBottom 72 div decimalShow\n"
    "  1 3.4 moveto (Upper right: ) show pageRight 72 div decimalShow (, ) show pageTop 72 div decimalShow\n"
    "  1 3.2 moveto (Resolution: ) show resolution 20 string cvs show ( dpi) show\n"
    "  smallFont setfont 7.5 0.5 moveto (Printer Test Page) rightShow\n"
    "  grestore\n"
    "} bind def\n"
    "%%EndProlog\n";

// Each page's set-up: the imageable area, measured afresh from the clip path
// the page starts with. No initclip: on a sheet of several pages the clip is
// the page's own cell. The path is cleared afterwards, or the clip outline
// would join the first shape filled and paint the whole area.
const char kPsPageSetup[] =
    "%%BeginPageSetup\n"
    "newpath clippath pathbbox\n"
    "/pageTop exch def /pageRight exch def /pageBottom exch def /pageLeft exch def\n"
    "/pageWidth pageRight pageLeft sub def /pageHeight pageTop pageBottom sub def\n"
    "/designScale pageWidth 8.5 72 mul div pageHeight 11 72 mul div 2 copy gt { exch } if pop def\n"
    "/resolution 72 0 matrix defaultmatrix dtransform dup mul exch dup mul add sqrt round def\n"
    "newpath\n"
    "%%EndPageSetup\n";

const char kPsPage[] = "gsave\ndrawGraphics\ndrawText\nshowpage\ngrestore\n";

// Letters of the text page's banners, eight rows of '#' each.
struct Glyph {
  char letter;
  const char* rows[8];
};
const Glyph kGlyphs[] = {
    {'J', {"   ####", "     # ", "     # ", "     # ", "     # ", " #   # ", "  ###  ", "       "}},
    {'A', {"  ###  ", " #   # ", "#     #", "#     #", "#######", "#     #", "#     #", "       "}},
    {'R', {"###### ", "#     #", "#     #", "###### ", "#   #  ", "#    # ", "#     #", "       "}},
    {'N', {"#     #", "##    #", "# #   #", "#  #  #", "#   # #", "#    ##", "#     #", "       "}},
    {'2', {" ##### ", "#     #", "      #", " ##### ", "#      ", "#      ", "#######", "       "}},
    {'0', {"  ###  ", " #   # ", "#     #", "#     #", "#     #", " #   # ", "  ###  ", "       "}},
    {'.', {"       ", "       ", "       ", "       ", "       ", "  ##   ", "  ##   ", "       "}},
    {'T', {"#######", "   #   ", "   #   ", "   #   ", "   #   ", "   #   ", "   #   ", "       "}},
    {'E', {"#######", "#      ", "#      ", "#####  ", "#      ", "#      ", "#######", "       "}},
    {'S', {" ##### ", "#     #", "#      ", " ##### ", "      #", "#     #", " ##### ", "       "}},
    {'P', {"###### ", "#     #", "#     #", "###### ", "#      ", "#      ", "#      ", "       "}},
    {'G', {" ##### ", "#     #", "#      ", "#  ####", "#     #", "#     #", " ##### ", "       "}},
    {' ', {"   ", "   ", "   ", "   ", "   ", "   ", "   ", "   "}},
};

const char kProductBanner[] = "JARN 2.0";
const char kTestBanner[] = "TEST PAGE";

// A word in large letters: eight lines.
std::string banner(const std::string& word) {
  std::string out;
  for (int row = 0; row < 8; ++row) {
    std::string line;
    for (char c : word) {
      for (const Glyph& g : kGlyphs) {
        if (g.letter == c) {
          line += g.rows[row];
          line += ' ';
        }
      }
    }
    size_t end = line.find_last_not_of(' ');
    out += (end == std::string::npos ? std::string() : line.substr(0, end + 1)) + "\n";
  }
  return out;
}

// The closing banner: a frame of 18 lines.
std::string closingBanner() {
  const std::string edge(64, '#');
  std::string out = edge + "\n";
  for (int i = 0; i < 16; ++i) {
    std::string inner(62, ' ');
    if (i == 7) inner.replace(22, 18, "End of test page  ");
    out += "#" + inner + "#\n";
  }
  return out + edge + "\n";
}

std::string currentDate() {
  std::time_t now = std::time(nullptr);
  struct tm tmv;
  if (!::localtime_r(&now, &tmv)) return std::string();
  char buf[64];
  if (!::asctime_r(&tmv, buf)) return std::string();
  std::string d = buf;
  while (!d.empty() && (d.back() == '\n' || d.back() == '\r')) d.pop_back();
  return d;
}

int pagesOf(int kind) {
  switch (kind) {
    case kTestPs1:
    case kTestText1:
      return 1;
    case kTestPs2:
    case kTestText2:
      return 2;
    case kTestPs4:
    case kTestText4:
      return 4;
    default:
      return 0;
  }
}

// The spooler's print command for a file on a queue.
Command printCommand(const std::string& queue, const std::string& file) {
  const SetupState& s = setup();
  const std::string& path = s.toolPaths[kToolLp];
  if (s.lpMode == kLpBsd || s.lpMode == kLpLprng) {
    if (path.empty()) return commandFromFormat(fmt::kPrintLprBare, {queue, file});
    return commandFromFormat(fmt::kPrintLpr, {path, queue, file});
  }
  if (path.empty()) return commandFromFormat(fmt::kPrintLpBare, {queue, file});
  return commandFromFormat(fmt::kPrintLp, {path, queue, file});
}

}  // namespace

std::string postScriptTestPage(int pages, const std::string& user, const std::string& date) {
  std::string out = "%!PS-Adobe-3.0\n%%Title: (Printer Test Page)\n";
  out += "%%Creator: (" + user + " : Jarn 1.0)\n";
  if (!date.empty()) out += "%%CreationDate: (" + date + ")\n";
  out += "%%Pages: " + std::to_string(pages) + "\n";
  out += kPsProlog;
  for (int page = 1; page <= pages; ++page) {
    out += "%%Page: (Printer Test Page) " + std::to_string(page) + "\n";
    out += kPsPageSetup;
    out += kPsPage;
  }
  out += "\n%%EOF\n";
  return out;
}

std::string textTestPage(int copies, const std::string& user, const std::string& queue,
                         const std::string& date) {
  std::string out;
  for (int copy = 1; copy <= copies; ++copy) {
    if (copy > 1) out += '\f';
    out += banner(kProductBanner);
    out += "\n\t\tPage : " + std::to_string(copy) + "\n\n";
    out += "\n\t\tUser : " + user + "\n\n";
    out += "\n\t\tQueue: " + queue + "\n\n";
    out += "\n\t\tDate : " + date + "\n\n";
    out += banner(kTestBanner);
    out += closingBanner();
  }
  return out;
}

std::string testPageQueue() { return recordNameOf(stripQueueMarker(setup().printerName)); }

int printTestPage() {
  SetupState& s = setup();
  int pages = pagesOf(s.testPageKind);
  if (pages == 0) return 1;
  std::string queue = testPageQueue();
  std::string user;
  getUserName(&user);
  std::string date = currentDate();

  std::string file = makeTempName("/tmp");
  std::string document = s.testPageKind <= kTestPs4 ? postScriptTestPage(pages, user, date)
                                                     : textTestPage(pages, user, s.printerName, date);
  AtomicWriteOptions options;
  options.mode = 0600;
  bool written = !file.empty() && writeFileAtomic(file, document, options);
  int status = -1;
  if (written) status = runSpoolerCommand(printCommand(queue, file));
  if (status == 0) {
    doMessage(kMsgTestPrintPassed, kTestPrintTitle, kPassedText);
  } else {
    doMessage(kMsgTestPrintFailed, kTestPrintTitle, kFailedText);
  }
  if (!file.empty()) ::unlink(file.c_str());
  return 1;
}

int testPrintForKind(int kind) {
  SetupState& s = setup();
  s.testPageKind = kind;
  if (!s.queueExists) return 0;
  return printTestPage();
}
