// The spooler command formats and the builder of their texts and argvs.
#include "command_formats.h"

#include <cstddef>

namespace fmt {

const char* const kLpdVersion = "lpd -V";
const char* const kNetcatProbe = "%s %s %d";
const char* const kCupsConfigVersion = "%s --version";

const char* const kLpstatList = "%s -v";

// The network URIs (socket://HOST:PORT, ipp://HOST/PATH, lpd://HOST/QUEUE) are
// one value each, assembled from checked hosts and escaped paths
// (device_uri.h); for plain fields the text reads as the URI's parts would.
const char* const kCreateTcp =
    "%s -p %s -v %s -D \"Jarn 2.0 remote TCP/IP Queue\" -o printer-error-policy=retry-job 2>/dev/null";
const char* const kCreateLocal =
    "%s -p %s -v %s -D \"Jarn 2.0 local  Queue\" -o printer-error-policy=retry-job 2>/dev/null";
const char* const kCreateLocalNoUri =
    "%s -p %s -v file:%s -D \"Jarn 2.0 local parallel Queue\" -o printer-error-policy=retry-job 2>/dev/null";
const char* const kCreateUsbPath =
    "%s -p %s -v usb://%s -D \"Jarn 2.0 remote USB Queue\" -o printer-error-policy=retry-job 2>/dev/null";
const char* const kCreateUsbId =
    "%s -p %s -v usb://%s -D \"Jarn 2.0 USB Queue\" -o printer-error-policy=retry-job 2>/dev/null";
// The IPP queue without a PPD takes the same "ipp://HOST/PATH" URI as the one
// with a PPD, so that the path (and a port in the host) survive.
const char* const kCreateIpp =
    "%s -p %s -v %s -D \"Jarn 2.0 remote IPP Queue\" -o printer-error-policy=retry-job 2>/dev/null";
const char* const kCreateFile =
    "%s -p %s -v file:%s -D \"Jarn 2.0 local file Queue\" -o printer-error-policy=retry-job 2>/dev/null";
const char* const kCreateLpd =
    "%s -p %s -v %s -D \"Jarn 2.0 remote LPD Queue\" -o printer-error-policy=retry-job 2>/dev/null";

const char* const kCreatePpdHead = "%s -p %s -P %s -o printer-error-policy=retry-job ";
const char* const kPpdDeviceLpd = "-v %s -D \"Jarn 2.0 LPD Queue\" 2>/dev/null ";
const char* const kPpdDeviceTcp = "-v %s -D \"Jarn 2.0 TCP/IP Queue\" 2>/dev/null ";
const char* const kPpdDeviceLocal = "-v %s -D \"Jarn 2.0 LOCAL Queue\" 2>/dev/null ";
const char* const kPpdDeviceUsb = "-v usb://%s -D \"Jarn 2.0 USB Queue\" 2>/dev/null ";
const char* const kPpdDeviceIpp = "-v %s -D \"Jarn 2.0 IPP Queue\" 2>/dev/null ";
const char* const kPpdDeviceFile = "-v file:%s -D \"Jarn 2.0 LOCAL Queue\" 2>/dev/null ";

const char* const kAccept = "%s %s 2>/dev/null";
const char* const kAcceptFallback = "/usr/sbin/accept %s 2>/dev/null";
const char* const kEnable = "%s %s 2>/dev/null";

const char* const kDelete = "%s -x%s 2>/dev/null";
const char* const kDeleteProbe = "%s -p%s -l > /dev/null";
const char* const kDeleteProbeBare = "lpstat -p%s -l > /dev/null";

const char* const kSetValueHead = "%s -p %s ";
const char* const kSetJobSheets = "-o job-sheets-default=%s,%s";
const char* const kSetPolicyStop = "-o printer-error-policy=stop-printer";
const char* const kSetPolicyAbort = "-o printer-error-policy=abort-job";
const char* const kSetPolicyRetry = "-o printer-error-policy=retry-job";
const char* const kSetDeviceUri = "-v %s";
const char* const kSetPpd = "-P %s";

const char* const kPrintLpr = "%s -P%s %s";
const char* const kPrintLprBare = "lpr -P%s %s";
const char* const kPrintLp = "%s -s -c -d%s %s";
const char* const kPrintLpBare = "lp -s -c -d%s %s";

}  // namespace fmt

namespace {

bool isConversion(char c) { return c == 's' || c == 'd' || c == 'c'; }

// Splits a format into words as a shell would split its literal text, with
// the values put into their words unchanged.
class WordBuilder {
 public:
  explicit WordBuilder(Command* cmd) : cmd_(cmd) {}

  void literal(char c) {
    word_ += c;
    inWord_ = true;
  }
  void value(const std::string& v) {
    word_ += v;
    inWord_ = true;
  }
  void quoted() { inWord_ = true; }  // a pair of quotes makes a word, even an empty one

  // An unquoted '>' of the format: a redirection of standard error when the
  // word so far is "2", else of standard output.
  void redirect() {
    if (inWord_ && word_ == "2") {
      target_ = &cmd_->stderrPath;
      word_.clear();
      inWord_ = false;
    } else {
      end();
      target_ = &cmd_->stdoutPath;
    }
    pendingRedirect_ = true;
  }

  void end() {
    if (!inWord_) return;
    if (pendingRedirect_) {
      if (target_ == &cmd_->stderrPath && word_ == "&1") {
        cmd_->stderrToStdout = true;
      } else {
        *target_ = word_;
      }
      pendingRedirect_ = false;
    } else {
      cmd_->argv.push_back(word_);
    }
    word_.clear();
    inWord_ = false;
  }

 private:
  Command* cmd_;
  std::string word_;
  bool inWord_ = false;
  bool pendingRedirect_ = false;
  std::string* target_ = nullptr;
};

}  // namespace

std::string formatCommandText(const char* format, const std::vector<FormatArg>& args) {
  std::string out;
  size_t next = 0;
  for (const char* p = format; *p; ++p) {
    if (*p == '%' && p[1] == '%') {
      out += '%';
      ++p;
    } else if (*p == '%' && isConversion(p[1])) {
      if (next < args.size()) out += args[next++].text;
      ++p;
    } else {
      out += *p;
    }
  }
  return out;
}

Command commandFromFormat(const char* format, const std::vector<FormatArg>& args) {
  Command cmd;
  cmd.text = formatCommandText(format, args);
  WordBuilder words(&cmd);
  bool inQuotes = false;
  size_t next = 0;
  for (const char* p = format; *p; ++p) {
    char c = *p;
    if (c == '%' && p[1] == '%') {
      words.literal('%');
      ++p;
    } else if (c == '%' && isConversion(p[1])) {
      words.value(next < args.size() ? args[next++].word : std::string());
      ++p;
    } else if (c == '"') {
      inQuotes = !inQuotes;
      words.quoted();
    } else if (inQuotes) {
      words.literal(c);
    } else if (c == ' ' || c == '\t' || c == '\n') {
      words.end();
    } else if (c == '>') {
      words.redirect();
    } else if (c == '\\' && p[1]) {
      words.literal(*++p);
    } else {
      words.literal(c);
    }
  }
  words.end();
  return cmd;
}
