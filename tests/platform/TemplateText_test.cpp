#include "platform/TemplateText.h"

#include <gtest/gtest.h>

#include "platform/CodePage.h"

namespace vxtest {
namespace {

TEST(TemplateTextTest, TakesOnlyNumberAndTextConversionsWithTheirArguments) {
  const vx::TemplateArg dayAndStem[] = {2, std::string_view("E123")};
  const std::pair<const char*, std::optional<std::string>> cases[] = {
      {"MDATA/MAP%1d%s.PNG", "MDATA/MAP2E123.PNG"},
      {"%03d-%-6s|", "002-E123  |"},
      {"100%%/%d", "100%/2"},
      {"plain", "plain"},
      {"%s%s", std::nullopt},    // the day is not a text
      {"%d%s%d", std::nullopt},  // a third argument is missing
      {"%x", std::nullopt},
      {"%n", std::nullopt},
      {"%1000d", std::nullopt},
      {"%d%", std::nullopt},
  };
  for (const auto& [format, expected] : cases) {
    EXPECT_EQ(vx::FormatTemplate(format, dayAndStem), expected) << format;
  }
}

TEST(TemplateTextTest, DayLabelsFromTheLayoutFile) {
  EXPECT_EQ(vx::Cp932ToUtf8(vx::FormatNumberText(vx::Sjis("%d日目"), 3)), "3日目");
  EXPECT_EQ(vx::Cp932ToUtf8(vx::FormatNumberText(vx::Sjis("表%d"), 1)), "表1");
  // A label that would read text from nowhere is printed as it stands.
  EXPECT_EQ(vx::FormatNumberText("%s day", 3), "%s day");
}

}  // namespace
}  // namespace vxtest
