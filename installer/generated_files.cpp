// The start-up script, the de-installation script and the desktop entry.
#include "generated_files.h"

#include <sys/stat.h>

#include <cstdio>

#include "atomic_file.h"
#include "install_log.h"
#include "install_state.h"
#include "process_runner.h"
#include "setup_state.h"

namespace inst {
namespace {

// getSU: the first executable graphical su helper into SU ("none" for
// root). A helper's case sets needsC or quotes; they are reset before the
// next one is tried, so that only the helper found decides.
const char* const kGetSU[] = {
    "getSU()", "# Returns possible su program in SU", "{", "  SU=\"none\"", "  uu=`id -u`",
    "  if [ $uu -eq 0 ] ; then", "    return", "  fi", "  i=0", "  while [ $i -lt 15 ] ; do",
    "    case $i in",
    "      0 ) pp=/usr/local/bin/gksu  ;;", "      1 ) pp=/usr/bin/gksu        ;;",
    "      2 ) pp=/bin/gksu            ;;", "      3 ) pp=/usr/local/bin/beesu ;;",
    "      4 ) pp=/usr/bin/beesu       ;;", "      5 ) pp=/bin/beesu           ;;",
    "      6 ) pp=/usr/local/bin/kdesudo", "          needsC=1 ;;",
    "      7 ) pp=/usr/bin/kdesudo", "          needsC=1 ;;",
    "      8 ) pp=/bin/kdesudo", "          needsC=1 ;;",
    "      9 ) pp=/usr/local/bin/ktsuss", "          quotes=0 ;;",
    "      10 ) pp=/usr/bin/ktsuss", "          quotes=0 ;;",
    "      11 ) pp=/bin/ktsuss", "          quotes=0 ;;",
    "      12 ) pp=/usr/local/bin/kdesu  ;;", "      13 ) pp=/usr/bin/kdesu        ;;",
    "      14 ) pp=/bin/kdesu            ;;",
    "    esac", "    if [ -x $pp ] ; then", "      SU=$pp", "      break", "    fi",
    "    quotes=1 ; needsC=0", "    i=`expr $i + 1`", "  done", "  return", "}"};

// The launch: directly as root; through SU with the command line as one
// word (quotes), after "-c" (needsC) or as separate words. eval turns the
// quoted line back into one word.
const char* const kLaunch[] = {
    "quotes=1", "needsC=0", "getSU", "if [ \"$SU\" = \"none\" ] ; then",
    "  ${PREFIX}/Jarn.exe -MC100 -W${prepath} \"$@\"", "else", "  if [ $quotes -eq 1 ] ; then",
    "    cmd=\"\\\"${PREFIX}/Jarn.exe -MC100 -W${prepath} $*\\\"\"", "  else",
    "    cmd=\"${PREFIX}/Jarn.exe -MC100 -W${prepath} $*\"", "  fi", "  if [ $needsC -eq 1 ] ; then",
    "    eval ${SU} -c  ${cmd}", "  else", "    eval ${SU}  ${cmd}", "  fi", "fi"};

// The uninstall script's helpers after delFile's rm line ("@" is the rm path).
const char* const kDelDir[] = {"fi", "}", "#", "#Delete a directory", "#Syntax : delDir $dirName",
                               "delDir()", "{", "if [ -d $1 ] ; then", "  @ -rf $1", "fi", "}"};

const char* const kYorn[] = {
    "#", "#", "# Get a yes or no answer from the user.  Argument 1 is prompt, 2 is default.", "#",
    "yorn()", "{", "        if [ \"$2\" = \"\" ] ; then", "                prompt=\"$1? \"", "        else",
    "                prompt=\"$1 [$2]? \"", "        fi", " ", "        while true ; do",
    "                echo \"$prompt\"", "                read input", "                parsed=$input", " ",
    "                if [ \"$parsed\" = \"\" ] ; then", "                        answer=$2",
    "                else", "                        answer=$input", "                fi", " ",
    "                case $answer in", "                [oO]|[yY]|[yY][eE][sS])",
    "                        return 0 ; break ;;", "                [nN]|[nN][oO])",
    "                        return 1 ; break ;;", "                *)"};

// Files of the installation the uninstall script deletes ("@" is installDir).
const char* const kDelFiles[] = {"@/jarn", "@/bin/jarn", "@/bin/Jarn.exe", "@/jarnInfo2.0",
                                 "@/bin/qorgsfilter", "@/bin/nc"};
const char* const kDelLaterFiles[] = {"@/bin/setup", "@/etc/Jarn2.0.desktop", "@/etc/jarn2.0.png",
                                      "@/etc/JARNINST.CONF", "@/JARNINST.CONF"};
const char* const kDelDirs[] = {"@/images", "@/etc", "@/bin", "@"};

const char* const kDesktop[] = {
    "[Desktop Entry]", "Encoding=UTF-8", "Name=Jarn 2.0 Printer Driver", "Name[de]=Jarn 2.0 Drucker Treiber",
    "Name[es]=Controlador de impresora Jarn 2.0", "Name[fr]=Jarn 2.0 Pilote d'Impression",
    "Name[it]=Driver di stampa Jarn 2.0", "Comment=Driver Velta Qor", "Comment[de]=Velta Qor Treiber",
    "Comment[es]=Controlador de impresora, Velta Qor", "Comment[fr]=Pilote d'impression Velta Qor",
    "Comment[it]=Velta Qor driver di stampa", "Exec=@/bin/jarn", "Icon=@/etc/jarn2.0.png", "Terminal=0",
    "Type=Application", "X-Desktop-File-Install-Version=2.0", "Categories=Application;Settings;System;",
    "X-KDE-SubstituteUID=false"};

std::string orDefault(const std::string& dir) { return dir.empty() ? kDefaultInstallDir : dir; }

// A line with every "@" replaced by `value`.
std::string with(const char* line, const std::string& value) {
  std::string out;
  for (const char* c = line; *c; ++c) out += *c == '@' ? value : std::string(1, *c);
  return out;
}

template <size_t N>
void addLines(std::string* out, const char* const (&lines)[N], const std::string& value = std::string()) {
  for (const char* line : lines) *out += with(line, value) + "\n";
}

void addMsgLines(std::string* out, std::initializer_list<Msg> ids) {
  for (Msg id : ids) *out += std::string(text(id)) + "\n";
}

AtomicWriteOptions ownedBy(const ScriptFacts& facts, mode_t mode) {
  AtomicWriteOptions o;
  o.mode = mode;
  o.owner = facts.uid;
  o.group = facts.gid;
  o.replaceLink = true;  // a link planted at the name is replaced, never followed
  return o;
}

bool write(const std::string& path, const std::string& data, const ScriptFacts& facts, mode_t mode) {
  return writeFileAtomic(path, data, ownedBy(facts, mode));
}

// The local time text without its line feed.
std::string dateLine() {
  std::string t = timeText();
  if (!t.empty() && t.back() == '\n') t.pop_back();
  return t;
}

}  // namespace

ScriptFacts scriptFactsFromState() {
  const InstallState& s = state();
  ScriptFacts f;
  f.cups = !s.noCups;
  f.cupsBaseDir = setup().cupsDir;
  f.cupsBinDir = setup().cupsBinDir;
  f.xkeysymPath = s.xkeysymFound ? s.xkeysymPath : std::string();
  f.rm = s.tools.rm;
  f.ppdDir = s.ppdInstallDir;
  f.uid = static_cast<uid_t>(s.uid);
  f.gid = static_cast<gid_t>(s.gid);
  return f;
}

std::string startupScriptText(const std::string& installDir, const ScriptFacts& f, const std::string& date) {
  std::string out = "#!/bin/sh\n#\n";
  addMsgLines(&out, {kScriptTitle, kScriptNotice1, kScriptNotice2, kScriptColours, kScriptColour0,
                     kScriptColour1, kScriptColour2, kScriptColour3});
  out += format(kScriptDate, date.c_str()) + "\n" + text(kScriptMulti) + "\n#\n";
  out += "prepath=" + orDefault(installDir) + "\n";
  out += "machine=`uname -s`\nJARNINFO=$prepath/jarnInfo2.0\nJARNTMPDIR=/tmp/\nPREPATH=$prepath\n"
         "PREFIX=$prepath/bin\n";
  bool cupsDir = f.cups && !f.cupsBaseDir.empty();
  bool cupsBinDir = f.cups && !f.cupsBinDir.empty();
  bool xkeysym = !f.xkeysymPath.empty();
  // Each value one word for the shell, whatever the system's paths hold.
  if (cupsDir) out += "JARNCUPSDIR=" + shellQuote(f.cupsBaseDir) + "\n";
  if (cupsBinDir) out += "JARNCUPSBINDIR=" + shellQuote(f.cupsBinDir) + "\n";
  if (xkeysym) out += "XKEYSYMDB=" + shellQuote(f.xkeysymPath) + "\n";
  out += "XENVIRONMENT=$prepath/Jarn1_0\nexport JARNINFO\nexport JARNTMPDIR\n";
  if (xkeysym) out += "export XKEYSYMDB\n";
  out += "export XENVIRONMENT\nexport PREPATH\nexport PREFIX\nexport PPDDIR\n";
  if (cupsDir) out += "export JARNCUPSDIR\n";
  if (cupsBinDir) out += "export JARNCUPSBINDIR\n";
  addLines(&out, kGetSU);
  for (const char* line : kLaunch) out += std::string(line) + "\n";  // "$@" is no placeholder
  return out;
}

std::string uninstallScriptText(const std::string& installDir, const ScriptFacts& f, const std::string& date) {
  const std::string dir = orDefault(installDir);
  std::string out = "#!/bin/sh\n#\n" + format(kUninstallTitle, (date + "\n").c_str()) + "#\n";
  out += "#Delete a file\n#Syntax : delFile $fileName\n#\ndelFile()\n{\nif [ -f $1 ] ; then\n";
  out += "  " + f.rm + " $1\n";
  addLines(&out, kDelDir, f.rm);
  addLines(&out, kYorn);
  out += std::string("                        ") + text(kUninstallAnswer) + "\n";
  out += "                esac\n        done\n}\n#\n";
  out += "echo \"" + std::string(text(kUninstallEcho)) + "\"\n";
  out += "yorn \"" + std::string(text(kUninstallAsk)) + "\" \"no\"\n";
  out += "it_is=$?\nif [ $it_is -ne 0 ] ; then\n  exit\nfi\n";
  for (const char* file : kDelFiles) out += "delFile " + with(file, dir) + "\n";
  // The link in /usr/bin only while it is this installation's own.
  out += "[ \"`readlink /usr/bin/qorgsfilter`\" = \"" + dir + "/bin/qorgsfilter\" ] && " + f.rm +
         " -f /usr/bin/qorgsfilter\n";
  for (const char* file : kDelLaterFiles) out += "delFile " + with(file, dir) + "\n";
  out += "delDir " + shellQuote(f.ppdDir + "/ppd") + "\n";
  for (const char* d : kDelDirs) out += "delDir " + with(d, dir) + "\n";
  return out;
}

std::string desktopEntryText(const std::string& installDir) {
  std::string out;
  addLines(&out, kDesktop, orDefault(installDir));
  return out;
}

int writeStartupScript(const std::string& installDir, const ScriptFacts& facts) {
  std::string path = orDefault(installDir) + "/bin/jarn";
  if (write(path, startupScriptText(installDir, facts, dateLine()), facts, 0755)) return 1;
  logMsg(kCannotOpenFile, path.c_str());
  return 0;
}

int replaceStartupScript(const std::string& installDir, const ScriptFacts& facts) {
  std::string path = orDefault(installDir) + "/bin/jarn";
  std::string old = path + ".old";
  struct stat st;
  if (::lstat(old.c_str(), &st) == 0) {
    logMsg(kBackupKept, old.c_str());  // a backup is never overwritten
  } else if (std::rename(path.c_str(), old.c_str()) == 0) {
    logMsg(kMovedScript, path.c_str(), old.c_str());
  } else {
    logMsg(kCannotOpenFile, path.c_str());
  }
  return writeStartupScript(installDir, facts);
}

int writeUninstallScript(const std::string& installDir, const ScriptFacts& facts) {
  std::string path = orDefault(installDir) + "/etc/UNINSTALLJARN";
  if (!write(path, uninstallScriptText(installDir, facts, dateLine()), facts, 0755)) {
    logMsg(kCannotOpenFile, path.c_str());
    return 0;
  }
  logMsg(kCreatedScript, path.c_str());
  return 1;
}

int writeDesktopEntry(const std::string& installDir, const ScriptFacts& facts) {
  std::string path = orDefault(installDir) + "/etc/Jarn2.0.desktop";
  if (!write(path, desktopEntryText(installDir), facts, 0644)) {
    logMsg(kCannotCreateFile, path.c_str());
    return 0;
  }
  logMsg(kCreateDesktop, path.c_str());
  return 1;
}

}  // namespace inst
