// The default Reporter and the process-wide choice of Reporter.
#include "report.h"

#include <cstdio>

void Reporter::message(int code, const std::string& title, const std::string& text) {
  std::fprintf(stderr, "[%d] %s: %s\n", code, title.c_str(), text.c_str());
}

bool Reporter::ask(const std::string& title, const std::string& text,
                   const std::string& /*yesLabel*/, const std::string& noLabel) {
  std::fprintf(stderr, "%s: %s\n(answered: %s)\n", title.c_str(), text.c_str(), noLabel.c_str());
  return false;
}

bool Reporter::askInPanel(int /*code*/, const std::string& title, const std::string& text) {
  return ask(title, text, "OK", "Cancel");
}

namespace {
Reporter defaultReporter;
Reporter* current = &defaultReporter;
}  // namespace

Reporter* setReporter(Reporter* r) {
  Reporter* old = current;
  current = r ? r : &defaultReporter;
  return old;
}

Reporter& reporter() { return *current; }

void doMessage(int code, const std::string& title, const std::string& text) {
  current->message(code, title, text);
}

int askQuestionBox(const std::string& title, const std::string& yesLabel,
                   const std::string& noLabel, const std::string& text) {
  return current->ask(title, text, yesLabel, noLabel) ? 1 : 0;
}

int askInPanel(int code, const std::string& title, const std::string& text) {
  return current->askInPanel(code, title, text) ? 1 : 0;
}
