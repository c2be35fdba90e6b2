// Installation and release paths.
#include "install_paths.h"

#include <sys/stat.h>

#include <cctype>
#include <vector>

namespace inst {
namespace {

constexpr size_t kPathMax = 255;

// System directories that are never an installation directory, besides "/"
// and every top-level directory.
const char* const kSystemDirs[] = {
    "/usr/bin", "/usr/sbin", "/usr/lib", "/usr/lib32", "/usr/lib64", "/usr/libx32", "/usr/libexec",
    "/usr/include", "/usr/share", "/usr/src", "/usr/games", "/usr/local", "/usr/local/bin",
    "/usr/local/sbin", "/usr/local/lib", "/usr/local/include", "/usr/local/share",
    "/usr/local/src", "/usr/local/etc", "/usr/local/man", "/usr/local/games", "/var/lib",
    "/var/log", "/var/tmp", "/var/spool", "/var/cache", "/var/run", "/var/lock", "/var/mail",
    "/var/opt", "/var/local", "/var/backups", "/var/www", "/var/mail"};

bool allowedChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '_' || c == '+' ||
         c == '-' || c == '/';
}

// True when no part of the absolute path is empty, "." or "..".
bool normalised(const std::string& path) {
  size_t pos = 1;
  while (pos <= path.size()) {
    size_t end = path.find('/', pos);
    if (end == std::string::npos) end = path.size();
    std::string part = path.substr(pos, end - pos);
    if (part.empty() || part == "." || part == "..") return false;
    pos = end + 1;
  }
  return true;
}

}  // namespace

bool checkInstallDir(const std::string& dir, std::string* checked) {
  std::string p = dir;
  if (p.size() > 1 && p.back() == '/') p.pop_back();
  if (p.empty() || p[0] != '/' || p.size() > kPathMax || p == "/") return false;
  for (char c : p)
    if (!allowedChar(c)) return false;
  if (!normalised(p)) return false;
  if (p.find('/', 1) == std::string::npos) return false;  // a top-level directory
  for (const char* sys : kSystemDirs)
    if (p == sys) return false;
  *checked = p;
  return true;
}

std::string getSourceDir(const std::string& argv0, const std::string& cwd) {
  std::string dir = cwd;
  if (!argv0.empty() && argv0[0] == '/') {
    size_t slash = argv0.rfind('/');
    dir = slash == 0 ? argv0 : argv0.substr(0, slash);
  }
  if (dir == "/opt/bry/bin") dir = "/opt/bry";
  return dir;
}

bool notWritableByOthers(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && (st.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

bool releaseFileTrusted(const std::string& file, const std::string& dir, const std::string& subdir) {
  if (!notWritableByOthers(file) || !notWritableByOthers(dir)) return false;
  struct stat st;
  if (!subdir.empty() && ::stat(subdir.c_str(), &st) == 0) return notWritableByOthers(subdir);
  return true;
}

}  // namespace inst
