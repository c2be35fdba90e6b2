// Test pages: a built-in PostScript document of 1, 2 or 4 pages, or a plain
// text document of 1, 2 or 4 copies, printed on the current queue through
// the spooler's print command, with the outcome shown on the message page.
#pragma once

#include <string>

// Test page kinds (SetupState::testPageKind).
enum TestPageKind {
  kTestPs1 = 1,
  kTestPs2 = 2,
  kTestPs4 = 3,
  kTestText1 = 5,
  kTestText2 = 6,
  kTestText4 = 7,
};

// Message codes of the outcome.
constexpr int kMsgTestPrintFailed = 39;
constexpr int kMsgTestPrintPassed = 40;

// The PostScript test document with `pages` pages, for the user and the
// date (asctime form, "" for none).
std::string postScriptTestPage(int pages, const std::string& user, const std::string& date);

// The plain-text test document with `copies` copies separated by form feeds.
std::string textTestPage(int copies, const std::string& user, const std::string& queue,
                         const std::string& date);

// The queue a test page goes to: printerName without its list mark and
// trailing blanks or colons, named as its records are (recordNameOf).
std::string testPageQueue();

// Prints the test document of testPageKind on the current queue and shows
// the outcome (code 40 passed, 39 not). A kind without a document prints
// nothing and shows nothing. Returns 1.
int printTestPage();

// What a test-print menu entry does: sets testPageKind and, when the current
// queue exists, prints. Returns the printing's result, 0 when nothing printed.
int testPrintForKind(int kind);
