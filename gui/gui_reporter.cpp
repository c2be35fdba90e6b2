// The screen's Reporter (see gui_reporter.h).
#include "gui_reporter.h"

#include <cstdio>

#include "main_window.h"
#include "message_page.h"
#include "question_dialogs.h"

void GuiReporter::message(int code, const std::string& title, const std::string& text) {
  if (!mainWidgets().pages[kSlotMessage]) {
    Reporter::message(code, title, text);
    std::fflush(stderr);
    showStartupMessage(code, title, text);
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

GuiReporter& guiReporter() {
  static GuiReporter reporter;
  return reporter;
}
