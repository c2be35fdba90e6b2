// Directory and file routines: printer directories, tree removal, copies,
// temporary files and the home directory.
#include "file_helpers.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include "atomic_file.h"
#include "process_runner.h"
#include "setup_state.h"

namespace {

bool isDirectory(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool exists(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0;
}

std::string join(const std::string& dir, const std::string& name) {
  if (!dir.empty() && dir.back() == '/') return dir + name;
  return dir + "/" + name;
}

int subDirectory(const std::string& directory, const std::string& name, bool verbose,
                 const char* message) {
  if (!isDirectory(directory)) {
    if (verbose) std::fprintf(stderr, message, directory.c_str());
    return -1;
  }
  return isDirectory(join(directory, name)) ? 1 : 0;
}

// Empties the directory open at `dirFd` and closes it; never follows a link.
void removeContents(int dirFd) {
  DIR* dir = ::fdopendir(dirFd);
  if (!dir) {
    ::close(dirFd);
    return;
  }
  while (struct dirent* e = ::readdir(dir)) {
    if (std::strcmp(e->d_name, ".") == 0 || std::strcmp(e->d_name, "..") == 0) continue;
    struct stat st;
    if (::fstatat(dirFd, e->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
    if (S_ISDIR(st.st_mode)) {
      int sub = ::openat(dirFd, e->d_name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
      if (sub >= 0) removeContents(sub);
      ::unlinkat(dirFd, e->d_name, AT_REMOVEDIR);
    } else if (S_ISREG(st.st_mode) || S_ISLNK(st.st_mode)) {
      ::unlinkat(dirFd, e->d_name, 0);
    }
    // Devices, pipes and sockets stay: the final rmdir then fails.
  }
  ::closedir(dir);
}

}  // namespace

int isSubDirectory(const std::string& directory, const std::string& name) {
  return subDirectory(directory, name, true, "No base directory-5 : %s\n");
}

int isSubDirectoryQuiet(const std::string& directory, const std::string& name, int verbose) {
  return subDirectory(directory, name, verbose != 0, "No base directory-4 : %s\n");
}

int makeSubDirectory(const std::string& directory, const std::string& name) {
  int found = isSubDirectory(directory, name);
  if (found != 0) return found == 1 ? 0 : -1;
  std::string path = join(directory, name);
  if (::mkdir(path.c_str(), 0755) != 0) return -1;
  return ::chmod(path.c_str(), 0755);
}

int makeUserDirectory(const std::string& directory, const std::string& user) {
  if (!isSafeEntryName(user)) return -1;  // "..", "a/b": never a directory outside `directory`
  int found = isSubDirectoryQuiet(directory, user, 0);
  if (found != 0) return found == 1 ? 0 : -1;
  std::string path = join(directory, user);
  if (::mkdir(path.c_str(), 0755) != 0) return -1;
  ::chmod(path.c_str(), 0755);
  chownToUser(path, user);
  return 0;
}

int chownToUser(const std::string& path, const std::string& user) {
  uid_t uid = 0;
  gid_t gid = 0;
  std::string name = (user == "Default") ? "root" : user;
  if (struct passwd* pw = ::getpwnam(name.c_str())) {
    uid = pw->pw_uid;
    gid = pw->pw_gid;
  }
  if (name != "root") {
    if (struct group* gr = ::getgrnam(name.c_str())) gid = gr->gr_gid;
  }
  // lchown: a link planted at the path is given away, never its target.
  return ::lchown(path.c_str(), uid, gid);
}

int makeExecutable(const std::string& path) { return ::chmod(path.c_str(), 0755); }

int makeDirectory(const std::string& path, int mode) {
  if (::mkdir(path.c_str(), 0755) != 0) {
    Command mk{{"/bin/mkdir", path}, "/bin/mkdir " + shellQuote(path)};
    int st = runCommand(mk, setup().traceLevel, RunMode::Quiet);
    if (st != 0) return st;
  }
  if (::chmod(path.c_str(), static_cast<mode_t>(mode)) == 0) return 0;
  char octal[16];
  std::snprintf(octal, sizeof octal, "%o", mode);
  Command ch{{"/bin/chmod", octal, path}, std::string("/bin/chmod ") + octal + " " + shellQuote(path)};
  return runCommand(ch, setup().traceLevel, RunMode::Quiet);
}

bool isSafeEntryName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
}

int removeTree(const std::string& path) {
  struct stat st;
  if (path.empty() || ::lstat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
    std::fprintf(stderr, "No base directory-2 : %s\n", path.c_str());
    return -1;
  }
  int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd >= 0) removeContents(fd);
  return ::rmdir(path.c_str());
}

int removeSubTree(const std::string& directory, const std::string& name) {
  if (!isSafeEntryName(name) || isSubDirectoryQuiet(directory, name, 0) != 1) return -1;
  return removeTree(join(directory, name));
}

int listDirectory(const std::string& path) {
  DIR* dir = ::opendir(path.c_str());
  if (!dir) {
    std::fprintf(stderr, "No base directory-1 : %s\n", path.c_str());
    return -1;
  }
  while (struct dirent* e = ::readdir(dir)) {
    if (std::strcmp(e->d_name, ".") == 0 || std::strcmp(e->d_name, "..") == 0) continue;
    struct stat st;
    if (::lstat(join(path, e->d_name).c_str(), &st) != 0) continue;
    if (S_ISDIR(st.st_mode)) std::printf("Directory : %s\n", e->d_name);
    else if (S_ISLNK(st.st_mode)) std::printf("Symb. link: %s\n", e->d_name);
    else std::printf("File      : %s\n", e->d_name);
  }
  ::closedir(dir);
  return 0;
}

// Modes 0 and 2 append each name and a line feed to `output` while the whole
// stays below `size`; another mode writes each name to standard error, and
// with bits 8-11 set lists each subdirectory's entries too.
int listSubDirectories(const std::string& path, std::string* output, size_t size, int skip,
                       int mode) {
  DIR* dir = ::opendir(path.c_str());
  if (!dir) {
    std::fprintf(stderr, "No base directory-3 : %s\n", path.c_str());
    return -1;
  }
  int seen = 0;
  int count = 0;
  while (struct dirent* e = ::readdir(dir)) {
    if (std::strcmp(e->d_name, ".") == 0 || std::strcmp(e->d_name, "..") == 0) continue;
    std::string sub = join(path, e->d_name);
    if (!isDirectory(sub)) continue;
    if (seen++ < skip) continue;
    if ((mode == 0 || mode == 2) && output) {
      std::string line = std::string(e->d_name) + "\n";
      if (output->size() + line.size() >= size) break;
      *output += line;
    } else if (mode != 0 && mode != 2) {
      std::fprintf(stderr, "%s\n", e->d_name);
      if (mode & 0xf00) listDirectory(sub);
    }
    ++count;
  }
  ::closedir(dir);
  return count;
}

void resolveRelativePath(const std::string& directory, std::string& path) {
  if (path.empty() || path[0] == '/' || exists(path)) return;
  std::string candidate = join(directory, path);
  if (exists(candidate)) path = candidate;
}

bool copyFile(const std::string& source, const std::string& target) {
  std::string data;
  if (!readWholeFile(source, &data)) {
    std::fprintf(stderr, "%s: %s\n", source.c_str(), std::strerror(errno));
    return false;
  }
  AtomicWriteOptions options;
  struct stat st;
  options.mode = (::stat(source.c_str(), &st) == 0) ? (st.st_mode & 07777) : 0644;
  std::string error;
  if (!writeFileAtomic(target, data, options, &error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return false;
  }
  return true;
}

bool moveFile(const std::string& source, const std::string& target) {
  if (::rename(source.c_str(), target.c_str()) == 0) return true;
  if (errno != EXDEV) {
    std::fprintf(stderr, "%s: %s\n", target.c_str(), std::strerror(errno));
    return false;
  }
  if (!copyFile(source, target)) return false;
  ::unlink(source.c_str());
  return true;
}

std::string makeTempName(const std::string& directory) {
  int fd = -1;
  std::string path = makeTempFile(directory.empty() ? "/tmp" : directory, "QORXX", &fd);
  if (fd >= 0) ::close(fd);
  return path;
}

std::string getHomeDir() {
  for (const char* var : {"JARNHOME", "JARNHOMEDIR", "HOME"}) {
    const char* v = std::getenv(var);
    if (v && *v && exists(v)) return v;
  }
  return std::string();
}
