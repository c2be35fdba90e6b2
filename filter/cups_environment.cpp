// Reading the filter's environment.
#include "cups_environment.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void copyIfSet(const char* name, std::string& field) {
  const char* value = std::getenv(name);
  if (value) field = value;
}

}  // namespace

void readCupsEnvironment(JobSettings& s) {
  copyIfSet("USER", s.systemUser);
  copyIfSet("PRINTER", s.printer);
  if (s.title.empty()) copyIfSet("TITLE", s.title);
  copyIfSet("DEVICE_URI", s.deviceUri);
  copyIfSet("PPD", s.ppdPath);
  copyIfSet("CUPS_SERVER", s.server);
  copyIfSet("SERVER_ADMIN", s.serverAdmin);
  if (s.debugLevel > 0) {
    std::fprintf(stderr, "USER       = '%s'\n", s.systemUser.c_str());
    std::fprintf(stderr, "PRINTER    = '%s'\n", s.printer.c_str());
    std::fprintf(stderr, "TITLE      = '%s'\n", s.title.c_str());
    std::fprintf(stderr, "URI        = '%s'\n", s.deviceUri.c_str());
    std::fprintf(stderr, "PPD        = '%s'\n", s.ppdPath.c_str());
    std::fprintf(stderr, "CUPS SERVER= '%s'\n", s.server.c_str());
    std::fprintf(stderr, "CUPS ADMIN = '%s'\n", s.serverAdmin.c_str());
  }
}
