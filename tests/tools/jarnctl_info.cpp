// jarnctl info-*: the information file from a shell.
//
//   info-create DIR [PRINTER]        create it as on a "yes" to the question;
//                                    an existing bad file ends with status
//                                    255, the 5 s wait shown, not slept
//   info-add-printer FILE NAME       add a printer (PRINTERS line, PRNT block)
//   info-del-printer FILE NAME       delete a printer's line and PRNT block
//   info-add-user FILE NAME [PRINTER]  add a user to USERS (or to PRINTER's block)
//   info-del-user FILE NAME [PRINTER]  delete a user the same way
//   info-list FILE                   the general values after expansion, the
//                                    printers with their users, the users
#include <cstdio>
#include <string>

#include "info_file.h"
#include "jarnctl.h"
#include "report.h"
#include "setup_state.h"
#include "sleeper.h"

namespace {

// Answers every question "yes"; messages go to standard error.
class YesReporter : public Reporter {
 public:
  bool ask(const std::string& title, const std::string& text, const std::string& yesLabel,
           const std::string&) override {
    std::fprintf(stderr, "%s: %s\n(answered: %s)\n", title.c_str(), text.c_str(), yesLabel.c_str());
    return true;
  }
};

int infoCreate(const JarnctlArgs& args) {
  if (args.empty() || args.size() > 2) return jarnctlUsage("info-create");
  YesReporter yes;
  Reporter* previous = setReporter(&yes);
  setSleeper([](unsigned seconds) { std::fprintf(stderr, "(wait %u s)\n", seconds); });
  int ok = createInfoFile(args[0], args.size() > 1 ? args[1] : std::string());
  setReporter(previous);
  return ok ? 0 : jarnctlFail("cannot create the information file in " + args[0]);
}

int edit(const char* name, const JarnctlArgs& args, int operation, size_t maxArgs) {
  if (args.size() < 2 || args.size() > maxArgs) return jarnctlUsage(name);
  if (args.size() > 2) setup().printerName = args[2];
  if (!editInfoFileAt(args[0], args[1], operation)) return jarnctlFail(std::string(name) + " failed");
  return 0;
}

int addPrinter(const JarnctlArgs& args) { return edit("info-add-printer", args, kEditAddPrinter, 2); }
int delPrinter(const JarnctlArgs& args) { return edit("info-del-printer", args, kEditDeletePrinter, 2); }
int addUser(const JarnctlArgs& args) {
  return edit("info-add-user", args, args.size() > 2 ? kEditAddPrinterUser : kEditAddUser, 3);
}
int delUser(const JarnctlArgs& args) {
  return edit("info-del-user", args, args.size() > 2 ? kEditDeletePrinterUser : kEditDeleteUser, 3);
}

int infoList(const JarnctlArgs& args) {
  if (args.size() != 1) return jarnctlUsage("info-list");
  SetupState& s = setup();
  if (!readInfoGeneral("", args[0])) return jarnctlFail("no GENERAL block in " + args[0]);
  std::printf("USRDIR %s\nHOMEDIR %s\nTMPDIR %s\n", s.userDir.c_str(), s.homeDir.c_str(),
              s.tmpDir.c_str());
  if (readInfoPrinters(0)) {
    PList* p = &s.printerList;
    for (int i = 0; i < s.managedPrinterCount; ++i, p = p->next) {
      std::printf("PRINTER %s", p->name.c_str());
      if (readPrinterUsers(p->name)) {
        UList* u = &s.printerUserList;
        for (int j = 0; j < s.printerUserCount; ++j, u = u->next) std::printf(" %s", u->name.c_str());
      }
      std::printf("\n");
    }
  }
  if (readInfoUsers()) {
    UList* u = &s.userList;
    for (int i = 0; i < s.infoUserCount; ++i, u = u->next) std::printf("USER %s\n", u->name.c_str());
  }
  return 0;
}

}  // namespace

JARNCTL_COMMAND("info-create", "DIR [PRINTER]", infoCreate);
JARNCTL_COMMAND("info-add-printer", "FILE NAME", addPrinter);
JARNCTL_COMMAND("info-del-printer", "FILE NAME", delPrinter);
JARNCTL_COMMAND("info-add-user", "FILE NAME [PRINTER]", addUser);
JARNCTL_COMMAND("info-del-user", "FILE NAME [PRINTER]", delUser);
JARNCTL_COMMAND("info-list", "FILE", infoList);
