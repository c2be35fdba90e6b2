// Model identification: the PPD's model name, the first-match rule, the
// built-in table's consistency with the model-id lists, tray renumbering.
#include <set>
#include <sys/stat.h>
#include <unistd.h>

#include "filter_test_helpers.h"
#include "model_table.h"
#include "ppd_model.h"
#include "test_support.h"
#include "tray_map.h"

using testing_support::TempDir;
using testing_support::writeFile;

TEST(ModelTable, FirstMatchingRowWins) {
  const ModelRow rows[] = {{"X 50", 1}, {"X 500", 2}};
  EXPECT_EQ(findModelId("X 500 PS", rows, 2), 1);
  const ModelRow reversed[] = {{"X 500", 2}, {"X 50", 1}};
  EXPECT_EQ(findModelId("X 500 PS", reversed, 2), 2);
  EXPECT_EQ(findModelId("X 50 PS", reversed, 2), 1);
  EXPECT_EQ(findModelId("", rows, 2), 0);
  EXPECT_EQ(findModelId("Y 7", rows, 2), 0);
}

TEST(ModelTable, EveryRowFindsItsOwnIdAndEveryListedIdHasARow) {
  EXPECT_EQ(kModelRowCount, 232u);
  std::set<int> ids;
  for (std::size_t i = 0; i < kModelRowCount; ++i) {
    EXPECT_GE(kModelRows[i].id, 1);
    EXPECT_LE(kModelRows[i].id, 231);
    EXPECT_EQ(findModelId(std::string(kModelRows[i].name) + " PS", kModelRows, kModelRowCount), kModelRows[i].id)
        << kModelRows[i].name;
    ids.insert(kModelRows[i].id);
  }
  for (const int* list : {kMailbox1List, kFoldList, kListA, kPxlSourceList, kFirstAdvanceList, kSecondAdvanceList})
    for (const int* p = list; *p; ++p) EXPECT_TRUE(ids.count(*p)) << "listed id without a row: " << *p;
}

TEST(ModelTable, ListMembership) {
  EXPECT_EQ(isModelInList(30, kPxlSourceList), 1);
  EXPECT_EQ(isModelInList(0, kListA), 0);
  EXPECT_EQ(isModelInList(226, kListA), 1);
  EXPECT_EQ(isModelInList(227, kListA), 0);
}

TEST(PpdModel, ReadsTheQuotedModelName) {
  TempDir dir;
  writeFile(dir / "a.ppd", "*PPD-Adobe: \"4.3\"\r\n*ModelName: \"Velta LP2045 PS\"\r\n*NickName: \"x\"\r\n");
  EXPECT_EQ(readPpdModelName(dir / "a.ppd"), "Velta LP2045 PS");
  JobSettings s;
  s.ppdPath = dir / "a.ppd";
  EXPECT_EQ(getModelId(s), 212);

  writeFile(dir / "unterminated.ppd", "*ModelName: \"Velta C400\n");
  s.ppdPath = dir / "unterminated.ppd";
  EXPECT_EQ(getModelId(s), 4);

  writeFile(dir / "long.ppd", "*ModelName: \"" + std::string(100, 'M') + "\"\n");
  EXPECT_EQ(readPpdModelName(dir / "long.ppd").size(), 63u);
}

TEST(PpdModel, UnknownOrBrokenGivesZero) {
  TempDir dir;
  JobSettings s;
  EXPECT_EQ(getModelId(s), 0);  // no PPD
  s.ppdPath = dir / "missing.ppd";
  EXPECT_EQ(getModelId(s), 0);
  writeFile(dir / "noquote.ppd", "*ModelName: Velta C400\n*NickName: \"Velta C400\"\n");
  s.ppdPath = dir / "noquote.ppd";
  EXPECT_EQ(getModelId(s), 0);
  writeFile(dir / "other.ppd", "*ModelName: \"Other Maker 9\"\n");
  s.ppdPath = dir / "other.ppd";
  EXPECT_EQ(getModelId(s), 0);
  writeFile(dir / "none.ppd", "*NickName: \"Velta C400\"\n");
  s.ppdPath = dir / "none.ppd";
  EXPECT_EQ(getModelId(s), 0);
}

TEST(PpdModel, OnlyTheFirst4MiBOfARegularFileAreRead) {
  TempDir dir;
  ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
  std::string lines;
  for (int i = 0; i < 3 * 1024 * 1024 / 64; ++i) lines += "*% " + std::string(60, 'x') + "\n";  // 3 MiB
  writeFile(dir / "late.ppd", lines + "*ModelName: \"Velta C400\"\n");
  writeFile(dir / "too-late.ppd", lines + lines.substr(0, lines.size() / 2) + "*ModelName: \"Velta C400\"\n");
  const struct {
    std::string path;
    std::string name;
  } cases[] = {{dir / "late.ppd", "Velta C400"}, {dir / "too-late.ppd", ""}, {"/dev/zero", ""},
               {dir / "fifo", ""},               {dir.path(), ""}};
  ::alarm(20);  // a read that never ends kills the test
  for (const auto& c : cases) EXPECT_EQ(readPpdModelName(c.path), c.name) << c.path;
  ::alarm(0);
}

TEST(TrayMap, OnlyListAModelsRenumber) {
  EXPECT_EQ(mapTrayForModel(2, 0), 2);
  EXPECT_EQ(mapTrayForModel(2, 4), 2);
  EXPECT_EQ(mapTrayForModel(2, 210), 4);
  EXPECT_EQ(mapTrayForModel(2, 213), 2);
  EXPECT_EQ(mapTrayForModel(4, 213), 5);
  EXPECT_EQ(mapTrayForModel(5, 226), 8);
  EXPECT_EQ(mapTrayForModel(5, 215), 4);
  EXPECT_EQ(mapTrayForModel(21, 225), 8);
  EXPECT_EQ(mapTrayForModel(1, 225), 1);
}
