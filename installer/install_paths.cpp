// Installation and release paths.
#include "install_paths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <vector>

#include "messages.h"

namespace inst {
namespace {

constexpr size_t kPathMax = 255;

// System trees: neither they nor any directory under them is ever an
// installation directory ("/lib" stands for every "/lib*").
const char* const kSystemTrees[] = {"/etc", "/var", "/bin", "/sbin", "/lib", "/boot", "/dev",
                                    "/proc", "/sys", "/run", "/tmp", "/usr"};

// True when `path` is `tree` or lies under it; "/lib" matches "/lib64" too.
bool inTree(const std::string& path, const std::string& tree) {
  if (path.compare(0, tree.size(), tree) != 0) return false;
  if (path.size() == tree.size() || path[tree.size()] == '/') return true;
  if (tree != "/lib") return false;
  size_t end = path.find('/', 1);
  return end == std::string::npos || end > tree.size();
}

// /usr/local/NAME (and below) is the one place under /usr an installation
// may have, NAME not being one of /usr/local's own directories.
bool ownDirUnderUsrLocal(const std::string& path) {
  static const char* const kLocalOwn[] = {"bin", "sbin", "lib", "lib32", "lib64", "libexec", "include",
                                          "share", "src", "etc", "man", "games"};
  const std::string local = "/usr/local/";
  if (path.compare(0, local.size(), local) != 0 || path.size() == local.size()) return false;
  std::string name = path.substr(local.size(), path.find('/', local.size()) - local.size());
  for (const char* own : kLocalOwn)
    if (name == own) return false;
  return true;
}

// The first part of the path that exists and is a symbolic link; "" when
// none is.
std::string linkComponent(const std::string& path) {
  for (size_t end = path.find('/', 1);; end = path.find('/', end + 1)) {
    struct stat st;
    std::string part = path.substr(0, end);
    if (::lstat(part.c_str(), &st) != 0) return std::string();  // the rest is to be made
    if (S_ISLNK(st.st_mode)) return part;
    if (end == std::string::npos) return std::string();
  }
}

bool allowedChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '_' || c == '+' ||
         c == '-' || c == '/';
}

}  // namespace

bool hasPlainParts(const std::string& path) {
  size_t pos = !path.empty() && path[0] == '/' ? 1 : 0;
  while (pos <= path.size()) {
    size_t end = path.find('/', pos);
    if (end == std::string::npos) end = path.size();
    std::string part = path.substr(pos, end - pos);
    if (part.empty() || part == "." || part == "..") return false;
    pos = end + 1;
  }
  return true;
}

bool checkInstallDir(const std::string& dir, std::string* checked, std::string* why) {
  std::string p = dir;
  if (p.size() > 1 && p.back() == '/') p.pop_back();
  std::string reason;
  if (p.empty() || p[0] != '/') {
    reason = text(kDirNotAbsolute);
  } else if (p.size() > kPathMax) {
    reason = text(kDirTooLong);
  } else if (!std::all_of(p.begin(), p.end(), allowedChar)) {
    reason = text(kDirBadChars);
  } else if (p == "/" || !hasPlainParts(p)) {
    reason = text(p == "/" ? kDirTopLevel : kDirNotPlain);
  } else if (p.find('/', 1) == std::string::npos) {
    reason = text(kDirTopLevel);
  } else {
    for (const char* tree : kSystemTrees)
      if (reason.empty() && inTree(p, tree) && !ownDirUnderUsrLocal(p))
        reason = format(kDirSystem, p.substr(0, p.find('/', 1)).c_str());
    std::string link = reason.empty() ? linkComponent(p) : std::string();
    if (!link.empty()) reason = format(kDirHasLink, link.c_str());
  }
  if (!reason.empty()) {
    if (why) *why = reason;
    return false;
  }
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
  return ::stat(path.c_str(), &st) == 0 && (st.st_mode & (S_IWGRP | S_IWOTH)) == 0 &&
         (st.st_uid == 0 || st.st_uid == ::getuid());
}

bool releaseFileTrusted(const std::string& file, const std::string& dir, const std::string& subdir) {
  if (!notWritableByOthers(file) || !notWritableByOthers(dir)) return false;
  struct stat st;
  if (!subdir.empty() && ::stat(subdir.c_str(), &st) == 0) return notWritableByOthers(subdir);
  return true;
}

}  // namespace inst
