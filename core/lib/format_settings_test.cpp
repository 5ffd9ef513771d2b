#include "core/lib/format_settings.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

TEST(FormatSettingsTest, StrftimePatternsBecomePatternLetters) {
  struct Case {
    const char* strftime;
    char placeholder;
    const char* pattern;
    char separator;
  } cases[] = {
      {"%m/%d/%y", '/', "mm/dd/yy", '/'},
      {"%d.%m.%Y", '/', "dd/mm/yyyy", '.'},
      {"%Y-%m-%d", '/', "yyyy/mm/dd", '-'},
      {"%H:%M:%S", ':', "hh:nn:ss", ':'},
      {"%I:%M:%S %p", ':', "hh:nn:ss ampm", ':'},
      {"%A, %e de %B de %Y", 0, "dddd, d\" de \"mmmm\" de \"yyyy", 0},
      {"%-d/%-m/%Y", '/', "d/m/yyyy", '/'},
      {"%x %Z", 0, " ", 0},
  };
  for (const Case& c : cases) {
    char separator = 0;
    EXPECT_EQ(PatternFromStrftime(c.strftime, c.placeholder, &separator), c.pattern) << c.strftime;
    EXPECT_EQ(separator, c.separator) << c.strftime;
  }
}

TEST(FormatSettingsTest, SettingsCanBeReplaced) {
  FormatSettings saved = CurrentFormatSettings();
  FormatSettings mine;
  mine.DecimalSeparator = ',';
  SetFormatSettings(mine);
  EXPECT_EQ(CurrentFormatSettings().DecimalSeparator, ',');
  SetFormatSettings(saved);
  FormatSettings fromLocale = FormatSettingsFromLocale();
  EXPECT_FALSE(fromLocale.ShortDateFormat.empty());
  EXPECT_NE(fromLocale.DecimalSeparator, 0);
}

}  // namespace
}  // namespace orv
