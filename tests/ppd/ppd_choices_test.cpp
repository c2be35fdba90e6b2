// Every choice of every PPD of the set, through pstops and foomatic-rip as the
// printing system runs them (job option, and queue default as lpadmin -o
// writes it), against the table of choices and codes in ppd/README.md.
#include <gtest/gtest.h>

#include <cups/ppd.h>

#include <cctype>
#include <filesystem>
#include <set>
#include <sstream>

#include "pcl5_scanner.h"
#include "process_runner.h"
#include "pxl_scanner.h"
#include "test_support.h"

#pragma GCC diagnostic ignored "-Wdeprecated-declarations"  // libcups's PPD interface

namespace {

using testing_support::readFile;
using testing_support::TempDir;
using testing_support::writeFile;

enum Column { kHeader, kPs, kPcl, kPxl };
struct Row {
  std::vector<std::pair<std::string, std::string>> settings;
  std::vector<std::string> cells[4];
  bool offered[4] = {true, true, true, true};
};

std::vector<std::string> backQuoted(const std::string& cell) {
  std::vector<std::string> items;
  for (std::size_t a = cell.find('`'), b; a != std::string::npos; a = cell.find('`', b + 1)) {
    b = cell.find('`', a + 1);
    items.push_back(cell.substr(a + 1, b - a - 1));
  }
  return items;
}

std::vector<Row> readTable() {
  std::string readme = readFile(std::string(JARN_PPD_SET_DIR) + "/README.md");
  std::istringstream in(readme.substr(readme.find("## Choices and codes")));
  std::vector<Row> rows;
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("| `", 0) != 0) continue;
    std::vector<std::string> cells;
    for (std::size_t a = 1, b; (b = line.find('|', a)) != std::string::npos; a = b + 1) cells.push_back(line.substr(a, b - a));
    Row row;
    for (const std::string& s : backQuoted(cells.at(0))) row.settings.emplace_back(s.substr(0, s.find('=')), s.substr(s.find('=') + 1));
    for (int c = kHeader; c <= kPxl; ++c) {
      row.cells[c] = backQuoted(cells.at(c + 1));
      row.offered[c] = cells[c + 1].find("—") == std::string::npos;
    }
    rows.push_back(row);
  }
  return rows;
}

// The option settings as pstops and foomatic-rip take them; or the PPD with
// each as its default.
std::string optionText(const Row& row) {
  std::string text;
  for (const auto& [key, value] : row.settings) text += (text.empty() ? "" : " ") + key + "=" + value;
  return text;
}
std::string withDefaults(std::string ppd, const Row& row) {
  for (const auto& [key, value] : row.settings) {
    std::size_t at = ppd.find("\n*Default" + key + ":");
    std::size_t end = ppd.find('\n', at + 1);
    ppd.replace(at + 1, end - at - 1, "*Default" + key + ": " + value);
  }
  return ppd;
}

std::string run(const TempDir& dir, const std::string& ppd, const std::string& options) {
  std::string path = std::filesystem::path(QORGSFILTER_PATH).parent_path().string() + ":" + std::getenv("PATH");
  for (const char* filter : {"pstops", "foomatic-rip"}) {
    bool first = filter[0] == 'p';
    Command c({std::string("/usr/lib/cups/filter/") + filter, "7", "alice", "Choices", "1", options,
               first ? dir / "job.ps" : dir / "mid.ps"}, filter);
    c.env = {{"PPD", ppd}, {"PATH", path}};
    c.stdoutPath = first ? dir / "mid.ps" : dir / "out";
    c.stderrPath = "/dev/null";
    EXPECT_EQ(exitCodeOf(runCommand(c, 0, RunMode::Quiet)), 0) << filter << " " << options;
  }
  return readFile(dir / "out");
}

// KEY=VALUE: the header has exactly one SET line for KEY, with VALUE.
void expectHeaderLine(const std::string& out, const std::string& item, const std::string& what) {
  std::istringstream header(out.substr(0, out.find("@PJL ENTER LANGUAGE")));
  std::string key = "SET " + item.substr(0, item.find('=') + 1), found;
  for (std::string line; std::getline(header, line);)
    if (line.find(key) != std::string::npos) found += line.substr(line.find(key) + 4) + ";";
  EXPECT_EQ(found, item + ";") << what;
}

// &lNH and the like: the last command of that kind in the PCL 5 page data.
void expectPclCommand(const std::string& out, const std::string& item, const std::string& what) {
  std::size_t letter = item.find_first_not_of("0123456789", 2);
  std::string last;
  for (const pcl5::Command& c : pcl5::scan(out.substr(out.find("LANGUAGE=PCL\n"))).commands)
    if (c.prefix == item.substr(0, 2) && c.letter == item[letter]) last = c.text() + c.data;
  EXPECT_EQ(last, item) << what;
}

