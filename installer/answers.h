// The console questions and the reading of their answers, in several
// languages. Words are matched whole (any non-letter separates them).
#pragma once

#include <cstdio>
#include <string>

namespace inst {

// Answer codes.
enum Answer { kAnswerUnknown = -1, kAnswerNo = 0, kAnswerYes = 1, kAnswerAll = 2, kAnswerBreak = 3 };

// Reads one line of at most 255 characters (the rest of a longer line is
// read and dropped) without its trailing line feeds and carriage returns.
// False at the end of the input with nothing read.
bool readAnswerLine(std::FILE* in, std::string* line);

// yes: a word "yes", "oui", "ja" or "si"; no: "no", "nein" or "niente";
// else by the first character: "O", "S", "Y" yes, "N" no; else unknown.
int parseAnswer(const std::string& line);

// As parseAnswer, with all: a word "all" or a word beginning with "tou",
// "toda" or "tut", or a first character "A" or "T"; break: a first "B".
int parseAnswerAll(const std::string& line);

// Prints the question and the yes/no hint, reads the answer from `in`.
// The end of the input answers no.
int askQuestion(const std::string& question, std::FILE* in = stdin);
// The same with all and break (for each printer).
int askPrinterQuestion(const std::string& question, std::FILE* in = stdin);

}  // namespace inst
