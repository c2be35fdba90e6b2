// setupctl: a thin command line over the installer's steps, for tests and
// for checking behaviour from a shell. Not installed.
//
//   setupctl [-Z LEVEL] [-R ROOT] COMMAND [ARG...]
//     answer TEXT          the yes/no code of an answer
//     answer-all TEXT      the code with all and break
//     find-installation    "DIR VERSION", or "none -1"
//     write-info DIR       writes DIR/jarnInfo2.0 (kept when it exists)
//     convert-info DIR     converts DIR/jarnInfo1.0 to jarnInfo2.0
//     check-dir PATH       the accepted path; non-zero when refused
//     ppd-install-dir [--cups-version N]
//                          the PPD directory decision: "bits 0x%x",
//                          "dir %s", any "link %s -> %s"; creates nothing
//     has-choice FILE KEYWORD CHOICE  1 or 0 (KEYWORD without "*")
//     ppd-count FILE       "groups G options O"
//     compact-info FILE    compacts an information file
//     save-config DIR PRINTER URI   writes DIR/PRINTER/root/jarnConfig (2.0)
//     info-from-template DIR PRINTER  writes DIR/jarnInfo2.0 and the dirs
//     abandon-text [no-cups] [no-foomatic] [not-root]
#include <cstdio>
#include <cstring>
#include <string>

#include "answers.h"
#include "fs_root.h"
#include "info_file.h"
#include "info_setup.h"
#include "install_paths.h"
#include "install_state.h"
#include "options.h"
#include "ppd_defaults.h"
#include "spare_ops.h"
#include "system_probe.h"

using namespace inst;

namespace {

int usage() {
  std::fputs("usage: setupctl [-Z LEVEL] [-R ROOT] COMMAND [ARG...]\n", stderr);
  return 2;
}

int ppdInstallDir(int argc, char** argv) {
  InstallState& s = state();
  s.cupsVersion = 1400;
  if (argc == 2 && std::strcmp(argv[0], "--cups-version") == 0) s.cupsVersion = decimalOption(argv[1]);
  std::string earlier;
  s.ppdDirBits = listSystemPPDDirs(&earlier);
  s.modelLinks = readModelDirLinks();
  choosePPDInstallDir(earlier);
  std::printf("bits 0x%x\ndir %s\n", static_cast<unsigned>(s.ppdDirBits), s.ppdInstallDir.c_str());
  if (!s.ppdLinkPath.empty()) std::printf("link %s -> %s\n", s.ppdLinkPath.c_str(), s.ppdLinkTarget.c_str());
  return 0;
}

// The spare operations that setupctl offers.
int spareOperation(const std::string& cmd, int rest, char** args) {
  if (cmd == "has-choice" && rest == 3) {
    std::printf("%d\n", hasUIChoice(args[0], args[1], args[2]));
    return 0;
  }
  int groups = 0, options = 0;
  if (cmd == "ppd-count" && rest == 1) {
    if (!countPPDOptions(args[0], &groups, &options)) return 1;
    std::printf("groups %d options %d\n", groups, options);
    return 0;
  }
  if (cmd == "compact-info" && rest == 1) return compactInfoFile(args[0]) ? 0 : 1;
  if ((cmd == "save-config" && rest == 3) || (cmd == "info-from-template" && rest == 2)) {
    state().installDir = args[0];
    int ok = rest == 3 ? saveConfiguration(args[1], args[2]) : writeInfoFileFromTemplate(args[1]);
    return ok ? 0 : 1;
  }
  if (cmd == "abandon-text") {
    bool flags[3] = {};
    const char* const names[] = {"no-cups", "no-foomatic", "not-root"};
    for (int a = 0; a < rest; ++a)
      for (int f = 0; f < 3; ++f) flags[f] = flags[f] || std::strcmp(args[a], names[f]) == 0;
    std::fputs(abandonText(flags[0], flags[1], flags[2]).c_str(), stdout);
    return 0;
  }
  return usage();
}

}  // namespace

int main(int argc, char** argv) {
  int i = 1;
  for (; i + 1 < argc && argv[i][0] == '-'; i += 2) {
    if (std::strcmp(argv[i], "-Z") == 0) {
      state().debug = decimalOption(argv[i + 1]);
    } else if (std::strcmp(argv[i], "-R") == 0) {
      setFsRoot(argv[i + 1]);
    } else {
      return usage();
    }
  }
  if (i >= argc) return usage();
  std::string cmd = argv[i];
  int rest = argc - i - 1;
  char** args = argv + i + 1;
  if ((cmd == "answer" || cmd == "answer-all") && rest == 1) {
    std::printf("%d\n", cmd == "answer" ? parseAnswer(args[0]) : parseAnswerAll(args[0]));
    return 0;
  }
  if (cmd == "find-installation" && rest == 0) {
    std::string dir;
    int version = -1;
    if (findInstallation(&dir, &version)) {
      std::printf("%s %d\n", dir.c_str(), version);
    } else {
      std::printf("none -1\n");
    }
    return 0;
  }
  if ((cmd == "write-info" || cmd == "convert-info") && rest == 1) {
    state().installDir = args[0];
    int ok = cmd == "write-info" ? writeInfoFile() : convertInfoFile();
    return ok ? 0 : 1;
  }
  if (cmd == "check-dir" && rest == 1) {
    std::string checked;
    if (!checkInstallDir(args[0], &checked)) return 1;
    std::printf("%s\n", checked.c_str());
    return 0;
  }
  if (cmd == "ppd-install-dir") return ppdInstallDir(rest, args);
  return spareOperation(cmd, rest, args);
}
