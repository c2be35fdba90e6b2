// Console questions and answers.
#include "answers.h"

#include <unistd.h>

#include <cctype>
#include <vector>

#include "messages.h"

namespace inst {
namespace {

constexpr size_t kAnswerMax = 255;

const char* const kYesWords[] = {"yes", "oui", "ja", "si"};
const char* const kNoWords[] = {"no", "nein", "niente"};
const char* const kAllPrefixes[] = {"tou", "toda", "tut"};

bool isLetter(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }

// The words of a line in lower case; every non-letter separates.
std::vector<std::string> wordsOf(const std::string& line) {
  std::vector<std::string> words;
  std::string word;
  for (char c : line + " ") {
    if (isLetter(c)) {
      word += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    } else if (!word.empty()) {
      words.push_back(word);
      word.clear();
    }
  }
  return words;
}

template <size_t N>
bool anyWord(const std::vector<std::string>& words, const char* const (&list)[N]) {
  for (const std::string& w : words)
    for (const char* l : list)
      if (w == l) return true;
  return false;
}

bool anyAllWord(const std::vector<std::string>& words) {
  for (const std::string& w : words) {
    if (w == "all") return true;
    for (const char* p : kAllPrefixes)
      if (w.compare(0, std::char_traits<char>::length(p), p) == 0) return true;
  }
  return false;
}

int parse(const std::string& line, bool withAll) {
  std::vector<std::string> words = wordsOf(line);
  if (anyWord(words, kYesWords)) return kAnswerYes;
  if (anyWord(words, kNoWords)) return kAnswerNo;
  if (withAll && anyAllWord(words)) return kAnswerAll;
  if (line.empty()) return kAnswerUnknown;
  char first = static_cast<char>(std::toupper(static_cast<unsigned char>(line[0])));
  if (first == 'O' || first == 'S' || first == 'Y') return kAnswerYes;
  if (first == 'N') return kAnswerNo;
  if (withAll && (first == 'A' || first == 'T')) return kAnswerAll;
  if (withAll && first == 'B') return kAnswerBreak;
  return kAnswerUnknown;
}

int ask(const std::string& question, Msg hint, bool withAll, std::FILE* in) {
  std::fputs(question.c_str(), stdout);
  std::fprintf(stdout, "\n%s ", text(hint));
  std::fflush(stdout);
  std::string line;
  if (!readAnswerLine(in, &line)) return kAnswerNo;
  return parse(line, withAll);
}

}  // namespace

bool readAnswerLine(std::FILE* in, std::string* line) {
  line->clear();
  int c;
  bool any = false;
  while ((c = std::fgetc(in)) != EOF) {
    any = true;
    if (c == '\n') break;
    if (line->size() < kAnswerMax) line->push_back(static_cast<char>(c));
  }
  // Trailing carriage returns go; never the first character.
  while (line->size() > 1 && (line->back() == '\r' || line->back() == '\n')) line->pop_back();
  // An answer that did not come from a terminal left the prompt open: the
  // line end the terminal would have shown, so that the next text stands
  // on a line of its own.
  if (!::isatty(::fileno(in))) {
    std::fputc('\n', stdout);
    std::fflush(stdout);
  }
  return any;
}

int parseAnswer(const std::string& line) { return parse(line, false); }
int parseAnswerAll(const std::string& line) { return parse(line, true); }

int askQuestion(const std::string& question, std::FILE* in) {
  return ask(question, kAnswerYesNoHint, false, in);
}

int askPrinterQuestion(const std::string& question, std::FILE* in) {
  return ask(question, kAnswerAllHint, true, in);
}

}  // namespace inst
