// The back end's report-and-ask interface on the screen: messages go to the
// message page, questions to the question box. Messages that come before
// the main window exists wait and are shown once it does.
#pragma once

#include <string>
#include <vector>

#include "report.h"

class GuiReporter : public Reporter {
 public:
  void message(int code, const std::string& title, const std::string& text) override;
  bool ask(const std::string& title, const std::string& text, const std::string& yesLabel,
           const std::string& noLabel) override;
  bool askInPanel(int code, const std::string& title, const std::string& text) override;

  // Shows the messages that came before the message page existed.
  void showWaitingMessages();

 private:
  struct Waiting {
    int code;
    std::string title;
    std::string text;
  };
  std::vector<Waiting> waiting_;
};

// The one reporter of the program, plugged in once the display is open.
GuiReporter& guiReporter();
