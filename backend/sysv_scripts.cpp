// Script-driven queues: the script texts (one table of templates), their
// writers, the device nodes, the spool owner, and the spooler commands that
// create such queues.
#include "sysv_scripts.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <utility>

#include "atomic_file.h"
#include "command_formats.h"
#include "fs_root.h"
#include "process_runner.h"
#include "queue_commands.h"
#include "queue_name.h"
#include "report.h"
#include "setup_state.h"
#include "system_detection.h"
#include "trace.h"

namespace {

// ---------------------------------------------------------------------------
// The script texts. "@KEY@" marks where a value goes; every value is put in
// as one shell word quoted by shellQuote (or a fixed keyword), so that no name or
// path is ever read as shell text.

const char kQueueScript[] = R"SH(#!/bin/sh
#
@KIND_LINE@
# Created at @CREATED@
#
#Because we don't want any arguments to interfere
#we skip all of them
#
# Uncomment the following line for debugging info in the logfile
# set -x
#
nshift=`expr $# - 1`
if [ "$nshift" -gt 0 ] ; then
shift "$nshift"
fi
#
@PROGRAM@ "$1"
exit $?
)SH";

const char kQueueScriptLocal[] = "# Script for Jarn 2.0 Local Queues.";
const char kQueueScriptLogical[] = "# Script for Jarn 2.0 Logical Queues.";

const char kInterfaceScript[] = R"SH(#!/bin/sh
#
# System V interface script of a Jarn 2.0 queue.
# Created at @CREATED@
#
# Uncomment the following line for debugging info in the logfile
# set -x
#
NAME=@NAME@
TYPE=Dumb
MBOPT=		# no mailbox option
MBPROOF=	# no proofcopy option
WDIR=@WDIR@
LOGDIR=@LOGDIR@
FILTER=@FILTER@
disp=":0"
opts="none"
xhost=""
interactive=""

#
# System V error messages
#
E_IP_ARGS=1
E_IP_OPTS=2
E_IP_FILTER=3
E_IP_STTY=4
E_IP_UNKNOWN=5
E_IP_BADFILE=6
E_IP_BADCHARSET=7
E_IP_BADCPI=8
E_IP_BADLPI=9
E_IP_BADWIDTH=10
E_IP_BADLENGTH=11
E_IP_ERRORS=12

errmsg () {
	case "$1" in
	ERROR )
		sev="  ERROR"
		;;
	WARNING )
		sev="WARNING"
		;;
	esac
	printf '%s\n' "UX:lp:${sev}: $2" >&2
}

AddOption () {
	if [ "$opts" = "none" ] ; then
		opts="$1"
	else
		opts="$opts,$1"
	fi
}

isNumber () {
	case "$1" in
	""|*[!0-9]*)
		return 1
		;;
	esac
	return 0
}

ParseOptions () {
	rest="$1"
	while [ -n "$rest" ] ; do
		case "$rest" in
		*" "*)
			word=${rest%% *}
			rest=${rest#* }
			;;
		*)
			word="$rest"
			rest=""
			;;
		esac
		case "$word" in
		"")
			;;
		c[0-9]*)
			interactive="${word#c}"
			;;
		mbf=*)
			if isNumber "${word#mbf=}" ; then MBOPT="-MBF=${word#mbf=}" ; else AddOption "$word" ; fi
			;;
		MBF=*)
			if isNumber "${word#MBF=}" ; then MBOPT="-MBF${word#MBF=}" ; else AddOption "$word" ; fi
			;;
		mbu=*)
			if isNumber "${word#mbu=}" ; then MBOPT="-MBU=${word#mbu=}" ; else AddOption "$word" ; fi
			;;
		mbp|MBP)
			MBPROOF="-MBP"
			;;
		mbu|MBU)
			MBOPT="-MBU"
			;;
		H?*)
			xhost="${word#H}"
			;;
		*)
			AddOption "$word"
			;;
		esac
	done
}

getTrueUserName () {
	case "$1" in
	*@*)
		printf '%s\n' "${1%%@*}"
		;;
	*!*)
		printf '%s\n' "${1##*!}"
		;;
	*)
		printf '%s\n' "$1"
		;;
	esac
}

