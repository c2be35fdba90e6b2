// The rewriter on Ghostscript's PCL 5 output, made at test time: every data
// and text byte unchanged and in order (by the independent scanner), the
// stream scanning to its end, and only the intended commands changed.
#include "pcl_test_support.h"

#include <map>
#include <set>

using pcl_testing::countOf;
using pcl_testing::ghostscriptPcl;
using pcl_testing::rewrite;
using pcl_testing::rewriteWith;

namespace {

struct Device {
  const char* name;
  std::vector<const char*> args;
};

const Device kDevices[] = {
    {"ljet4", {"-r600"}}, {"ljet4d", {"-dDuplex=true"}}, {"cljet5c", {}},
    {"pcl3", {"-r300"}},  {"lj4dith", {}},               {"ljet4pjl", {}},
};

// Each device's output, made once for the whole run.
const std::string& pclFrom(const Device& d) {
  static std::map<std::string, std::string> made;
  auto it = made.find(d.name);
  if (it != made.end()) return it->second;
  testing_support::TempDir dir;
  std::string out;
  switch (d.args.size()) {
    case 0: out = ghostscriptPcl(d.name, {}); break;
    default: out = ghostscriptPcl(d.name, {d.args[0]}); break;
  }
  return made[d.name] = out;
}

// The commands the rewriter may insert, drop or change.
bool mayChange(const std::string& t) {
  static const std::set<std::string> letters = {"&lA", "&lH", "&lX", "&lS", "&lM", "&lU", "&lZ", "&lO", "&nW"};
  if (t == "E") return true;
  std::string key = t.substr(0, 2) + t.back();
  return letters.count(key) > 0;
}

std::vector<std::string> stable(const pcl5::Scan& s) {
  std::vector<std::string> out;
  for (const std::string& t : pcl5::commandTexts(s))
    if (!mayChange(t)) out.push_back(t);
  return out;
}

// The data bytes, but for the media names the rewriter inserts.
std::string dataOf(const pcl5::Scan& s) {
  std::string d;
  for (const pcl5::Command& c : s.commands)
    if (c.prefix != "&n") d += c.data;
  return d;
}

void expectSameContent(const std::string& in, const std::string& out, const std::string& what) {
  pcl5::Scan a = pcl5::scan(in), b = pcl5::scan(out);
  EXPECT_TRUE(a.complete) << what << ": input: " << a.problem;
  EXPECT_TRUE(b.complete) << what << ": " << b.problem;
  EXPECT_TRUE(dataOf(b) == dataOf(a)) << what << ": data bytes differ";
  EXPECT_TRUE(b.text == a.text) << what << ": text bytes differ";
  EXPECT_TRUE(stable(a) == stable(b)) << what << ": other commands changed";
}

TEST(PclGhostscript, EveryDevicePassesItsContentUnchanged) {
  const std::vector<std::vector<const char*>> optionSets = {
      {}, {"-p26", "-d1", "-t2"}, {"-p2", "-NP", "-m0"}, {"-NPP", "-r0"}, {"-NT", "-r1", "-d2"}, {"-r10,20", "-d1"}};
  for (const Device& d : kDevices) {
    const std::string& in = pclFrom(d);
    ASSERT_GT(in.size(), 1000u) << d.name;
    for (const auto& opts : optionSets) {
      JobSettings s = filter_testing::optionsFrom({});
      std::vector<std::string> words;
      for (const char* o : opts) words.push_back(o);
      std::string label = std::string(d.name);
      for (const std::string& w : words) label += " " + w;
      switch (opts.size()) {
        case 0: s = filter_testing::optionsFrom({}); break;
        case 2: s = filter_testing::optionsFrom({opts[0], opts[1]}); break;
        case 3: s = filter_testing::optionsFrom({opts[0], opts[1], opts[2]}); break;
      }
      std::string out = rewriteWith(in, s);
      expectSameContent(in, out, label);
      std::vector<std::string> cmds = pcl5::commandTexts(pcl5::scan(out));
      EXPECT_LE(countOf(cmds, "&l1X"), 1) << label;
      for (const std::string& c : cmds) EXPECT_TRUE(c.size() != 5 || c.substr(0, 2) != "&l" || c[4] != 'X' || c == "&l1X") << label << " " << c;
    }
  }
}

TEST(PclGhostscript, Pcl3KeepsItsCombinedPageCommand) {
  const std::string& in = pclFrom(kDevices[3]);
  const std::string e = pcl_testing::kEsc;
  ASSERT_EQ(in.substr(0, 12), e + "E" + e + "&l26a0o0L");
  std::string out = rewrite(in, {"-p26"});
  expectSameContent(in, out, "pcl3 -p26");
  EXPECT_EQ(out.substr(0, 18), e + "E" + e + "&l26A" + e + "&l26a0o0L");
  // No stray text: the text outside commands is what the input had.
  EXPECT_EQ(pcl5::scan(out).text, pcl5::scan(in).text);
}

TEST(PclGhostscript, DuplexJobGetsInsertedCommandsInOrder) {
  const std::string& in = pclFrom(kDevices[1]);
  std::vector<std::string> cmds = pcl5::commandTexts(pcl5::scan(rewrite(in, {"-d1", "-t2", "-p26", "-m4"})));
  ASSERT_GE(cmds.size(), 7u);
  std::vector<std::string> head(cmds.begin(), cmds.begin() + 6);
  EXPECT_EQ(head, (std::vector<std::string>{"E", "&l26A", "&l1S", "&l2H", "&l4M", "&n13W"}));
  EXPECT_EQ(countOf(cmds, "E"), 2);  // the first and the one that ends the job
  EXPECT_EQ(countOf(cmds, "&l1X"), 1);
  EXPECT_EQ(countOf(cmds, "&l0H"), 0);
}

TEST(PclGhostscript, KeepFlagsChoosePageSizeCommands) {
  const std::string& in = pclFrom(kDevices[0]);
  int inSizes = countOf(pcl5::commandTexts(pcl5::scan(in)), "&l26A");
  ASSERT_GE(inSizes, 4);
  auto sizes = [&](std::initializer_list<const char*> o) { return countOf(pcl5::commandTexts(pcl5::scan(rewrite(in, o))), "&l26A"); };
  EXPECT_EQ(sizes({}), inSizes);
  EXPECT_EQ(sizes({"-NP"}), 1);
  EXPECT_EQ(sizes({"-NPP"}), inSizes);
  EXPECT_EQ(sizes({"-NT"}), inSizes);
}

TEST(PclGhostscript, RegistrationByModeDuplexAndColour) {
  for (const Device* d : {&kDevices[1], &kDevices[2]}) {
    const std::string& in = pclFrom(*d);
    for (int mode = 0; mode <= 3; ++mode) {
      for (int duplex = 0; duplex <= 2; ++duplex) {
        for (int colour = 0; colour <= 1; ++colour) {
          JobSettings s = filter_testing::optionsFrom({});
          s.registrationMode = mode;
          s.duplex = duplex;
          s.colorMode = colour;
          s.modelId = 53;
          std::string label = std::string(d->name) + " r" + std::to_string(mode) + " d" + std::to_string(duplex) + " K" + std::to_string(colour);
          std::string out = rewriteWith(in, s);
          expectSameContent(in, out, label);
          std::vector<std::string> cmds = pcl5::commandTexts(pcl5::scan(out));
          int fixed = countOf(cmds, "&l-180U");
          if (mode == 1) EXPECT_GT(fixed, 0) << label;
          else EXPECT_EQ(fixed, 0) << label;
          if (mode == 3 || mode == 2) {
            // The model's first pair for the first page.
            std::string want = colour ? "&l54U" : "&l-85U";
            auto it = std::find_if(cmds.begin(), cmds.end(), [](const std::string& c) { return c.size() > 3 && c.compare(0, 2, "&l") == 0 && c.back() == 'U'; });
            ASSERT_NE(it, cmds.end()) << label;
            EXPECT_EQ(*it, want) << label;
          }
          if (mode == 3 && duplex == 1 && colour == 0 && d == &kDevices[1]) {
            // Front, back, then the later sheets' front: (-85, 0), (85, 0), (-85, 0).
            std::vector<std::string> offsets;
            for (const std::string& c : cmds)
              if (c.size() > 3 && c.compare(0, 2, "&l") == 0 && (c.back() == 'U' || c.back() == 'Z')) offsets.push_back(c);
            EXPECT_EQ(offsets, (std::vector<std::string>{"&l-85U", "&l0Z", "&l85U", "&l0Z", "&l-85U", "&l0Z"})) << label;
          }
        }
      }
    }
  }
}

TEST(PclGhostscript, InputCutAtEveryOffset) {
  const std::string& full = pclFrom(kDevices[1]);
  std::size_t limit = std::min<std::size_t>(full.size(), 3000);
  for (std::size_t cut = 0; cut <= limit; ++cut) {
    std::string in = full.substr(0, cut);
    std::string out = rewrite(in, {});
    pcl5::Scan a = pcl5::scan(in), b = pcl5::scan(out);
    ASSERT_TRUE(b.data == a.data) << "cut at " << cut;
    ASSERT_TRUE(b.text == a.text) << "cut at " << cut;
    ASSERT_LE(out.size(), in.size()) << "cut at " << cut;
  }
}

}  // namespace
