// The PCL XL reader's stack of nested inputs. Each input is read through a
// buffered InputReader of its own (standard input through the caller's), so
// the reader takes its bytes straight from that buffer whichever input is
// current.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "stream_io.h"

// Error codes of the input stack (the same numbering as the reader's).
enum PxlInputError {
  kPxlInputOk = 0,
  kPxlCannotOpen = 1,     // no file of that name could be opened
  kPxlNameTooLong = 26,   // a name longer than kPxlMaxInputName
  kPxlStackFull = 43      // more than kPxlMaxInputs nested inputs
};

constexpr std::size_t kPxlMaxInputs = 13;
constexpr std::size_t kPxlMaxInputName = 123;

// One entry of an input's name-pair list.
struct PxlNamePair {
  std::string name;
  std::string value;
};

// One open input.
struct PxlInput {
  InputReader* reader = nullptr;         // where its bytes come from
  std::unique_ptr<InputReader> owned;    // the reader of a file opened by name
  int fd = -1;                           // that file's descriptor (owned), else -1
  std::uint64_t bytesRead = 0;           // bytes the reader has taken from it
  std::string openedName;                // the path it was opened by ("stdin" for standard input)
  std::string givenName;                 // the name as given
  std::vector<PxlNamePair> namePairs;    // never filled by this program

  PxlInput() = default;
  PxlInput(const PxlInput&) = delete;
  PxlInput& operator=(const PxlInput&) = delete;
  ~PxlInput();
  bool isStandardInput() const { return fd < 0; }
};

struct PxlInputStack {
  InputReader* standardInput = nullptr;  // what the name "stdin" opens (not owned)
  std::vector<std::string> includePaths; // searched for names in angle brackets
  std::vector<std::unique_ptr<PxlInput>> inputs;  // the last one is current

  PxlInput* current() const { return inputs.empty() ? nullptr : inputs.back().get(); }
  std::size_t depth() const { return inputs.size(); }
};

// A stack with no inputs; "stdin" will read standardInput.
PxlInputStack pxlNewInputStack(InputReader& standardInput, const std::vector<std::string>& includePaths);

// Opens name (see pxlOpenInclude) and makes it the current input. Returns
// kPxlInputOk or the error code; on an error the stack is unchanged.
int pxlPushInput(PxlInputStack& stack, const std::string& name);

// Drops the current input with its names and name-pair list (a file opened
// by name is closed with it). Nothing happens on an empty stack.
void pxlPopInput(PxlInputStack& stack);

// Closes and pops the current input when it was opened by name; standard
// input is never closed and stays current. Returns true when one was closed.
bool pxlCloseInput(PxlInputStack& stack);

// Opens a file for name: "<name>" is looked for in each include directory
// (directory "/" name, the first that opens), "\"name\"" and a plain name
// are opened as they stand. On success fd is the open descriptor and
// openedName the path; returns kPxlInputOk or kPxlCannotOpen.
int pxlOpenInclude(const std::vector<std::string>& includePaths, const std::string& name, int& fd,
                   std::string& openedName);
