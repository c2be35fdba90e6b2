// Feature blocks of the PSP work mode.
#include "ps_feature_code.h"

#include <string>

namespace {

// Three-line blocks: "%%BeginFeature: *<name>", the code with the value
// between head and tail, "%%EndFeature".
struct FeatureText {
  const char* name;
  const char* head;
  const char* tail;
};

const FeatureText kUserId = {"UserID", "/XJXsetUserID where { pop (", ") XJXsetUserID} if"};
const FeatureText kUserPassword = {"UserPassword", "/XJXsetUserPWD where { pop (", ") XJXsetUserPWD} if"};
const FeatureText kSecurePassword = {"SecurePassword", "/XJXsetSecurePasswd where { pop (", ") XJXsetSecurePasswd} if"};

const char* const kDestinationCode[] = {
    "/XJXsetDevice where { pop 0 XJXsetDevice } if\n",
    "/XJXsetDevice where { pop 2 XJXsetDevice } if\n",
    "/XJXsetDevice where { pop 3 XJXsetDevice } if\n",
};

int writeNumberBlock(const FeatureText& f, long long n, OutputWriter& out) {
  if (n < 0) return 0;
  out.write(std::string("%%BeginFeature: *") + f.name + "\n" + f.head + std::to_string(n) + f.tail + "\n%%EndFeature\n");
  return 1;
}

}  // namespace

long long psNumber(const std::string& text) {
  long long n = 0;
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = i < text.size() && text[i] == '-';
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    if (n < 100000000000000LL) n = n * 10 + (text[i] - '0');
  return negative ? -n : n;
}

int writePSDestination(int d, OutputWriter& out) {
  int code = d == 1 || d == 2 ? 1 : d == 3 ? 2 : 0;
  out.write(std::string("%%BeginFeature: *Destination\n") + kDestinationCode[code] + "%%EndFeature\n");
  return d >= 0 && d <= 3 ? 1 : 0;
}

int writePSMailbox(int mailbox, OutputWriter& out) {
  if (mailbox < 0 || mailbox > 99) return 0;
  std::string n = std::to_string(mailbox);
  out.write("%%BeginFeature: *Mailbox " + n + "\n/XJXsetMailboxString where { pop (" + n +
            ") XJXsetMailboxString } if\n%%EndFeature\n");
  return 1;
}

int writePSProofPrint(int proof, OutputWriter& out) {
  if (proof != 0 && proof != 1) return 0;
  out.write(std::string("%%BeginFeature: *ProofPrint\nuserdict /XJXsetProofPrint known\n { ") + (proof ? "1" : "0") +
            " XJXsetProofPrint } if\n%%EndFeature\n");
  return 1;
}

int writePSUserID(long long id, OutputWriter& out) { return writeNumberBlock(kUserId, id, out); }
int writePSUserPassword(long long pw, OutputWriter& out) { return writeNumberBlock(kUserPassword, pw, out); }
int writePSSecurePassword(long long pw, OutputWriter& out) { return writeNumberBlock(kSecurePassword, pw, out); }

void writePSFeatures(const JobSettings& s, OutputWriter& out) {
  int destination = s.mailbox >= 0 ? 2 : !s.securePassword.empty() ? 3 : 0;
  writePSDestination(destination, out);
  if (s.mailbox >= 0) {
    writePSMailbox(s.mailbox, out);
    if (s.proof) writePSProofPrint(1, out);
  }
  if (!s.accountId.empty()) {
    writePSUserID(psNumber(s.accountId), out);
    if (!s.accountPassword.empty()) writePSUserPassword(psNumber(s.accountPassword), out);
  }
  if (!s.securePassword.empty()) writePSSecurePassword(psNumber(s.securePassword), out);
}
