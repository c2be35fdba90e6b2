// The back end's report-and-ask interface on the screen: messages go to the
// message page, questions to the question box. A message that comes before
// the message page exists is shown at once in a box of its own and written
// to standard error, so that none waits or is lost, also before a fatal exit.
#pragma once

#include <string>

#include "report.h"

class GuiReporter : public Reporter {
 public:
  void message(int code, const std::string& title, const std::string& text) override;
  bool ask(const std::string& title, const std::string& text, const std::string& yesLabel,
           const std::string& noLabel) override;
  bool askInPanel(int code, const std::string& title, const std::string& text) override;
};

// The one reporter of the program, plugged in once the display is open.
GuiReporter& guiReporter();
