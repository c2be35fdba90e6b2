// jarnctl subcommands for the back end's periphery: the device
// authentication exchange, the System V queue scripts and the printer URI
// look-up over IPP.
//
//   jarnctl krpa HOST ID SECRET        prints "verdict N" and "status N";
//       "no host" or "no connection" (exit status 1) when no request was sent
//   jarnctl sysv-scripts QUEUE [PROGRAM]
//       writes the interface script and the per-queue script (local without
//       PROGRAM, logical with it) and prints their paths. The directories
//       come from JARNUSERDIR, JARNTMPDIR, JARNCUPSDIR and JARNCUPSBINDIR, the
//       spooler from QORLPMODE or JARNLPMODE (System V when neither is set).
//   jarnctl printer-uri NAME
//       looks NAME up on the CUPS server (CUPS_SERVER) and prints "host H",
//       "port N" and "resource R"; exit status 1 when nothing was found.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <cups/cups.h>

#include "device_auth.h"
#include "printer_uri.h"
#include "jarnctl.h"
#include "setup_state.h"
#include "sysv_scripts.h"
#include "system_detection.h"

namespace {

// A 32-bit number in decimal, octal or hex (0x) form.
bool parseNumber32(const std::string& text, uint32_t* value) {
  if (text.empty()) return false;
  errno = 0;
  char* end = nullptr;
  unsigned long long v = std::strtoull(text.c_str(), &end, 0);
  if (errno != 0 || *end != '\0' || v > 0xffffffffull || text[0] == '-') return false;
  *value = static_cast<uint32_t>(v);
  return true;
}

int krpa(const JarnctlArgs& args) {
  uint32_t identity = 0;
  uint32_t secret = 0;
  if (args.size() != 3 || !parseNumber32(args[1], &identity) || !parseNumber32(args[2], &secret)) {
    return jarnctlUsage("krpa");
  }
  int status = -1;
  int verdict = krpaAuthenticate(args[0], identity, secret, &status, 1);
  if (verdict < 0) return jarnctlFail("no reply from " + args[0]);
  if (status == kKrpaStatusNoHost) return jarnctlFail("no host '" + args[0] + "'");
  if (status == kKrpaStatusNoConnection) return jarnctlFail("no connection to " + args[0]);
  std::printf("verdict %d\nstatus %d\n", verdict, status);
  return 0;
}

}  // namespace

JARNCTL_COMMAND("krpa", "HOST ID SECRET", krpa);

namespace {

std::string envOr(const char* name, const std::string& fallback) {
  const char* v = std::getenv(name);
  return v && *v ? std::string(v) : fallback;
}

int sysvScripts(const JarnctlArgs& args) {
  if (args.empty() || args.size() > 2) return jarnctlUsage("sysv-scripts");
  SetupState& s = setup();
  s.userDir = envOr("JARNUSERDIR", "");
  if (s.userDir.empty()) return jarnctlFail("JARNUSERDIR names no directory");
  s.tmpDir = envOr("JARNTMPDIR", "/tmp");
  int request = getLpModeFromEnv();
  takeCupsEnvironment(&request);
  s.lpMode = request ? request : kLpSysV;
  if (s.lpMode == kLpCups) s.toolPaths[kToolCupsDataDir] = getCupsDataDir("datadir");
  const std::string& queue = args[0];
  bool logical = args.size() == 2;
  sysvSettings().outputProgram = logical ? args[1] : "cat";
  std::string interfacePath;
  std::string queuePath;
  int ok = logical ? writeInterfaceScript(queue, args[1], kScriptLogical, &interfacePath)
                   : writeInterfaceScript(queue, "", kScriptLocal, &interfacePath);
  if (ok) std::printf("%s\n", interfacePath.c_str());
  int ok2 = writeQueueScript(queue, &queuePath, logical ? kScriptLogical : kScriptLocal);
  if (ok2) std::printf("%s\n", queuePath.c_str());
  return ok && ok2 ? 0 : jarnctlFail("not every script was written");
}

}  // namespace

JARNCTL_COMMAND("sysv-scripts", "QUEUE [PROGRAM]", sysvScripts);

namespace {

int printerUri(const JarnctlArgs& args) {
  if (args.size() != 1) return jarnctlUsage("printer-uri");
  http_t* http = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, 30000, nullptr);
  if (!http) return jarnctlFail(std::string("cannot connect to ") + cupsServer());
  std::string host;
  std::string resource;
  int port = 0;
  int found = cupsGetPrinterUri(http, args[0], &host, &port, &resource, 0);
  httpClose(http);
  if (!found) return jarnctlFail("no printer URI for " + args[0]);
  std::printf("host %s\nport %d\nresource %s\n", host.c_str(), port, resource.c_str());
  return 0;
}

}  // namespace

JARNCTL_COMMAND("printer-uri", "NAME", printerUri);