@RUN_FUNCTION@

#
# printer-name seq-id user title copies options file ...
#
if [ "$#" -lt 5 ] ; then
	errmsg ERROR "wrong number of arguments to the interface program"
	exit "$E_IP_ARGS"
fi
printer="${0##*/}"
seqid="$1"
username=`getTrueUserName "$2"`
title=`printf '%s\n' "$3" | tr ' ' '-'`
copies="$4"
options="$5"
shift 5
ParseOptions "$options"

# The log file: one per queue and user, in the spool account's directory.
logname=`printf '%s\n' "$username" | tr -c 'A-Za-z0-9._@\n-' '_'`
LOGFILE="$LOGDIR/$NAME$logname.log"
if [ ! -d "$LOGDIR" ] || [ ! -w "$LOGDIR" ] ; then
	LOGFILE=/dev/null
fi

JARNPRINTERNAME="$printer"
JARNSEQID="$seqid"
JARNUSERNAME="$username"
JARNCOPIES="$copies"
if [ -n "$title" ] ; then
	JARNTITLE="$title"
elif [ -n "$options" ] ; then
	JARNTITLE="$options"
else
	JARNTITLE="$username-$seqid"
fi
export JARNPRINTERNAME JARNSEQID JARNUSERNAME JARNCOPIES JARNTITLE

if [ -n "$xhost" ] ; then
	DISPLAY="$xhost$disp"
	export DISPLAY
fi

if isNumber "$copies" && [ "$copies" -gt 1 ] ; then
	AddOption "nc=$copies"
fi

stat=0
if [ "$#" -eq 0 ] ; then
	runFilter
	stat=$?
else
	for file in "$@" ; do
		runFilter "$file"
		stat=$?
	done
fi
exit "$stat"
)SH";

// How the interface script runs one job file (or standard input).
const char kRunLogical[] = R"SH(runFilter () {
	if [ "$opts" = "none" ] ; then
		"$FILTER" "-n$username" ${MBOPT:+"$MBOPT"} ${MBPROOF:+"$MBPROOF"} "$@" 2>>"$LOGFILE"
	else
		"$FILTER" "-n$username" ${MBOPT:+"$MBOPT"} ${MBPROOF:+"$MBPROOF"} -o"${opts}" "$@" 2>>"$LOGFILE"
	fi
})SH";

const char kRunLocal[] = R"SH(runFilter () {
	"$FILTER" "$@" 2>>"$LOGFILE"
})SH";

const char kDispatcherScript[] = R"SH(#!/bin/sh
#
# Generic script for the Qor dispatcher Jarn program.
# Created at @CREATED@
#
# The dispatcher program needs JARNPRINTERNAME (the queue) and LPMODE:
# "LP" for System V, "LPR" for BSD, "CUPS" for CUPS.
#
PREPATH=@PREPATH@
JARNPRINTERNAME=@NAME@
LPMODE=@LPMODE@
JARNINFO="$PREPATH/jarnInfo2.0"
JARNTMPDIR=@TMPDIR@
JARNWORKDIR="$PREPATH"
JARNHOMEDIR="$PREPATH"
@SETTINGS@opts="none"

AddOption () {
	if [ "$opts" = "none" ] ; then
		opts="$1"
	else
		opts="$opts,$1"
	fi
}

strLen () {
	printf '%s\n' "${#1}"
}

# The position of the first comma (2..24), 0 when there is none there.
getPos () {
	head="${1%%,*}"
	if [ "$head" = "$1" ] ; then
		echo 0
		return
	fi
	pos=`expr "${#head}" + 1`
	if [ "$pos" -lt 2 ] || [ "$pos" -gt 24 ] ; then
		echo 0
	else
		echo "$pos"
	fi
}

export PREPATH JARNPRINTERNAME LPMODE JARNINFO JARNTMPDIR JARNWORKDIR JARNHOMEDIR@EXPORTS@

case "$LPMODE" in
CUPS)
	MOPT=-M3
	;;
LPRNG)
	MOPT=-M2
	;;
LPR)
	MOPT=-M1
	;;
LP)
	MOPT=-M0
	;;
