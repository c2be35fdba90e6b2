// The texts of the help topics, as data: one entry per place of the topic
// table, and the default topic shown for a widget that no page claims.
#pragma once

constexpr int kHelpTopicCount = 90;

struct HelpText {
  const char* title;  // "" for the default topic, which has no title lines
  int continuation;   // the topic that "More Help" shows, -1 for none
  const char* text;   // the lines after the title's dashes, joined by '\n'
};

// The entry of a place of the table; the default topic for any other value.
const HelpText& helpText(int topic);
