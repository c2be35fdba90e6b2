// Holds back, for the length of one queue action, the back end's code-1
// notices: OK on a code-1 notice ends the program, which must never be the
// answer to a failed update or creation. The action reports the failure
// itself with code 11; what was held is traced and can be shown again.
#pragma once

#include <string>

#include "report.h"

class HeldNotices : public Reporter {
 public:
  // Puts itself in force; the reporter in force before gets every other
  // message and every question.
  HeldNotices();
  ~HeldNotices() override;
  HeldNotices(const HeldNotices&) = delete;
  HeldNotices& operator=(const HeldNotices&) = delete;

  void message(int code, const std::string& title, const std::string& text) override;
  bool ask(const std::string& title, const std::string& text, const std::string& yesLabel,
           const std::string& noLabel) override;
  bool askInPanel(int code, const std::string& title, const std::string& text) override;

  // True when a notice was held.
  bool any() const { return !title_.empty() || !text_.empty(); }
  // Shows the last notice held with code 11, through the reporter of before.
  void showAsNotice();
  // The text of the last notice held ("" when none).
  const std::string& heldText() const { return text_; }

 private:
  Reporter* before_;
  std::string title_, text_;
};
