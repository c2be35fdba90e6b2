// The help topics' texts (see help_topics.h). One entry per topic, in the
// order of the topic table; each text is a block of lines, and a topic may
// continue into another, which its dialog's "More Help" button shows.
#include "help_texts.h"

#include "help_topics.h"

namespace {

const HelpText kTexts[kHelpTopicCount] = {
    {"QUEUES MENU", -1,
     "The list on the left shows the print queues of this system.\n"
     "Queues that Jarn manages are listed by name; queues that\n"
     "Jarn does not manage are marked with a '*' in front.\n"
     "Click a queue to put its name on the Queue page, then\n"
     "press Next there to load its settings.\n"
     "Options > Queue Types chooses which queues the list shows."},
    {"ROW OF TABS", -1,
     "The tabs name the pages of the working panel:\n"
     "Queue, Port, Model, Device Options, Print Options,\n"
     "Advanced and Extra.\n"
     "A tab can be chosen once the pages before it are complete;\n"
     "a tab that cannot be chosen yet rings the bell."},
    {"OK", -1,
     "OK answers the message shown on the Messages page.\n"
     "With no message shown, OK acts on the queue named on the\n"
     "Queue page: a queue Jarn manages is updated with the\n"
     "settings of all pages; a new queue is checked and a summary\n"
     "asks whether to create it (OK again creates it).\n"
     "A queue Jarn does not manage is left alone: OK only rings."},
    {"The HELP BUTTON", -1,
     "Press Help, then click any part of the window:\n"
     "the pointer becomes a question arrow, and a help box\n"
     "like this one explains the part you clicked.\n"
     "Where a topic goes on, the box offers \"More Help\"."},
    {"QUIT", -1,
     "Quit leaves Jarn after asking you to confirm.\n"
     "Changes that were not saved with OK or File > Save are\n"
     "lost. While a message is shown, Quit drops the message\n"
     "instead, and while a question waits it answers no."},
    {"EDITION", -1,
     "The Edit menu leads to the same pages as the tabs:\n"
     "an entry can be chosen once the pages before it are\n"
     "complete for the queue being edited."},
    {"OPTIONS", -1,
     "The Options menu: Queue Types chooses which queues the list\n"
     "shows (all, Jarn's own, or the system's others); Print Test\n"
     "Page prints a test page on the queue; Blob Help switches\n"
     "the tool tips on or off; Reset Jarn empties the pages for\n"
     "a new start."},
    {"ABOUT", -1, "The About menu shows the version of Jarn."},
    {"WORKING PANEL", -1,
     "The working panel in the middle shows one page at a time:\n"
     "the queue, its connection, the printer model, the printer\n"
     "and print options, the advanced settings, or a message.\n"
     "Choose a page with the tabs or the Next and Previous arrows."},
    {"COMPANY LOGO", -1, "The maker's logo."},
    {"THE MAIN PANEL", kHelpQueueNamePage,  // continues into QUEUE NAME
     "Jarn sets up print queues for Velta printers on this\n"
     "system's CUPS printing system.\n"
     "The list on the left holds the queues; the pages in the\n"
     "middle hold the settings of one queue; OK applies them.\n"
     "Work through the pages from left to right: queue name,\n"
     "connection (port), model, options, advanced settings."},
    {"QUEUE NAME", -1,
     "The Queue page names the queue to work on.\n"
     "Type the name of a new queue (after File > Create) or of\n"
     "an existing one, or click a queue in the list, and choose\n"
     "the data the queue takes: PostScript, PCL, PCL XL or raw.\n"
     "Next loads the settings of an existing queue and shows\n"
     "the Port page."},
    {"PRINTER MODEL", -1,
     "The Model page chooses the printer model, which means\n"
     "the PPD file that describes the printer to CUPS.\n"
     "A queue needs a model unless it prints to a local device\n"
     "or a file, or takes raw data."},
    {"DEVICE CONFIGURATION", -1,
     "The Device Options and Print Options pages list the\n"
     "choices of the model's PPD file: the options installed in\n"
     "the printer, and the defaults of the documents printed.\n"
     "Only the choices you change are sent to CUPS."},
    {"PORT", -1,
     "The Port page tells how the printer is reached: a remote\n"
     "LPD queue, TCP/IP port 9100, IPP, USB, a local device or a\n"
     "file. Each kind has its own form; Next is possible once\n"
     "the form is complete."},
    {"ADVANCED OPTIONS", -1,
     "The Advanced and Extra pages hold the settings of the\n"
     "users of the queue (mail boxes, secured printing,\n"
     "department accounting) and the CUPS extra options\n"
     "(banner pages and error policy)."},
    {"MESSAGES", -1,
     "The Messages page shows what Jarn has to tell you or ask.\n"
     "OK answers it (and carries out a pending action, such as\n"
     "creating or deleting a queue); Quit drops it."},
    {"MAIN MENU", kHelpFileMenu,  // continues into FILE
     "The menu bar: File (create, save, leave), Edit (the\n"
     "pages), Options (list filter, test pages, tool tips,\n"
     "reset) and About."},
    {"FILE", -1,
     "The File menu:\n"
     "Create begins a new queue: type its name on the Queue page.\n"
     "Save sends the changes of the queue being edited to CUPS\n"
     "and stores its settings; a setting CUPS refuses is named\n"
     "in a message and sent again with the next Save.\n"
     "Cancel leaves Jarn after asking you to confirm."},
    {"NEXT PANEL (PORT)", -1,
     "Next checks the queue name: an existing queue's settings\n"
     "are loaded into every page, a new queue starts from the\n"
     "defaults. Then the Port page is shown."},
    {"DELETE A QUEUE", -1,
     "Delete removes the queue named on the page from CUPS,\n"
     "after a question on the Messages page (OK deletes).\n"
     "Jarn's own records of the queue are removed with it."},
    {"QUEUE TYPE", -1,
     "The kind of data the queue takes: PostScript (PS), PCL,\n"
     "PCL XL (PXL), or raw data that is passed to the printer\n"
     "unchanged. A raw queue has no model and is created\n"
     "without Jarn's records: Jarn does not manage it."},
    {"WORKING MENUS", -1,
     "This part of the Queue page holds the queue's name and\n"
     "the kind of data it takes."},
    {"NAME OF THE QUEUE", -1,
     "Type the queue's name here. A name that CUPS cannot take\n"
     "is refused. For a new queue choose File > Create first:\n"
     "the name then must not be in use yet."},
    {"NAME OF THE QUEUE", -1,
     "The name of the queue being edited, shown on every page;\n"
     "it is red while a new queue is being created."},
    {"NEXT PANEL (PORT)", -1,
     "Next shows the Model page. It is possible once the form\n"
     "of the chosen connection is complete."},
    {"PREVIOUS PANEL", -1, "Previous goes back to the Queue page."},
    {"QUEUE TYPE", -1,
     "Choose how the printer is reached with the Connection\n"
     "Type menu; the form below changes to match."},
    {"REMOTE IPP QUEUE", -1,
     "The printer, or a print server, is reached with IPP:\n"
     "the device URI is ipp://HOST/PATH."},
    {"LOCAL USB QUEUE", -1,
     "The printer is attached to this computer by USB:\n"
     "the device URI is usb://DEVICE."},
    {"LOCAL QUEUE", -1,
     "The printer is attached to a parallel or serial port of\n"
     "this computer: the device URI is parallel:/dev/lpN or\n"
     "serial:/dev/ttyX."},
    {"REMOTE LPD QUEUE", -1,
     "The jobs go to a queue of an LPD server or of the\n"
     "printer itself: the device URI is lpd://HOST/QUEUE."},
    {"REMOTE TCP/IP 9100 QUEUE", -1,
     "The jobs go straight to the printer's TCP/IP port\n"
     "(usually 9100): the device URI is socket://HOST:PORT."},
    {"FILE QUEUE", -1,
     "The jobs are written into a file of this computer instead\n"
     "of a printer."},
    {"TYPE OF QUEUE", -1,
     "The Connection Type menu chooses how the printer is\n"
     "reached: Remote LPD, Remote TCP/IP(9100), Remote IPP,\n"
     "Local USB, Local (parallel or serial port) or File.\n"
     "Changing it for an existing queue sends the new device\n"
     "URI to CUPS with the next OK or File > Save."},
    {"REMOTE LPD QUEUE", -1,
     "Give the printer's host name or IP address and the name\n"
     "of the queue on that host.\n"
     "The device URI becomes lpd://HOST/QUEUE."},
    {"NAME OF THE QUEUE", -1, "The name of the queue being edited."},
    {"REMOTE SYSTEM NAME OR IP ADDRESS", -1,
     "The host name or IP address of the printer or of the\n"
     "LPD server, for example 192.168.1.20 or printer.example.\n"
     "An IPv6 address is written in brackets."},
    {"QUEUE NAME ON REMOTE SYSTEM", -1,
     "The name of the queue on the remote host: lp, print,\n"
     "direct, hold or spool from the menu, or choose Other and\n"
     "type the name. The printer's manual names its queues."},
    {"PORT NUMBER", -1,
     "The TCP/IP port of the printer, 1 to 65535; most printers\n"
     "take raw print data on port 9100."},
    {"TCP/IP (9100) QUEUE", -1,
     "Give the printer's host name or IP address and its port.\n"
     "The device URI becomes socket://HOST:PORT."},
    {"HOST NAME OR IP ADDRESS", -1,
     "The host name or IP address of the printer, without a\n"
     "port: the port has a field of its own."},
    {"DEVICE NAME", -1,
     "The device file of the port, for example /dev/lp0, when\n"
     "Other is chosen in the device menu."},
    {"LOCAL QUEUE", -1,
     "Choose the device file of the port the printer is attached\n"
     "to. Paths under /dev/tty make a serial: URI, paths under\n"
     "/dev/lp a parallel: URI."},
    {"LIST OF DEVICE NAMES", -1,
     "The usual parallel and serial devices; choose Other to\n"
     "type another device file."},
    {"FILE NAME", -1,
     "The full path of the file the jobs are written into;\n"
     "CUPS must be allowed to write it."},
    {"LOCAL QUEUE TO A FILE", -1,
     "The queue writes its jobs into the file named here\n"
     "instead of sending them to a printer."},
    {"BROWSE: FILE MANAGER", -1, "Browse opens a file selection box to choose the file."},
    {"NEXT PANEL (PRINT OPTIONS)", -1,
     "Next shows the Device Options page with the choices of\n"
     "the chosen model. It is possible once a model is chosen."},
    {"PREVIOUS PANEL", -1, "Previous goes back to the Port page."},
    {"PRINTER MODEL SELECTION", -1,
     "This page shows the chosen printer model. Use Browse to\n"
     "choose the model from the PPD files found for the queue's\n"
     "kind of data."},
    {"PRINTER MODEL", -1,
     "The model of the chosen PPD file. It cannot be typed:\n"
     "it changes only through Browse."},
    {"BROWSE PRINTER MODEL", -1,
     "Browse opens the list of models whose PPD files match the\n"
     "queue's kind of data; OK there opens the chosen PPD and\n"
     "fills the option pages from it."},
    {"NAME OF THE QUEUE", -1, "The name of the queue being edited."},
    {"NEXT", -1,
     "Next shows the next page: the print options after the\n"
     "printer options, then the Advanced page."},
    {"PRINTER/DOCUMENT OPTIONS", -1,
     "The choices of the model's PPD file, one menu each.\n"
     "Choices that conflict with each other are pointed out.\n"
     "Only the choices you change are sent to CUPS, one lpadmin\n"
     "command each; the PPD file itself is never edited."},
    {"PREVIOUS", -1, "Previous shows the page before this one."},
    {"UPDATE BUTTON", -1,
     "Update sends the changed choices of an existing queue to\n"
     "CUPS; for a new queue it asks to create the queue."},
    {"PRINT (INSTALLED) OPTIONS", -1,
     "The options installed in the printer (trays, finisher,\n"
     "memory, hard disk). Set them to match the printer so that\n"
     "the print options offer only what it can do."},
    {"DOCUMENT OR PRINT OPTIONS", -1,
     "The defaults of the documents printed on the queue: paper\n"
     "size, tray, duplex, resolution and more. Each job may\n"
     "still choose its own."},
    {"NAME OF THE QUEUE", -1, "The name of the queue being edited."},
    {"UPDATE / ADD", -1,
     "Update stores the user's settings shown on the page in\n"
     "the queue's user list: a new user is added, a known user\n"
     "changed. For a queue not created yet, it first asks to\n"
     "create the queue."},
    {"PREVIOUS PANEL", -1, "Previous shows the page before this one."},
    {"NEXT PANEL", -1,
     "Next shows the Extra page; on the Extra page the button\n"
     "reads Update and sends the extra options."},
    {"WORKING TITLE", -1, "The title says which settings the page shows."},
    {"ADVANCED OPTIONS MENU", -1,
     "The settings of each user of the queue: printing into a\n"
     "mail box of the printer, secured printing with a password,\n"
     "or department accounting with a user ID and a password.\n"
     "Users without an entry print with the settings of root."},
    {"LIST OF USER DATA", -1,
     "One line per user of the queue: the name, the box number\n"
     "and proof copy, the secured password, the user ID and the\n"
     "accounting password, each with its Force flag.\n"
     "Passwords show as '*'. Click a line to edit that user."},
    {"BUTTON FOR SECURED PRINTING", -1,
     "Shows the secured-printing settings of the user: the\n"
     "password the job is held with until it is typed at the\n"
     "printer. A user has either a box or a secured password."},
    {"MAIL OR FILE BOX PRINTING", -1,
     "Shows the box settings of the user: jobs are stored in\n"
     "the printer's mail (or file) box of the given number."},
    {"BUTTON FOR PRINTING WITH DEPARTMENT ACCOUNTING", -1,
     "Shows the accounting settings of the user: the user ID\n"
     "and password that the printer counts the jobs against."},
    {"USER (LOGIN) NAME", -1, "The login name of the user whose settings are edited."},
    {"USER ID", -1, "The user's accounting ID: up to 7 digits."},
    {"PASSWORD", -1,
     "The user's password: up to 7 digits. It shows as '*',\n"
     "one per digit, and is kept as typed."},
    {"FORCE USER ID", -1,
     "When set, every job of the user carries this user ID,\n"
     "whatever the job itself asks for."},
    {"FORCE USER PASSWORD", -1,
     "When set, every job of the user carries this password,\n"
     "whatever the job itself asks for."},
    {"FORCE MAILBOX", -1,
     "When set, every job of the user goes to this box,\n"
     "whatever the job itself asks for."},
    {"PROOF COPY", -1,
     "When set, one copy is printed at once and the rest is held\n"
     "in the box until it is released at the printer."},
    {"QUEUE NAME", -1, "The name of the queue whose users are edited."},
    {"BOX NUMBER", -1,
     "The number of the printer's box the user's jobs go to,\n"
     "0 to 99; -1 means no box."},
    {"BOX NUMBER", -1,
     "Delete removes the selected user's entry from the queue,\n"
     "after a question (OK deletes). The user then prints with\n"
     "the settings of root."},
    {"EXTRA CONFIGURATION", 81,  // continues into FRONT BANNER PAGE
     "Settings that CUPS keeps for the queue: the banner pages\n"
     "printed before and after each job, and what CUPS does when\n"
     "the printer fails. They are sent to an existing queue with\n"
     "Update, OK or File > Save; when a queue is created they are\n"
     "not sent (it starts with the error policy 'Retry job')."},
    {"FRONT BANNER PAGE", -1,
     "The banner page printed before each job, or None.\n"
     "It is the first half of the queue's job-sheets setting."},
    {"BACK BANNER PAGE", -1,
     "The banner page printed after each job, or None.\n"
     "It is the second half of the queue's job-sheets setting."},
    {"ERROR POLICY", -1,
     "What CUPS does with a job the printer cannot take:\n"
     "stop the queue, retry the job later, or abort the job."},
    {"MANUAL USB DEVICE NAME", -1,
     "The USB device typed by hand, as it follows usb:// in the\n"
     "device URI, for example Velta/P4700?serial=1234."},
    {"USB DEVICE NAME LIST", -1,
     "The USB printers found on this computer. Click the one the\n"
     "queue prints to."},
    {"USB CONNECTION", -1,
     "Pick a USB printer from the list, or switch on manual USB\n"
     "and type the device. The device URI becomes usb://DEVICE."},
    {"MANUAL USB DEVICE TOGGLE", -1,
     "On: the device typed in the field is used.\n"
     "Off: the device picked in the list is used; switching it\n"
     "off looks for USB printers again."},
    {"PORT NUMBER", -1,
     "The printer's path on the IPP host, for example\n"
     "printers/office or ipp/print."},
    {"IPP QUEUE", -1,
     "Give the host name or IP address of the IPP printer or\n"
     "server (a port may follow after ':') and the printer's\n"
     "path. The device URI becomes ipp://HOST/PATH."},
};

const HelpText kDefault = {"", -1,
                           "'Jarn' has no help info outside the application itself.\n"
                           "Sorry!\n"
                           "Please click the 'OK' button to continue"};

}  // namespace

const HelpText& helpText(int topic) {
  return topic >= 0 && topic < kHelpTopicCount ? kTexts[topic] : kDefault;
}