AIX)
	MOPT=-M4
	;;
*)
	MOPT=-M0
	;;
esac

"$PREPATH/dispatcherObel" "-p$JARNPRINTERNAME" "$MOPT"@OPTIONS@ "$@"
stat=$?
exit "$stat"
)SH";

// The dispatcher's option for the queue's data type.
struct TypeOption {
  int printerType;
  const char* option;
};
const TypeOption kDispatcherTypeOptions[] = {
    {kTypePostScript, "-TPS"}, {kTypePcl, "-TPCL"}, {kTypePclXl, "-TPXL"},
    {kTypeKrpa, "-TKRPA"},     {kTypeRaw, "-TRAW"},
};

// The spooler commands that create a script-driven queue.
const char kCupsScriptQueue[] = "%s -p %s -v file:%s -i %s -D \"Jarn 2.0 Queue\" 2>/dev/null";
const char kCupsScriptQueueNoDevice[] =
    "%s -p %s -v file:/dev/null -i %s -D \"Jarn 2.0 Queue\" -o printer-error-policy=retry-job 2>/dev/null";
const char kSysvScriptQueue[] = "%s -p%s -v%s -m%s 2>/dev/null";
const char kSysvScriptQueueNoDevice[] = "%s -p%s -v/dev/null -m%s 2>/dev/null";

// Titles and texts of the messages and questions.
const char kTitleConfigFile[] = "Configuration File";
const char kTitleConfigProblem[] = "Configuration Problem";
const char kAskReplaceScript[] = "Script '%s' exists!\nCreate new file?";
const char kAskReplaceModel[] = "Model '%s' exists!\nCreate new file?";
const char kCannotCreateFile[] = "Cannot create file:\n%s";
const char kBadQueueName[] = "The queue name '%s'\ncannot name a script file.";
const char kNoModelDir[] = "No model directory found\nfor the interface script of '%s'.";
const char kNoNullNumbers[] = "Cannot create device:\n%s\nThe device numbers of /dev/null are unknown.";
const char kDeviceExists[] = "Cannot create device:\n%s\nA different file of that name exists.";
const char kCannotCreateDevice[] = "Cannot create device:\n%s";
const char kBadDeviceName[] = "Cannot create device:\n%s\nThe name is not a device name.";
const char kCupsRefusesScripts[] =
    "This CUPS (version %d) no longer takes\nSystem V interface scripts.\nThe queue '%s' was left as it is.";
const char kSpoolerRefused[] = "The spooler refused the interface script\nof the queue '%s'.\nThe queue was left as it is.";

// The model directories of System V spoolers, first existing wins.
const char* const kSysvModelDirs[] = {"/usr/spool/lp/model", "/var/spool/lp/model", "/usr/lib/lp/model"};

constexpr int kFirstCupsWithoutScripts = 2200;
constexpr mode_t kScriptMode = 0755;
constexpr mode_t kDeviceMode = 0666;

int nullMajor = -1;
int nullMinor = -1;

// ---------------------------------------------------------------------------

// Puts each value in place of its "@KEY@" in one pass over the template:
// the text of a value is never looked at again, so a value that holds
// "@KEY@" stays as it is. An "@" that opens no known key is copied.
std::string fillTemplate(const std::string& text, const std::vector<std::pair<std::string, std::string>>& values) {
  std::string out;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t open = text.find('@', pos);
    if (open == std::string::npos) break;
    out.append(text, pos, open - pos);
    size_t close = text.find('@', open + 1);
    const std::string* value = nullptr;
    if (close != std::string::npos) {
      std::string key = text.substr(open + 1, close - open - 1);
      for (const auto& kv : values) {
        if (kv.first == key) value = &kv.second;
      }
    }
    if (value) {
      out += *value;
      pos = close + 1;
    } else {
      out += '@';
      pos = open + 1;
    }
  }
  out.append(text, pos, std::string::npos);
  return out;
}

std::string sprintf1(const char* format, const std::string& value) {
  return formatCommandText(format, {FormatArg(value)});
}

std::string joinPath(const std::string& dir, const std::string& name) {
  if (dir.empty() || dir.back() == '/') return dir + name;
  return dir + "/" + name;
}

