// The places where the wizard's pages plug their own work into the main
// window's navigation, menus and message page. Each page's code sets the
// entries it provides when it builds its page; an entry left null is a page
// that has nothing to do there, and the main window then goes on without it.
#pragma once

#include <X11/Intrinsic.h>

#include <string>
#include <vector>

struct PageHooks {
  // Queue page: classify and load the typed queue (flag 1: also show page 1).
  void (*goThroughPanel)(int flag) = nullptr;
  // Queue page: put a queue name into the page (null: clear it).
  void (*setQueueName)(const char* name, int readType) = nullptr;
  // Queue page: the type menu back to PostScript.
  void (*resetQueueType)() = nullptr;
  // Queue page: show or clear the red new-name hint.
  void (*setNewQueueHint)(bool on) = nullptr;
  // Model page: its model label; its model name; its Next check.
  void (*showModelLabel)() = nullptr;
  std::string (*modelName)() = nullptr;
  void (*checkModelNext)() = nullptr;
  // Option pages: which pane; their Next button; the Update/Create button.
  void (*showOptionPane)(int pane) = nullptr;
  void (*setOptionNextSensitive)(bool on) = nullptr;
  void (*setOptionUpdateCreate)(bool create) = nullptr;
  // Option pages: close an open PPD and clear the edit flags (Reset).
  void (*resetOptionPages)() = nullptr;
  // Advanced page: the Next button's label (Update on page 6) and its sub-form.
  void (*setAdvancedNextLabel)(bool update) = nullptr;
  void (*showAdvancedForm)(int form) = nullptr;
  // Extra pane back to its defaults (Reset).
  void (*resetExtraPane)() = nullptr;
  // Queue actions: OK on the main window, Save in the File menu, and the
  // work of OK on a pending action's message (codes 5-10 and 16-22).
  void (*queueAction)() = nullptr;
  void (*saveAction)() = nullptr;
  void (*applyMessageCode)(int code) = nullptr;
  // Model page: forget the PPD file and model name; open ppdFile and build
  // the option pages (1 opened, else 0); its Browse button.
  void (*clearPpdFileName)() = nullptr;
  int (*openPpd)() = nullptr;
  void (*setPpdBrowseSensitive)(bool on) = nullptr;
  // Option pages: every menu to its marked choice; send the changed options
  // to the spooler: the number still pending, the names that failed.
  void (*restoreDynamicData)() = nullptr;
  int (*updatePPDOption)(const std::string& queue, std::vector<std::string>* failedNames) = nullptr;
  // Advanced page: its user list for a printer ("" for none); the work
  // entry applied after a creation (codes 16-22); the user deletion (code 32).
  void (*reloadUserList)(const std::string& printer) = nullptr;
  void (*applyWorkEntry)() = nullptr;
  void (*deleteUserAction)() = nullptr;
  // Extra pane: banners and error policy from the spooler; banners and
  // error policy cleared.
  void (*loadCupsOptions)() = nullptr;
  void (*resetBannerFields)() = nullptr;
  // Context-help look-ups, asked in this order: each claims a picked widget
  // of its own (showing its topic) and returns true, else false.
  using HelpLookup = bool (*)(Widget picked);
  HelpLookup queuePageHelp = nullptr;
  HelpLookup advancedPageHelp = nullptr;
  HelpLookup connectPageHelp = nullptr;
  HelpLookup lpdFormHelp = nullptr;
  HelpLookup tcpFormHelp = nullptr;
  HelpLookup localFormHelp = nullptr;
  HelpLookup fileFormHelp = nullptr;
  HelpLookup modelPagesHelp = nullptr;
  HelpLookup extraPaneHelp = nullptr;
  // Context help (the Help button) and the about dialog.
  void (*helpMode)() = nullptr;
  void (*showAbout)() = nullptr;
  // Run once every page is built (the message page too), before the main
  // window pops up: the pages' first loads, which may report.
  void (*pagesBuilt)() = nullptr;
};

// The hooks in force for the run.
PageHooks& pageHooks();
