// Every choice of every PPD of the set, through pstops and foomatic-rip as the
// printing system runs them (job option, and queue default as lpadmin -o
// writes it), against the table of choices and codes in ppd/README.md.
#include <gtest/gtest.h>

#include <cups/ppd.h>

#include <filesystem>
#include <map>
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

// A row of the table: each cell's back-quoted items, and whether each class
// offers the choice ("—" in its cell: it does not).
enum Column { kSetting, kHeader, kPs, kPcl, kPxl };
struct Row {
  std::vector<std::string> cells[5];
  bool offered[5];
};

std::vector<Row> readTable() {
  std::string readme = readFile(std::string(JARN_PPD_SET_DIR) + "/README.md");
  std::istringstream in(readme.substr(readme.find("## Choices and codes")));
  std::vector<Row> rows;
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("| `", 0) != 0) continue;
    Row& row = rows.emplace_back();
    for (std::size_t a = 1, b, c = 0; c <= kPxl && (b = line.find('|', a)) != std::string::npos; a = b + 1, ++c) {
      row.offered[c] = line.substr(a, b - a).find("—") == std::string::npos;
      for (std::size_t q = line.find('`', a), e; q < b; q = line.find('`', e + 1)) {
        e = line.find('`', q + 1);
        row.cells[c].push_back(line.substr(q + 1, e - q - 1));
      }
    }
  }
  return rows;
}

std::string key(const std::string& setting) { return setting.substr(0, setting.find('=')); }
std::string choice(const std::string& setting) {
  std::string value = setting.substr(setting.find('=') + 1);
  return value.rfind("Custom.", 0) == 0 ? "Custom" : value;
}

// The job's output with the row's settings as job options, or (ppd holding
// them as defaults) with none.
std::string print(const TempDir& dir, const std::string& ppd, const std::string& options) {
  std::string path = std::filesystem::path(QORGSFILTER_PATH).parent_path().string() + ":" + std::getenv("PATH");
  for (const char* filter : {"pstops", "foomatic-rip"}) {
    bool first = filter[0] == 'p';
    Command c({std::string("/usr/lib/cups/filter/") + filter, "7", "alice", "Choices", "1", options, dir / (first ? "job.ps" : "mid.ps")}, filter);
    c.env = {{"PPD", ppd}, {"PATH", path}};
    c.stdoutPath = dir / (first ? "mid.ps" : "out");
    c.stderrPath = "/dev/null";
    EXPECT_EQ(exitCodeOf(runCommand(c, 0, RunMode::Quiet)), 0) << filter << " " << options;
  }
  return readFile(dir / "out");
}

// What the output says of the item's subject, in the item's form: KEY=VALUE
// the header's SET lines for KEY; &lNH and the like the PCL 5 page data's
// last command of that kind; Attribute=value the first PCL XL page's
// attribute; else the item itself when the output holds it (PostScript).
std::string seen(const std::string& out, int column, const std::string& item) {
  std::size_t eq = item.find('='), letter = item.find_first_not_of("0123456789", 2);
  std::string found;
  if (eq != std::string::npos && item.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ") == eq) {
    std::istringstream header(out.substr(0, out.find("@PJL ENTER LANGUAGE")));
    for (std::string line; std::getline(header, line);)
      if (line.find("SET " + item.substr(0, eq + 1)) != std::string::npos) found += (found.empty() ? "" : ";") + line.substr(line.find("SET ") + 4);
  } else if (column == kPcl) {
    for (const pcl5::Command& c : pcl5::scan(out.substr(std::min(out.size(), out.find("LANGUAGE=PCL\n")))).commands)
      if (c.prefix == item.substr(0, 2) && c.letter == item[letter]) found = c.text() + c.data;
  } else if (column == kPxl) {
    static const std::map<std::string, unsigned> kIds = {{"MediaDestination", 36}, {"MediaSource", 38}, {"MediaType", 39},
                                                         {"SimplexPageMode", 52}, {"DuplexPageMode", 53}};
    pxlscan::Stream s = pxlscan::scan(out);
    const pxlscan::Attribute* a = s.pages().empty() ? nullptr : s.pages()[0]->find(kIds.at(item.substr(0, eq)));
    std::string name = a && a->bytes.size() > 3 ? a->bytes.substr(3) : "";  // ubyte array: tag, length tag, length
    if (a) found = item.substr(0, eq + 1) + (a->number >= 0 ? std::to_string(a->number) : name);
  } else if (out.find(item) != std::string::npos) {
    found = item;
  }
  return found;
}