std::string nowText() {
  std::time_t now = std::time(nullptr);
  char buf[64] = "";
  if (ctime_r(&now, buf) == nullptr) return std::string();
  std::string text = buf;
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  return text;
}

bool exists(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0;
}

bool isDirectory(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

enum class WriteResult { Written, Declined, Failed };

// Writes one script (mode 0755), asking first when the file exists.
WriteResult writeScript(const std::string& path, const std::string& text, const std::string& question) {
  if (exists(path) && !askQuestionBox(kTitleConfigFile, "Yes", "No", question)) return WriteResult::Declined;
  AtomicWriteOptions options;
  options.mode = kScriptMode;
  std::string error;
  if (!writeFileAtomic(path, text, options, &error)) {
    tracef("%s\n", error.c_str());
    doMessage(kMsgError, kTitleConfigFile, sprintf1(kCannotCreateFile, path));
    return WriteResult::Failed;
  }
  return WriteResult::Written;
}

std::string tool(int slot, const char* bare) {
  const std::string& path = setup().toolPaths[slot];
  return path.empty() ? std::string(bare) : path;
}

// A value shown in a command text the way a shell would need it.
FormatArg shown(const std::string& value) { return FormatArg(shellQuote(value), value); }

std::string logDirectory() {
  const SysvScriptSettings& settings = sysvSettings();
  if (!settings.logDir.empty()) return settings.logDir;
  return joinPath(setup().userDir, ".jarnlog");
}

// Makes the log directory (0755, the spool account's) when it is missing.
void makeLogDirectory(const std::string& dir) {
  if (dir.empty() || isDirectory(dir)) return;
  if (::mkdir(dir.c_str(), 0755) != 0) {
    tracef("Cannot create log directory %s: %s\n", dir.c_str(), std::strerror(errno));
    return;
  }
  ::chmod(dir.c_str(), 0755);
  setSpoolOwner(dir);
}

// The path of a device node name, "" when the name is not one.
std::string deviceNodePath(const std::string& name) {
  std::string rel = name.compare(0, 5, "/dev/") == 0 ? name.substr(5) : name;
  if (rel.empty() || rel[0] == '/' || rel.back() == '/') return std::string();
  if (name.compare(0, 5, "/dev/") != 0 && rel.find('/') != std::string::npos) return std::string();
  size_t start = 0;
  while (start <= rel.size()) {
    size_t end = rel.find('/', start);
    std::string part = rel.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (part.empty() || part == "." || part == "..") return std::string();
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return "/dev/" + rel;
}

std::string interfaceFilePath(const std::string& queue) {
  const SetupState& s = setup();
  if (s.cupsDir.empty()) return rootedPath("/etc/cups/interfaces/" + queue);
  return joinPath(s.cupsDir, "etc/cups/interfaces/" + queue);
}

}  // namespace

SysvScriptSettings& sysvSettings() {
  static SysvScriptSettings settings;
  return settings;
}

bool isScriptQueueName(const std::string& queue) {
  if (queue.empty() || queue == "." || queue == "..") return false;
  for (unsigned char c : queue) {
    if (c == '/' || c < 32 || c == 127) return false;
  }
  return true;
}

std::string queueScriptText(int kind, const std::string& program, const std::string& created) {
  return fillTemplate(kQueueScript, {
                                        {"KIND_LINE", kind == kScriptLocal ? kQueueScriptLocal : kQueueScriptLogical},
                                        {"CREATED", created},
                                        {"PROGRAM", shellQuote(program.empty() ? "cat" : program)},
                                    });
}

std::string interfaceScriptText(const std::string& queue, const std::string& program, int kind,
                                const std::string& logDir, const std::string& created) {
  bool local = kind == kScriptLocal;
  return fillTemplate(kInterfaceScript, {
                                            {"CREATED", created},
                                            {"RUN_FUNCTION", local ? kRunLocal : kRunLogical},
                                            {"NAME", shellQuote(queue)},
                                            {"WDIR", shellQuote(setup().userDir)},
                                            {"LOGDIR", shellQuote(logDir)},
                                            {"FILTER", shellQuote(local || program.empty() ? "cat" : program)},
                                        });
}

std::string dispatcherScriptText(const std::string& queue, const std::string& extraOptions,
                                 const std::string& created) {
  const SetupState& s = setup();
  const SysvScriptSettings& settings = sysvSettings();
  std::string lpMode = s.lpMode == kLpCups ? "CUPS" : s.lpMode == kLpBsd ? "LPR" : "LP";
  std::string vars;
  std::string exports;
  auto add = [&](const std::string& name, const std::string& value) {
    vars += name + "=" + value + "\n";
    exports += " " + name;
  };
  if (settings.colourDevice) add("JARNCLRDEV", "1");
  if (settings.outputUesc) add("QOROUTUESC", "0");
  if (settings.outputNoPjl) add("QOROUTNOPJL", "1");
  if (s.cupsFound) {
    add("JARNCUPSDIR", shellQuote(s.cupsDir));
    add("JARNCUPSBINDIR", shellQuote(s.cupsBinDir));
  }
  std::string options;
  for (const TypeOption& t : kDispatcherTypeOptions) {
    if (t.printerType == s.printerType) options += std::string(" ") + t.option;
  }
  // The extra options are words of their own, each passed on literally.
  size_t pos = 0;
  while ((pos = extraOptions.find_first_not_of(" \t", pos)) != std::string::npos) {
    size_t end = extraOptions.find_first_of(" \t", pos);
    options += " " + shellQuote(extraOptions.substr(pos, end == std::string::npos ? std::string::npos : end - pos));
    pos = end;
  }
  return fillTemplate(kDispatcherScript, {
                                             {"CREATED", created},
                                             {"PREPATH", shellQuote(s.userDir)},
                                             {"NAME", shellQuote(queue)},
                                             {"LPMODE", lpMode},
                                             {"TMPDIR", shellQuote(s.tmpDir)},
                                             {"SETTINGS", vars},
                                             {"EXPORTS", exports},
                                             {"OPTIONS", options},
                                         });
}

int writeQueueScript(const std::string& queue, std::string* path, int kind) {
  const SetupState& s = setup();
  std::string target = joinPath(s.userDir, queue + ".sh");
  if (!isScriptQueueName(queue) || s.userDir.empty()) {
    doMessage(kMsgCorrectable, kTitleConfigFile, sprintf1(kBadQueueName, queue));
    return 0;
  }
  std::string text = queueScriptText(kind, sysvSettings().outputProgram, nowText());
  if (writeScript(target, text, sprintf1(kAskReplaceScript, target)) != WriteResult::Written) return 0;
  if (path) *path = target;
  return 1;
}

int getDeviceNumbers(const std::string& path, int* major, int* minor) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0 || !(S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode))) {
    std::fprintf(stderr, "Cannot open %s\n", path.c_str());
    *major = -1;
    *minor = -1;
    return 0;
  }
  *major = static_cast<int>(::major(st.st_rdev));
  *minor = static_cast<int>(::minor(st.st_rdev));
  return 1;
}

