// Code-1 notices held back during a queue action (see held_notices.h).
#include "held_notices.h"

#include "trace.h"

HeldNotices::HeldNotices() : before_(setReporter(this)) {}

HeldNotices::~HeldNotices() { setReporter(before_); }

void HeldNotices::message(int code, const std::string& title, const std::string& text) {
  if (code != kMsgError) return before_->message(code, title, text);
  tracef("held notice: %s: %s\n", title.c_str(), text.c_str());
  title_ = title;
  text_ = text;
}

bool HeldNotices::ask(const std::string& title, const std::string& text, const std::string& yesLabel,
                      const std::string& noLabel) {
  return before_->ask(title, text, yesLabel, noLabel);
}

bool HeldNotices::askInPanel(int code, const std::string& title, const std::string& text) {
  return before_->askInPanel(code, title, text);
}

void HeldNotices::showAsNotice() {
  if (any()) before_->message(11, title_, text_);
}
