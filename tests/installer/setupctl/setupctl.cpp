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
#include <cstdio>
#include <cstring>
#include <string>

#include "answers.h"
#include "fs_root.h"
#include "info_setup.h"
#include "install_paths.h"
#include "install_state.h"
#include "options.h"
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
  return usage();
}
