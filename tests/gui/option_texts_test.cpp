// The option rows' texts and plan without a display: the Latin-1 conversion
// of PPD texts, the centred group titles, the special-field limit, and the
// "QOR" marker text.
#include <gtest/gtest.h>

#include <cups/ppd.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "option_labels.h"
#include "option_layout.h"
#include "option_sending.h"

#pragma GCC diagnostic ignored "-Wdeprecated-declarations"  // libcups's PPD interface

namespace {

TEST(OptionTexts, Latin1Conversion) {
  const struct {
    std::string in, out;
    size_t size;
  } rows[] = {
      {"Gr\xC3\xB6\xC3\x9F" "e", "Gr\xF6\xDF" "e", 256},   // C3 xx gives xx + 0x40
      {"a\xC2\xAD" "b", "a\xC2" "b", 256},                 // soft hyphen: the lead byte alone
      {"\xC2\xB0\xC2\xA0\xC2\xBF", "\xB0\xA0\xBF", 256},   // signs after C2 stay as they are
      {"\xC3\x90\xC3\x97\xC3\xB0", "\xC3\xC3\xC3", 256},   // 90, 97, B0 are not in the table
      {"x\xC3", "x\xC3", 256},                             // a lead byte at the end
      {"\xE2\x82\xAC", "\xE2\x82\xAC", 256},               // three-byte forms pass unchanged
      {"abcdef", "abc", 4},                                // bounded by the buffer size
      {std::string(300, 'a'), std::string(256, 'a'), 1024},  // at most 256 bytes read
  };
  for (const auto& r : rows) EXPECT_EQ(fromKPL2Ascii(r.in.c_str(), r.size), r.out) << r.in;
}

// Texts by the PPD's encoding: a UTF-8 and a Latin-1 PPD with "m²" both
// give the Latin-1 label, through libcups as the pages open them.
TEST(OptionTexts, Latin1ByEncoding) {
  EXPECT_EQ(ppdTextToLatin1("\xE2\x82\xAC \xC3\xA9", 256, "UTF-8"), "? \xE9");
  EXPECT_EQ(ppdTextToLatin1("a\xC3", 256, "UTF-8"), "a\xC3");  // no UTF-8 form: the byte kept
  EXPECT_EQ(ppdTextToLatin1("\xC3\xA9", 256, "ISOLatin1"), "\xC3\xA9");
  for (std::string encoding : {"UTF-8", "ISOLatin1"}) {
    std::string m2 = encoding == "UTF-8" ? "m\xC2\xB2" : "m\xB2";
    char path[] = "/tmp/jarn-encoding-XXXXXX";
    int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    close(fd);
    std::ofstream(path) << "*PPD-Adobe: \"4.3\"\n*LanguageVersion: English\n*LanguageEncoding: " << encoding
                        << "\n*ModelName: \"E\"\n*OpenUI *MediaType/Paper " << m2
                        << ": PickOne\n*DefaultMediaType: A\n*MediaType A/80 g/" << m2
                        << ": \"\"\n*CloseUI: *MediaType\n";
    ppd_file_t* ppd = ppdOpenFile(path);
    unlink(path);
    ASSERT_NE(ppd, nullptr) << encoding;
    ppd_option_t* option = ppdFindOption(ppd, "MediaType");
    ASSERT_NE(option, nullptr) << encoding;
    EXPECT_EQ(optionLabelText(option, ppd->lang_encoding), "Paper m\xB2 :") << encoding;
    EXPECT_EQ(ppdTextToLatin1(option->choices[0].text, 256, ppd->lang_encoding), "80 g/m\xB2") << encoding;
    ppdClose(ppd);
  }
}

TEST(OptionTexts, GroupTitlesIn82Columns) {
  const struct {
    size_t length, lead, width;
  } rows[] = {
      {7, 36, 82}, {78, 1, 82}, {79, 0, 82}, {80, 0, 82}, {81, 0, 83}, {82, 0, 84}, {83, 0, 85}, {84, 0, 84},
  };
  for (const auto& r : rows) {
    std::string text(r.length, 'T');
    std::string title = centredGroupTitle(text);
    EXPECT_EQ(title.size(), r.width) << r.length;
    EXPECT_EQ(title.find_first_not_of('-'), r.lead) << r.length;
    EXPECT_NE(title.find(text), std::string::npos) << r.length;
  }
}

// A PPD of twelve special text fields, two mailboxes and PageRegion.
std::string specialsPpd() {
  std::string ppd =
      "*PPD-Adobe: \"4.3\"\n*FormatVersion: \"4.3\"\n*LanguageVersion: English\n*LanguageEncoding: ISOLatin1\n"
      "*ModelName: \"Specials\"\n*NickName: \"Specials\"\n*OpenGroup: Jobs/Jobs\n";
  auto option = [&ppd](const std::string& key, const std::string& suffix) {
    ppd += "*OpenUI *" + key + suffix + ": PickOne\n*Default" + key + suffix + ": None\n*" + key + suffix +
           " None/None: \"\"\n*CloseUI: *" + key + suffix + "\n";
  };
  option("Mailbox", "");
  for (int i = 0; i < 4; ++i) {
    for (const char* key : {"SecuredPassword", "UserID", "UserPassword"}) option(key, i ? std::to_string(i) : "");
  }
  option("PageRegion", "");
  ppd += "*CloseGroup: Jobs\n";
  return ppd;
}

TEST(OptionTexts, TenSpecialFieldsAtMost) {
  char path[] = "/tmp/jarn-specials-XXXXXX";
  int fd = mkstemp(path);
  ASSERT_GE(fd, 0);
  close(fd);
  std::ofstream(path) << specialsPpd();
  ppd_file_t* ppd = ppdOpenFile(path);
  unlink(path);
  ASSERT_NE(ppd, nullptr);
  // Keywords differ (SecuredPassword1 is no special option), so rename the
  // copies in place: libcups keeps them in file order.
  for (int o = 0; o < ppd->groups[0].num_options; ++o) {
    std::string key = ppd->groups[0].options[o].keyword;
    key.erase(key.find_last_not_of("0123456789") + 1);
    snprintf(ppd->groups[0].options[o].keyword, sizeof ppd->groups[0].options[o].keyword, "%s", key.c_str());
  }
  OptionLayout layout = planOptionRows(ppd);
  std::string names;
  for (const OptionRow& row : layout.rows) names += row.name + " ";
  EXPECT_EQ(names,
            "dynTxt0 MailBox0 securePW0 userID1 userPW2 securePW3 userID4 userPW5 securePW6 userID7 userPW8 "
            "securePW9 ");
  EXPECT_EQ(layout.printOptions, 13);  // PageRegion is not counted on the print side
  EXPECT_EQ(layout.printHeight, 40 * (1 + 13) + 40);
  ppdClose(ppd);
}

TEST(OptionTexts, QorMarker) {
  const struct {
    std::string in, out;
  } rows[] = {
      {"QOR  Velta C400  ", "Velta C400"}, {"xx QORabc", "abc"}, {"no marker", ""}, {std::string(254, ' ') + "QOR x", ""},
  };
  for (const auto& r : rows) EXPECT_EQ(textAfterQorMarker(r.in), r.out) << r.in;
}

}  // namespace
