// A PPD option's keyword and value as lpadmin's -o takes them.
#include <gtest/gtest.h>

#include "lpadmin_options.h"

TEST(LpadminOptions, KeywordsTakenAsQueueAttributesAreNeverSent) {
  for (const char* k : {"printer-error-policy", "Printer-Info", "job-sheets-default", "requesting-user-name-denied",
                        "port-monitor", "device-uri", "media-default", "ppd-name"})
    EXPECT_TRUE(isQueueAttributeName(k)) << k;
  for (const char* k : {"Duplex", "MediaType", "OptionDuplex", "jobs", "Printer"}) EXPECT_FALSE(isQueueAttributeName(k)) << k;
  for (const char* k : {"", "a=b", "a b", "a\\b", "it's"}) EXPECT_FALSE(isSendableKeyword(k)) << k;
  EXPECT_EQ(lpadminOptionValue("Custom.4321"), "Custom.4321");
  EXPECT_EQ(lpadminOptionValue("c\\d x='\"{"), "c\\\\d\\ x\\=\\'\\\"\\{");
}
