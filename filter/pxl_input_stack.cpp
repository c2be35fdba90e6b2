// The PCL XL reader's input stack: opening inputs by name, pushing and
// popping them.
#include "pxl_input_stack.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char kStandardInputName[] = "stdin";

// The descriptor of path opened for reading, or -1; a directory does not
// count as opened (reading it would only fail later).
int openReadOnly(const std::string& path) {
  int fd;
  do {
    fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  struct stat st;
  if (fd >= 0 && (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode))) {
    ::close(fd);
    fd = -1;
  }
  return fd;
}

bool enclosedIn(const std::string& name, char first, char last) {
  return name.size() >= 2 && name.front() == first && name.back() == last;
}

}  // namespace

PxlInput::~PxlInput() {
  owned.reset();
  if (fd >= 0) ::close(fd);
}

PxlInputStack pxlNewInputStack(InputReader& standardInput, const std::vector<std::string>& includePaths) {
  PxlInputStack stack;
  stack.standardInput = &standardInput;
  stack.includePaths = includePaths;
  return stack;
}

int pxlOpenInclude(const std::vector<std::string>& includePaths, const std::string& name, int& fd,
                   std::string& openedName) {
  fd = -1;
  if (enclosedIn(name, '<', '>')) {
    std::string bare = name.substr(1, name.size() - 2);
    for (const std::string& dir : includePaths) {
      std::string path = dir + "/" + bare;
      fd = openReadOnly(path);
      if (fd >= 0) {
        openedName = path;
        return kPxlInputOk;
      }
    }
    return kPxlCannotOpen;
  }
  std::string path = enclosedIn(name, '"', '"') ? name.substr(1, name.size() - 2) : name;
  fd = openReadOnly(path);
  if (fd < 0) return kPxlCannotOpen;
  openedName = path;
  return kPxlInputOk;
}

int pxlPushInput(PxlInputStack& stack, const std::string& name) {
  if (stack.inputs.size() >= kPxlMaxInputs) return kPxlStackFull;
  if (name.size() > kPxlMaxInputName) return kPxlNameTooLong;
  std::unique_ptr<PxlInput> input(new PxlInput);
  input->givenName = name;
  if (name == kStandardInputName) {
    if (!stack.standardInput) return kPxlCannotOpen;
    input->reader = stack.standardInput;
    input->openedName = name;
  } else {
    int code = pxlOpenInclude(stack.includePaths, name, input->fd, input->openedName);
    if (code != kPxlInputOk) return code;
    input->owned.reset(new InputReader(input->fd, input->openedName));
    input->reader = input->owned.get();
  }
  stack.inputs.push_back(std::move(input));
  return kPxlInputOk;
}

void pxlPopInput(PxlInputStack& stack) {
  if (!stack.inputs.empty()) stack.inputs.pop_back();
}

bool pxlCloseInput(PxlInputStack& stack) {
  PxlInput* input = stack.current();
  if (!input || input->isStandardInput()) return false;
  pxlPopInput(stack);
  return true;
}