std::vector<std::string> ppdFiles() {
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(JARN_PPD_SET_DIR))
    if (entry.path().filename().string().find(".ppd") != std::string::npos) files.push_back(entry.path().filename().string());
  return files;
}

}  // namespace

class PpdChoices : public ::testing::TestWithParam<std::string> {};

TEST_P(PpdChoices, EveryChoiceReachesThePrinterAsNamed) {
  const std::vector<Row> rows = readTable();
  ASSERT_GE(rows.size(), 30u);
  const std::string file = GetParam();
  int column = file.find("-PS-") != std::string::npos ? kPs : file.find("-CL-") != std::string::npos ? kPcl : kPxl;
  TempDir dir;
  writeFile(dir / "job.ps", "%!PS-Adobe-3.0\n%%Pages: 2\n%%EndComments\n%%Page: 1 1\nshowpage\n%%Page: 2 2\nshowpage\n%%EOF\n");
  Command unzip({"gzip", "-dcf", std::string(JARN_PPD_SET_DIR) + "/" + file}, "gzip");
  unzip.stdoutPath = dir / "plain.ppd";
  ASSERT_EQ(runCommand(unzip, 0, RunMode::Quiet), 0);
  const std::string plain = readFile(dir / "plain.ppd");

  // The table names every choice of its options that the file offers, and
  // no other.
  ppd_file_t* ppd = ppdOpenFile((dir / "plain.ppd").c_str());
  ASSERT_TRUE(ppd) << file;
  std::set<std::string> offered, tabled;
  for (const Row& row : rows)
    for (const std::string& s : row.cells[kSetting]) {
      if (row.offered[column]) tabled.insert(key(s) + "=" + choice(s));
      ppd_option_t* option = ppdFindOption(ppd, key(s).c_str());
      EXPECT_FALSE(option && option->ui == PPD_UI_PICKMANY) << file << " " << key(s) << ": one choice reaches the job";
      for (int i = 0; option && i < option->num_choices; ++i) offered.insert(key(s) + "=" + option->choices[i].choice);
    }
  ppdClose(ppd);
  EXPECT_EQ(offered, tabled) << file;

  for (const Row& row : rows) {
    if (!row.offered[column]) continue;
    std::string options, queue = plain;
    for (const std::string& s : row.cells[kSetting]) {
      options += (options.empty() ? "" : " ") + s;
      std::size_t at = queue.find("\n*Default" + key(s) + ":");
      queue.replace(at + 1, queue.find('\n', at + 1) - at - 1, "*Default" + key(s) + ": " + s.substr(s.find('=') + 1));
    }
    writeFile(dir / "queue.ppd", queue);
    const std::pair<const char*, std::string> roads[] = {{"job option", print(dir, dir / "plain.ppd", options)},
                                                         {"queue default", print(dir, dir / "queue.ppd", "")}};
    for (const auto& [road, out] : roads) {
      EXPECT_EQ(out.rfind("\x1b%-12345X@PJL Jarn", 0), 0u) << file << " " << options << " " << road;
      for (int c : {static_cast<int>(kHeader), column})
        for (const std::string& item : row.cells[c]) EXPECT_EQ(seen(out, column, item), item) << file << " " << options << " " << road;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(PpdSet, PpdChoices, ::testing::ValuesIn(ppdFiles()));
