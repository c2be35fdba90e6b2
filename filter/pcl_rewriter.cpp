// PCL 5 rewriting on the token stream of pcl_tokenizer.
#include "pcl_rewriter.h"

#include <cstdio>
#include <string>

#include "pcl_registration.h"
#include "pcl_tokenizer.h"
#include "tray_map.h"

namespace {

const char kEsc = 27;
// The rendering program's fixed offsets: the front form, and the back form
// it writes on the second side of a duplex sheet; each stands alone (short)
// or follows a zero top margin (long).
const char* const kShortRegistration[] = {"-180u36Z", "180u36Z"};
const char* const kLongRegistration[] = {"0e-180u36Z", "0e180u36Z"};

bool isOneOf(const std::string& body, const char* const (&forms)[2]) { return body == forms[0] || body == forms[1]; }

struct MediaName {
  int code;
  const char* name;
};

const MediaName kMediaNames[] = {
    {0, "Plain"},        {1, "Bond"},        {3, "Glossy"},       {4, "Transparency"}, {100, "Any"},
    {101, "Envelope"},   {103, "Prepunched"}, {104, "Labels"},     {105, "Recycled"},   {106, "Color"},
    {107, "Plain2"},     {108, "Heavy"},     {109, "Extra Heavy"}, {110, "Intermediate"}, {111, "Light"},
    {112, "Coated"},     {130, "CardStock"}, {131, "Letterhead"}, {132, "Preprinted"}, {140, "Tracing"},
    {150, "Rough"},      {160, "Postcard"},
};

std::string lCommand(int value, char letter) {
  return std::string(1, kEsc) + "&l" + std::to_string(value) + letter;
}

bool allDigits(const std::string& s, std::size_t from, std::size_t to) {
  if (from >= to) return false;
  for (std::size_t i = from; i < to; ++i)
    if (s[i] < '0' || s[i] > '9') return false;
  return true;
}

class PclRewriter {
 public:
  PclRewriter(InputReader& in, OutputWriter& out, JobSettings& s) : tok_(in), out_(out), s_(s) {
    if (s.keepFlags == 0) {
      keepFirst_ = keepAll_ = true;
    } else {
      keepFirst_ = (s.keepFlags & 1) != 0;
      keepAll_ = (s.keepFlags & 2) != 0;
      keepTray_ = (s.keepFlags & 3) == 3;
    }
    trayCode_ = mapTrayForModel(s.inputTray, s.modelId);
  }

  void run() {
    PclSequence seq;
    for (;;) {
      tok_.copyText(out_);
      if (!tok_.readSequence(seq)) break;
      handle(seq);
      while (seq.payload > 0 || seq.continues) {
        tok_.copyPayload(seq, out_);
        if (!seq.continues) break;
        tok_.readContinuation(seq);
        out_.write(seq.text);
      }
    }
    out_.flush();
  }

 private:
  void trace(const char* text) {
    if (s_.debugLevel > 0) std::fputs(text, stderr);
  }

  void handle(const PclSequence& seq) {
    const std::string& t = seq.text;
    if (t.size() == 2 && t[1] == 'E') return reset();
    if (seq.parameter == '&' && seq.group == 'l' && t.size() > 3) return lCommandRule(seq);
    out_.write(t);
  }

  // ESC E: the first one before another command carries the job settings;
  // later ones there would undo them and are dropped. A reset before plain
  // data, or at the very end of the job, is kept as it stands.
  void reset() {
    std::string esc(1, kEsc);
    if (tok_.peek() != kEsc) {
      out_.write(esc + "E");
      return;
    }
    if (!firstResetPending_) {
      trace("SKIP following ESC-E.\n");
      return;
    }
    firstResetPending_ = false;
    trace("KEEP first ESC-E.\n");
    std::string ins = esc + "E";
    if (s_.paperSize >= 0) {
      if (s_.debugLevel > 0) std::fprintf(stderr, "Inserting pageSize=%d.\n", s_.paperSize);
      ins += lCommand(s_.paperSize, 'A');
    }
    if (s_.duplex >= 0) {
      if (s_.debugLevel > 0) std::fprintf(stderr, "Inserting duplexMode=%d.\n", s_.duplex);
      ins += lCommand(s_.duplex, 'S');
    }
    if (s_.inputTray >= 0) {
      if (s_.debugLevel > 0) std::fprintf(stderr, "Inserting trayCode=%d.\n", trayCode_);
      ins += lCommand(trayCode_, 'H');
    }
    if (s_.mediaType >= 0) {
      if (s_.debugLevel > 0) std::fprintf(stderr, "Inserting mediaType=%d.\n", s_.mediaType);
      ins += lCommand(s_.mediaType, 'M') + mediaNameCommand(s_.mediaType);
    }
    out_.write(ins);
  }

