// The screen's Reporter (see gui_reporter.h).
#include "gui_reporter.h"

#include "main_window.h"
#include "message_page.h"
#include "question_dialogs.h"

void GuiReporter::message(int code, const std::string& title, const std::string& text) {
  if (!mainWidgets().pages[kSlotMessage]) {
    waiting_.push_back({code, title, text});
    return;
  }
  showMessage(code, title, text);
}

bool GuiReporter::ask(const std::string& title, const std::string& text,
                      const std::string& yesLabel, const std::string& noLabel) {
  return showQuestionBox(3, title, yesLabel, noLabel, text);
}

bool GuiReporter::askInPanel(int code, const std::string& title, const std::string& text) {
  if (!mainWidgets().pages[kSlotMessage]) return ask(title, text, "OK", "Cancel");
  return askInMessagePanel(code, title, text);
}

void GuiReporter::showWaitingMessages() {
  std::vector<Waiting> list;
  list.swap(waiting_);
  for (const Waiting& w : list) message(w.code, w.title, w.text);
}

GuiReporter& guiReporter() {
  static GuiReporter reporter;
  return reporter;
}