// Attribute=value on the first PCL XL page.
void expectPxlAttribute(const std::string& out, const std::string& item, const std::string& what) {
  static const std::pair<const char*, unsigned> kIds[] = {{"MediaDestination", 36}, {"MediaSource", 38}, {"MediaType", 39},
                                                          {"SimplexPageMode", 52}, {"DuplexPageMode", 53}};
  std::string name = item.substr(0, item.find('=')), value = item.substr(item.find('=') + 1);
  pxlscan::Stream s = pxlscan::scan(out);
  ASSERT_FALSE(s.pages().empty()) << what << ": " << s.fault;
  for (const auto& [attribute, id] : kIds) {
    if (name != attribute) continue;
    const pxlscan::Attribute* a = s.pages()[0]->find(id);
    ASSERT_TRUE(a) << what << ": no " << name;
    if (id == 39) EXPECT_EQ(a->bytes.substr(a->bytes.size() - value.size()), value) << what;
    else EXPECT_EQ(std::to_string(a->number), value) << what;
    return;
  }
  ADD_FAILURE() << "unknown attribute " << name;
}

void expectItems(const std::string& out, int column, const Row& row, const std::string& what) {
  EXPECT_EQ(out.rfind("\x1b%-12345X@PJL Jarn", 0), 0u) << what;
  std::vector<std::string> items = row.cells[kHeader];
  items.insert(items.end(), row.cells[column].begin(), row.cells[column].end());
  for (const std::string& item : items) {
    if (item.find('=') != std::string::npos && item.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ") == item.find('='))
      expectHeaderLine(out, item, what + " " + item);
    else if (column == kPcl) expectPclCommand(out, item, what + " " + item);
    else if (column == kPxl) expectPxlAttribute(out, item, what + " " + item);
    else EXPECT_NE(out.find(item), std::string::npos) << what << " " << item;
  }
}

}  // namespace

std::vector<std::string> ppdFiles() {
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(JARN_PPD_SET_DIR))
    if (entry.path().filename().string().find(".ppd") != std::string::npos) files.push_back(entry.path().filename().string());
  return files;
}

class PpdChoices : public ::testing::TestWithParam<std::string> {};

TEST_P(PpdChoices, EveryChoiceReachesThePrinterAsNamed) {
  const std::vector<Row> rows = readTable();
  ASSERT_GE(rows.size(), 30u);
  TempDir dir;
  writeFile(dir / "job.ps", "%!PS-Adobe-3.0\n%%Pages: 2\n%%EndComments\n%%Page: 1 1\nshowpage\n%%Page: 2 2\nshowpage\n%%EOF\n");
  const std::string file = GetParam();
  int column = file.find("-PS-") != std::string::npos ? kPs : file.find("-CL-") != std::string::npos ? kPcl : kPxl;
  Command unzip({"gzip", "-dcf", std::string(JARN_PPD_SET_DIR) + "/" + file}, "gzip");
  unzip.stdoutPath = dir / "plain.ppd";
  ASSERT_EQ(runCommand(unzip, 0, RunMode::Quiet), 0);
  // The table names every choice the file offers, and offers nothing else.
  ppd_file_t* ppd = ppdOpenFile((dir / "plain.ppd").c_str());
  ASSERT_TRUE(ppd) << file;
  std::set<std::string> offered, tabled;
  for (const Row& row : rows) {
    for (const auto& [key, value] : row.settings) {
      ppd_option_t* option = ppdFindOption(ppd, key.c_str());
      std::string choice = value.rfind("Custom.", 0) == 0 ? "Custom" : value;
      bool has = option && ppdFindChoice(option, choice.c_str());
      EXPECT_EQ(has, row.offered[column]) << file << " " << key << "=" << value;
      if (has) tabled.insert(key + "=" + choice);
      for (int i = 0; option && i < option->num_choices; ++i) offered.insert(key + "=" + option->choices[i].choice);
    }
  }
  ppdClose(ppd);
  EXPECT_EQ(offered, tabled) << file;
  std::string plain = readFile(dir / "plain.ppd");
  for (const Row& row : rows) {
    if (!row.offered[column]) continue;
    std::string what = file + " " + optionText(row);
    expectItems(run(dir, dir / "plain.ppd", optionText(row)), column, row, what + " (job option)");
    writeFile(dir / "queue.ppd", withDefaults(plain, row));
    expectItems(run(dir, dir / "queue.ppd", ""), column, row, what + " (queue default)");
  }
}

INSTANTIATE_TEST_SUITE_P(PpdSet, PpdChoices, ::testing::ValuesIn(ppdFiles()), [](const auto& info) {
  std::string name = info.param;
  for (char& c : name)
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  return name;
});