int getNullDeviceNumbers() { return getDeviceNumbers(rootedPath("/dev/null"), &nullMajor, &nullMinor); }
int nullDeviceMajor() { return nullMajor; }
int nullDeviceMinor() { return nullMinor; }

void spoolAccount(std::string* user, std::string* group) {
  const SetupState& s = setup();
  const char* account = "daemon";
  const char* accountGroup = nullptr;
  if (s.lpMode == kLpLprng) {
    account = "daemon";
  } else if (s.lpMode == kLpCups) {
    account = "root";
  } else {
    switch (s.osKind) {
      case 1: case 3: case 9: case 11: account = "lp"; break;
      case 4: case 7: account = "bin"; break;
      case 5: account = "print"; break;
      case 10: account = "root"; accountGroup = "bin"; break;
      default: account = "daemon"; break;
    }
  }
  *user = account;
  *group = accountGroup ? accountGroup : account;
}

int setSpoolOwner(const std::string& path) {
  std::string user;
  std::string groupName;
  spoolAccount(&user, &groupName);
  const passwd* pw = ::getpwnam(user.c_str());
  const struct group* gr = ::getgrnam(groupName.c_str());
  uid_t uid = pw ? pw->pw_uid : 0;
  gid_t gid = gr ? gr->gr_gid : 0;
  return ::chown(path.c_str(), uid, gid);
}

