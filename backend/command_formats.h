// The spooler command lines of the back end, as data: every format in one
// table, and the one builder that turns a format and its values into the
// command text the system prints and the argv that runs.
//
// A format reads like a shell command line ("%s -p %s -D \"Jarn ...\"
// 2>/dev/null"). The builder splits the format's own text into words the way
// a shell would (blanks, double quotes, "2>" and ">" redirections), and puts
// each value into its word literally: a value never splits a word, never
// expands, never redirects. So for plain values the argv is exactly what a
// shell would have delivered for the text, and for any value it is the value.
#pragma once

#include <string>
#include <vector>

#include "process_runner.h"

// One value of a format: `text` goes into the printed command text, `word`
// into the argv. They differ only where the text shows a shell-escaped form
// of the value (a usb: URI or an IPP path with blanks).
struct FormatArg {
  FormatArg(const std::string& value) : text(value), word(value) {}  // NOLINT: plain values convert
  FormatArg(const char* value) : text(value), word(value) {}         // NOLINT
  FormatArg(int number) : text(std::to_string(number)), word(text) {}  // NOLINT
  FormatArg(const std::string& shown, const std::string& value) : text(shown), word(value) {}

  std::string text;
  std::string word;
};

// The command text: the format with "%s", "%d" and "%c" replaced by the
// values' texts in order and "%%" by "%".
std::string formatCommandText(const char* format, const std::vector<FormatArg>& args);

// The command of a format: its text and its argv, with "2>/dev/null",
// "2>&1", "> FILE" and ">FILE" taken as redirections.
Command commandFromFormat(const char* format, const std::vector<FormatArg>& args);

// The formats. Each one is the system's own command line, byte for byte.
namespace fmt {

// Detection.
extern const char* const kLpdVersion;
extern const char* const kNetcatProbe;
extern const char* const kCupsConfigVersion;

// The queue list of spoolers other than CUPS and System V.
extern const char* const kLpstatList;

// A queue created from its device URI alone, by connection type.
extern const char* const kCreateTcp;
extern const char* const kCreateLocal;
extern const char* const kCreateLocalNoUri;
extern const char* const kCreateUsbPath;
extern const char* const kCreateUsbId;
extern const char* const kCreateIpp;
extern const char* const kCreateFile;
extern const char* const kCreateLpd;

// A queue created or changed with its PPD: the head, then the device part.
extern const char* const kCreatePpdHead;
extern const char* const kPpdDeviceLpd;
extern const char* const kPpdDeviceTcp;
extern const char* const kPpdDeviceLocal;
extern const char* const kPpdDeviceUsb;
extern const char* const kPpdDeviceIpp;
extern const char* const kPpdDeviceFile;

// Accept and enable a queue.
extern const char* const kAccept;
extern const char* const kAcceptFallback;
extern const char* const kEnable;

// Delete a queue, and the probe between the two attempts.
extern const char* const kDelete;
extern const char* const kDeleteProbe;
extern const char* const kDeleteProbeBare;

// Single CUPS settings: the head, then the topic.
extern const char* const kSetValueHead;
extern const char* const kSetJobSheets;
extern const char* const kSetPolicyStop;
extern const char* const kSetPolicyAbort;
extern const char* const kSetPolicyRetry;
extern const char* const kSetDeviceUri;
extern const char* const kSetPpd;

// Test pages.
extern const char* const kPrintLpr;
extern const char* const kPrintLprBare;
extern const char* const kPrintLp;
extern const char* const kPrintLpBare;

}  // namespace fmt
