// Fallback resources of the administration program.
#include "fallback_resources.h"

namespace {

// Classes that get a border width of 1.
const char* const kBorderedClasses[] = {
    "XmBulletinBoard", "XmDrawingArea",  "XmFileSelectionBox", "XmForm",
    "XmMainWindow",    "XmPanedWindow",  "XmLabel",            "XmLabelGadget",
    "XmMessageBox",    "XmRowColumn",    "XmScrolledWindow",   "XmSelectionBox",
    "XmToggleButton",  "XmToggleButtonGadget",
};

// "*Class.borderWidth:" padded with blanks to column 41, then 1.
std::string borderLine(const char* className) {
  std::string line = std::string("*") + className + ".borderWidth:";
  if (line.size() < 40) line.append(40 - line.size(), ' ');
  return line + "1";
}

std::vector<std::string> makeLines() {
  std::vector<std::string> lines = {
      "Jarn9_1*FontList:           -*-lucida-bold-r-normal--10-*",
      "Jarn9_1*SysFont1:           -*-lucida-bold-r-normal--10-*",
      "Jarn9_1*XmList.fontList:    -*-lucida-bold-i-normal--10-*=TAGC",
      "Jarn9_1*XwThumbIndex.fontList: -*-lucida-bold-r-normal--10-*",
      "Jarn9_1*XmText.fontList:    -*-lucida-bold-r-normal--10-*",
      "Jarn9_1*tipShell.borderWidth: 3",
      "Jarn9_1*tipShell.borderColor: blue",
      "Jarn9_1*tipLabel.background: white",
      "Jarn9_1*tipLabel.foreground: black",
  };
  for (const char* c : kBorderedClasses) lines.push_back(borderLine(c));
  lines.push_back("*keyboardFocusPolicy:                   explicit");
  return lines;
}

}  // namespace

const std::vector<std::string>& fallbackResourceLines() {
  static const std::vector<std::string> lines = makeLines();
  return lines;
}

String* fallbackResources() {
  static std::vector<String> array;
  if (array.empty()) {
    for (const std::string& line : fallbackResourceLines()) array.push_back(const_cast<String>(line.c_str()));
    array.push_back(nullptr);
  }
  return array.data();
}