std::string modelDirectory() {
  const SetupState& s = setup();
  std::vector<std::string> candidates;
  if (s.lpMode == kLpCups) {
    if (!s.toolPaths[kToolCupsDataDir].empty()) candidates.push_back(joinPath(s.toolPaths[kToolCupsDataDir], "model"));
    if (!s.cupsBinDir.empty()) candidates.push_back(joinPath(s.cupsBinDir, "share/cups/model"));
  } else {
    for (const char* d : kSysvModelDirs) candidates.push_back(rootedPath(d));
  }
  for (const std::string& c : candidates) {
    if (isDirectory(c)) return c;
  }
  return std::string();
}

int writeInterfaceScript(const std::string& queue, const std::string& program, int kind, std::string* path) {
  if (!isScriptQueueName(queue)) {
    doMessage(kMsgCorrectable, kTitleConfigFile, sprintf1(kBadQueueName, queue));
    return 0;
  }
  std::string dir = modelDirectory();
  if (dir.empty()) {
    doMessage(kMsgError, kTitleConfigFile, sprintf1(kNoModelDir, queue));
    return 0;
  }
  std::string target = joinPath(dir, queue);
  std::string logDir = logDirectory();
  makeLogDirectory(logDir);
  std::string text = interfaceScriptText(queue, program, kind, logDir, nowText());
  if (writeScript(target, text, sprintf1(kAskReplaceModel, queue)) != WriteResult::Written) return 0;
  if (path) *path = target;
  return 1;
}

int writeLocalInterfaceScript(const std::string& queue) { return writeInterfaceScript(queue, "", kScriptLocal); }

int writeLogicalInterfaceScript(const std::string& queue, const std::string& program) {
  return writeInterfaceScript(queue, program, kScriptLogical);
}

int makeDeviceNode(const std::string& name) {
  std::string node = deviceNodePath(name);
  if (node.empty()) {
    doMessage(kMsgCorrectable, kTitleConfigProblem, sprintf1(kBadDeviceName, name));
    return 0;
  }
  std::string path = rootedPath(node);
  if (!getNullDeviceNumbers()) {
    doMessage(kMsgError, kTitleConfigProblem, sprintf1(kNoNullNumbers, node));
    return 0;
  }
  dev_t wanted = ::makedev(static_cast<unsigned>(nullMajor), static_cast<unsigned>(nullMinor));
  struct stat st;
  if (::lstat(path.c_str(), &st) == 0) {
    if (S_ISCHR(st.st_mode) && st.st_rdev == wanted) return 1;
    doMessage(kMsgError, kTitleConfigProblem, sprintf1(kDeviceExists, node));
    return 0;
  }
  if (::mknod(path.c_str(), S_IFCHR | kDeviceMode, wanted) != 0 || ::chmod(path.c_str(), kDeviceMode) != 0) {
    tracef("mknod(%s): %s\n", path.c_str(), std::strerror(errno));
    doMessage(kMsgError, kTitleConfigProblem, sprintf1(kCannotCreateDevice, node));
    return 0;
  }
  return 1;
}

bool cupsRefusesInterfaceScripts() { return setup().cupsVersion >= kFirstCupsWithoutScripts; }

