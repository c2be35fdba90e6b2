// The command line and environment of the administration program: the
// process-wide start-up values, "-display <name>" taken out for the toolkit,
// the options, and the usage text of -h.
//
// Every value has a visible size (the path fields 256, the user name 80, the
// queue name 128); an environment value that does not fit is dropped, an
// option value that does not fit is refused with a line on standard error.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

// Visible sizes of the start-up values (NUL included, as the fields count them).
constexpr size_t kStartPathSize = 256;
constexpr size_t kStartUserSize = 80;
constexpr size_t kStartPrinterSize = 128;

constexpr int kMinWindowWidth = 620;
constexpr int kMinWindowHeight = 450;

// The start-up values that live beside SetupState for the run.
struct StartupValues {
  std::string programName = "Jarn.exe";
  std::string infoFilePath;         // JARNINFO, option -s
  std::string usrDir = "/opt/bry/"; // option -W
  std::string homeDir;              // option -H, else the environment
  std::string tmpDir = "/tmp";
  int schedulerRequest = 0;         // QORLPMODE / JARNLPMODE, then the CUPS directories
  int restoreMode = 0;              // option -r
  bool verbose = false;             // option -v
  std::string userName;             // option -U
  std::string printerName;          // option -P
  int width = 640;                  // option -x
  int height = 480;                 // option -y
  std::string displayName;          // "-display <name>"
  std::vector<std::string> toolkitArgs;  // the toolkit's standard options and what getopt leaves
  std::string fontName;             // option -e (kept, drives nothing)
  int fFlag = 1, uFlag = 0, aFlag = 1, capitalFFlag = 0, sFlag = 0;  // stored, no effect
  int noPjl = 0;                    // option -N (reported only)
  bool showUsage = false;           // option -h
};

// The value of an environment variable when it is set and fits `size`
// (NUL included); "" otherwise.
std::string boundedEnvironment(const char* name, size_t size);

// Takes "-display <name>" (and "-display=<name>") out of the arguments and
// returns the name ("" when none was given). The program name stays first.
std::string extractDisplayOption(std::vector<std::string>& args);

// Takes the toolkit's standard options ("-xrm <resource>", "-geometry <g>",
// "-bg <colour>", "-iconic", ...; written in full) out of the arguments, up
// to a "--", and returns them with their values in order.
std::vector<std::string> extractToolkitOptions(std::vector<std::string>& args);

// Reads the options (getopt "a:e:f:hr:s:u:vx:y:A:F:H:M:N:P:S:U:W:Y:Z:") into
// the values and the state record. Unknown options are passed over after
// getopt's complaint; values that do not fit their field are refused on
// `errors`. `args` holds the program name first. The arguments getopt
// leaves over are added to the values' toolkit arguments.
void parseStartupOptions(const std::vector<std::string>& args, StartupValues* values,
                         FILE* errors = stderr);

// The -M option: mailbox support and its highest box number.
void applyMailboxOption(const std::string& text, int* support, int* max);
// The -N option: 1 when the text asks for queues without a PJL header.
int noPjlFromOption(const std::string& text);

// The usage text of -h, one line per entry.
const std::vector<std::string>& usageLines();
void printUsage(FILE* out);
