// Help topics and look-ups (see help_topics.h).
#include "help_topics.h"

#include "trace.h"

namespace {

const char* const kTopicTitles[90] = {
    "QUEUES MENU", "ROW OF TABS", "OK", "The HELP BUTTON", "QUIT", "EDITION", "OPTIONS", "ABOUT",
    "WORKING PANEL", "COMPANY LOGO", "THE MAIN PANEL", "QUEUE NAME", "PRINTER MODEL",
    "DEVICE CONFIGURATION", "PORT", "ADVANCED OPTIONS", "MESSAGES", "MAIN MENU", "FILE",
    "NEXT PANEL (PORT)", "DELETE A QUEUE", "QUEUE TYPE", "WORKING MENUS", "NAME OF THE QUEUE",
    "NAME OF THE QUEUE", "NEXT PANEL (PORT)", "PREVIOUS PANEL", "QUEUE TYPE", "REMOTE IPP QUEUE",
    "LOCAL USB QUEUE", "LOCAL QUEUE", "REMOTE LPD QUEUE", "REMOTE TCP/IP 9100 QUEUE", "FILE QUEUE",
    "TYPE OF QUEUE", "REMOTE LPD QUEUE", "NAME OF THE QUEUE", "REMOTE SYSTEM NAME OR IP ADDRESS",
    "QUEUE NAME ON REMOTE SYSTEM", "PORT NUMBER", "TCP/IP (9100) QUEUE", "HOST NAME OR IP ADDRESS",
    "DEVICE NAME", "LOCAL QUEUE", "LIST OF DEVICE NAMES", "FILE NAME", "LOCAL QUEUE TO A FILE",
    "BROWSE: FILE MANAGER", "NEXT PANEL (PRINT OPTIONS)", "PREVIOUS PANEL", "PRINTER MODEL SELECTION",
    "PRINTER MODEL", "BROWSE PRINTER MODEL", "NAME OF THE QUEUE", "NEXT", "PRINTER/DOCUMENT OPTIONS",
    "PREVIOUS", "UPDATE BUTTON", "PRINT (INSTALLED) OPTIONS", "DOCUMENT OR PRINT OPTIONS",
    "NAME OF THE QUEUE", "UPDATE / ADD", "PREVIOUS PANEL", "NEXT PANEL", "WORKING TITLE",
    "ADVANCED OPTIONS MENU", "LIST OF USER DATA", "BUTTON FOR SECURED PRINTING",
    "MAIL OR FILE BOX PRINTING", "BUTTON FOR PRINTING WITH DEPARTMENT ACCOUNTING",
    "USER (LOGIN) NAME", "USER ID", "PASSWORD", "FORCE USER ID", "FORCE USER PASSWORD",
    "FORCE MAILBOX", "PROOF COPY", "QUEUE NAME", "BOX NUMBER", "BOX NUMBER", "EXTRA CONFIGURATION",
    "FRONT BANNER PAGE", "BACK BANNER PAGE", "ERROR POLICY", "MANUAL USB DEVICE NAME",
    "USB DEVICE NAME LIST", "USB CONNECTION", "MANUAL USB DEVICE TOGGLE", "PORT NUMBER", "IPP QUEUE",
};

int shownTopic = -1;

}  // namespace

const char* helpTopicTitle(int topic) { return topic >= 0 && topic < 90 ? kTopicTitles[topic] : ""; }

void showHelpMessage(int topic) {
  shownTopic = topic;
  if (traceLevel() > 0) tracef("help topic %d: %s\n", topic, helpTopicTitle(topic));
}

int lastHelpTopic() { return shownTopic; }

bool showHelpFor(const std::vector<HelpRow>& rows, Widget picked) {
  if (!picked) return false;
  for (const HelpRow& r : rows) {
    if (r.widget && *r.widget == picked) {
      showHelpMessage(r.topic);
      return true;
    }
  }
  return false;
}