  void lCommandRule(const PclSequence& seq) {
    const std::string& t = seq.text;
    std::string body = t.substr(3);
    bool longForm = isOneOf(body, kLongRegistration);
    if (longForm || isOneOf(body, kShortRegistration)) return registration(seq, longForm);
    if (body == "0o0l0E") {
      out_.write(std::string(1, kEsc) + "&l0l0E");
      return;
    }
    if (seq.stoppedAtEscape)
      std::fprintf(stderr, "Suspicious PCL code: %s.\n", t.c_str() + 1);
    char letter = t.back();
    if (!seq.terminated || !allDigits(t, 3, t.size() - 1)) return out_.write(t);
    bool oneDigit = t.size() == 5;
    if (letter == 'A') return pageSize(t, oneDigit);
    if (letter == 'H') {
      if (keepTray_) out_.write(t);
      else trace("Skipping paperTray.\n");
      return;
    }
    if (letter == 'X') {
      if (oneDigit && firstCopiesPending_) {
        firstCopiesPending_ = false;
        out_.write(t);
      } else {
        trace("Skipping n-copies.\n");
      }
      return;
    }
    out_.write(t);
  }

  void pageSize(const std::string& t, bool oneDigit) {
    int n = readNumberBefore(t.data() + t.size() - 1, t.data() + 3);
    const char* db = oneDigit ? "*DB" : "***DB";
    bool debug = s_.debugLevel > 0;
    if (debug) std::fprintf(stderr, "%s0 CurrentPageSize = %d.\n", db, s_.currentPclPageSize);
    std::string shown = t.substr(1);
    if (n >= 1 && n != s_.currentPclPageSize) {
      out_.write(t);
      s_.currentPclPageSize = n;
      keepFirst_ = false;
      if (debug) std::fprintf(stderr, "%s1 Writing changed paperSize [%s/%d].\n", db, shown.c_str(), n);
    } else if (!keepAll_ && !keepFirst_) {
      if (debug) std::fprintf(stderr, "%s2 Skipping paperSize [%d,%d].\n", db, n, s_.currentPclPageSize);
    } else if (!keepAll_) {
      out_.write(t);
      keepFirst_ = false;
      if (debug) std::fprintf(stderr, "%s3 Writing paperSize [%s].\n", db, shown.c_str());
    } else {
      out_.write(t);
      if (debug) std::fprintf(stderr, "%s4 Writing paperSize [%s].\n", db, shown.c_str());
    }
  }

  void registration(const PclSequence& seq, bool longForm) {
    std::string head = std::string(1, kEsc) + (longForm ? "&l0e" : "&l");
    switch (s_.registrationMode) {
      case 0:
        if (longForm) {
          trace("Skipping 0-180u36Z.\n");
          out_.write(std::string(1, kEsc) + "&l0E");
        } else {
          trace("Skipping 180u36Z.\n");
        }
        return;
      case 2:
        if (s_.registrationOffsets[0] == 0 && s_.registrationOffsets[1] == 0) {
          setRegistrationOffsets(s_, 0);
        } else if (!laterSheetsGiven_) {
          // The offsets given cover the first sheet; every later sheet
          // takes the same ones, or the image would shift from sheet 2 on.
          for (int i = 0; i < kLaterSheet; ++i) s_.registrationOffsets[kLaterSheet + i] = s_.registrationOffsets[i];
          laterSheetsGiven_ = true;
        }
        break;
      case 3: setRegistrationOffsets(s_, 0); break;
      default: out_.write(seq.text); return;
    }
    int i = registrationPairIndex(s_.duplex, registrationPage_++);
    out_.write(head + std::to_string(s_.registrationOffsets[i]) + "u" + std::to_string(s_.registrationOffsets[i + 1]) + "Z");
  }

  PclTokenizer tok_;
  OutputWriter& out_;
  JobSettings& s_;
  bool firstResetPending_ = true;
  bool firstCopiesPending_ = true;
  bool keepFirst_ = false;
  bool keepAll_ = false;
  bool keepTray_ = false;
  bool laterSheetsGiven_ = false;
  int trayCode_ = -1;
  long long registrationPage_ = 0;
};

}  // namespace

int readNumberBefore(const char* position, const char* lowerBound) {
  const char* p = position;
  if (p > lowerBound && (*p < '0' || *p > '9')) --p;
  const char* last = p;
  while (p > lowerBound && p[-1] >= '0' && p[-1] <= '9') --p;
  if (*p < '0' || *p > '9') return 0;
  long long n = 0;
  for (const char* q = p; q <= last; ++q) {
    if (n < 100000000) n = n * 10 + (*q - '0');
  }
  return static_cast<int>(n);
}

std::string mediaNameCommand(int mediaType) {
  for (const MediaName& m : kMediaNames) {
    if (m.code != mediaType) continue;
    std::string name(m.name);
    return std::string(1, kEsc) + "&n" + std::to_string(name.size() + 1) + "Wd" + name;
  }
  return std::string();
}

int CleanUpGSFile(InputReader& in, OutputWriter& out, JobSettings& settings) {
  if (settings.debugLevel > 0) std::fprintf(stderr, "CleanUpGSFile(stdin, stdout).\n");
  PclRewriter rewriter(in, out, settings);
  rewriter.run();
  return 0;
}