int createScriptQueue(const std::string& queue, const std::string& device, int kind) {
  const SetupState& s = setup();
  const SysvScriptSettings& settings = sysvSettings();
  if (!reportQueueName(queue)) return 0;
  if (!isScriptQueueName(queue)) {
    doMessage(kMsgCorrectable, kTitleConfigFile, sprintf1(kBadQueueName, queue));
    return 0;
  }
  if ((kind & kScriptRunPreCommand) && !settings.preCommand.empty()) {
    std::string text;
    for (const std::string& w : settings.preCommand) text += (text.empty() ? "" : " ") + shellQuote(w);
    runSpoolerCommand(Command(settings.preCommand, text));
  }
  std::string lpadmin = tool(kToolLpadmin, "lpadmin");
  Command cmd;
  if (s.lpMode == kLpCups) {
    if (cupsRefusesInterfaceScripts()) {
      doMessage(kMsgError, kTitleConfigProblem,
                formatCommandText(kCupsRefusesScripts, {FormatArg(s.cupsVersion), FormatArg(queue)}));
      return 0;
    }
    std::string dir = modelDirectory();
    if (dir.empty()) {
      doMessage(kMsgError, kTitleConfigFile, sprintf1(kNoModelDir, queue));
      return 0;
    }
    std::string script = joinPath(dir, queue);
    cmd = device.empty() ? commandFromFormat(kCupsScriptQueueNoDevice, {lpadmin, shown(queue), shown(script)})
                         : commandFromFormat(kCupsScriptQueue, {lpadmin, shown(queue), shown(device), shown(script)});
  } else {
    if (!device.empty()) makeDeviceNode(device);
    cmd = device.empty() ? commandFromFormat(kSysvScriptQueueNoDevice, {lpadmin, shown(queue), shown(queue)})
                         : commandFromFormat(kSysvScriptQueue, {lpadmin, shown(queue), shown(device), shown(queue)});
  }
  if (runSpoolerCommand(cmd) != 0) {
    doMessage(kMsgError, kTitleConfigProblem, sprintf1(kSpoolerRefused, queue));
    return 0;
  }
  enableQueue(queue);
  return 1;
}

int createLogicalQueue(const std::string& queue, const std::string& program) {
  if (setup().lpMode != kLpCups || !reportQueueName(queue)) return 0;
  std::string prog = program.empty() ? "cat" : program;
  std::string dir = modelDirectory();
  std::string model = dir.empty() ? std::string() : joinPath(dir, queue);
  bool usable = !model.empty() && ::access(model.c_str(), R_OK | X_OK) == 0;
  if (!usable) {
    int written = prog == "cat" ? writeLocalInterfaceScript(queue) : writeLogicalInterfaceScript(queue, prog);
    if (!written) return 0;
  }
  return createScriptQueue(queue, "", kScriptLocal);
}

int checkCupsInterface(const std::string& queue, int kind) {
  SetupState& s = setup();
  std::string path = interfaceFilePath(queue);
  tracef("Checking CUPS: %s\n", path.c_str());
  if (exists(path)) return 1;
  tracef("No file: %s\n", path.c_str());
  std::string dir = path.substr(0, path.rfind('/'));
  struct stat st;
  int rc = ::stat(dir.c_str(), &st);
  tracef("stat(%s) = %d; access = %o\n", dir.c_str(), rc, rc == 0 ? static_cast<unsigned>(st.st_mode & 07777) : 0u);
  // The queue is set up again in place (lpadmin -p changes an existing
  // queue), so it is never deleted, and the interfaces directory keeps its mode.
  std::string device = s.connectType == kConnectLocal ? s.deviceName
                       : s.connectType == kConnectFile ? s.fileName
                                                        : queue;
  if (!createScriptQueue(queue, device, kind)) return 0;
  tracef("Re-created %s\n", queue.c_str());
  return 1;
}

int MakeLogicalQue(const std::string& queue, const std::string& extraOptions) {
  const SetupState& s = setup();
  if (s.lpMode != kLpSysV && s.lpMode != kLpBsd && s.lpMode != kLpCups) {
    tracef("MakeLogicalQue LPMODE=%d Unknown\n", s.lpMode);
    return 0;
  }
  if (!isScriptQueueName(queue) || s.userDir.empty()) {
    doMessage(kMsgCorrectable, kTitleConfigFile, sprintf1(kBadQueueName, queue));
    return 0;
  }
  std::string dispatcher = joinPath(s.userDir, queue + ".sh");
  tracef("DISP:%s,WORK:%s\n", dispatcher.c_str(), s.userDir.c_str());
  int interface = writeLogicalInterfaceScript(queue, dispatcher);
  std::string text = dispatcherScriptText(queue, extraOptions, nowText());
  bool written = writeScript(dispatcher, text, sprintf1(kAskReplaceScript, dispatcher)) == WriteResult::Written;
  return interface && written ? 1 : 0;
}
