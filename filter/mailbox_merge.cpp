// The three merges of stored and given job settings.
#include "mailbox_merge.h"

namespace {

enum class Source { kOption, kUser, kRoot };

// Which value a setting takes. option/user/root: whether each is present;
// userS/rootS: the override flags of the two lines.
Source chooseSource(bool option, bool user, bool root, bool userS, bool rootS) {
  if (user && root) {
    if (rootS && !userS) return Source::kRoot;
    if (option && !userS) return Source::kOption;
    return Source::kUser;
  }
  if (user) return (option && !userS) ? Source::kOption : Source::kUser;
  if (root) return (option && !rootS) ? Source::kOption : Source::kRoot;
  return Source::kOption;
}

}  // namespace

void mergeMailbox(JobSettings& s) {
  Source from = chooseSource(s.mailbox >= 0, s.userMailbox >= 0, s.rootMailbox >= 0, s.userMailboxOverride > 0,
                             s.rootMailboxOverride > 0);
  if (from == Source::kUser) {
    s.mailbox = s.userMailbox;
  } else if (from == Source::kRoot) {
    s.mailbox = s.rootMailbox;
    s.proof = s.rootProof;
  }
}

void mergeUserIdPassword(JobSettings& s) {
  Source from = chooseSource(!s.accountId.empty(), !s.userAccountId.empty(), !s.rootAccountId.empty(),
                             s.userAccountIdOverride > 0, s.rootAccountIdOverride > 0);
  if (from == Source::kUser) {
    s.accountId = s.userAccountId;
    s.accountPassword = s.userAccountPassword;
  } else if (from == Source::kRoot) {
    s.accountId = s.rootAccountId;
    s.accountPassword = s.rootAccountPassword;
  }
}

void mergeSecurePassword(JobSettings& s) {
  Source from = chooseSource(!s.securePassword.empty(), !s.userSecurePassword.empty(), !s.rootSecurePassword.empty(),
                             s.userSecurePasswordOverride > 0, s.rootSecurePasswordOverride > 0);
  if (from == Source::kUser) s.securePassword = s.userSecurePassword;
  else if (from == Source::kRoot) s.securePassword = s.rootSecurePassword;
}
