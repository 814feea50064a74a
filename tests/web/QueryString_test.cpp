// The query of the address the login sends the browser back to: escapes and parameters.
#include "web/QueryString.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>

namespace {

std::optional<std::string> Decoded(const std::string& text) {
  std::string out = "untouched";
  if (!vx::PercentDecode(text, out)) {
    EXPECT_EQ(out, "untouched") << text;
    return std::nullopt;
  }
  return out;
}

TEST(PercentDecode, EscapesBecomeBytes) {
  const std::pair<std::string, std::string> cases[] = {
      {"a%2Bb", "a+b"},
      {"a+b", "a+b"},  // "+" is no blank here
      {"%e3%81%82", "\xE3\x81\x82"},
      {"%41%4a%4A", "AJJ"},
      {"%00x", std::string("\0x", 2)},
      {"", ""},
      {"plain", "plain"},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(Decoded(text), expected) << text;
}

TEST(PercentDecode, InvalidEscapesFailInsteadOfBecomingData) {
  for (const std::string text : {"%zz", "a%2", "abc%", "%4g", "%%41", "x%-1", "% 41"}) {
    EXPECT_EQ(Decoded(text), std::nullopt) << text;
  }
}

using Pairs = std::map<std::string, std::string>;

TEST(ParseQueryString, ParametersAfterTheQuestionMark) {
  const std::pair<std::string, Pairs> cases[] = {
      {"https://p.example/OAuth2/Blank?code=a%2Bb&x=", {{"code", "a+b"}}},
      {"https://p.example/Blank?code=1&state=s&code=2", {{"code", "2"}, {"state", "s"}}},
      {"https://p.example/Blank?a=b=c&=v&e", {{"a", "b=c"}, {"", "v"}}},
      {"https://p.example/Blank?code=c1#frag=x", {{"code", "c1"}}},
      {"https://p.example/Blank", {}},
      {"https://p.example/Blank?", {}},
      {"https://p.example/Blank?error=access%20denied&error_description=%E3%81%82",
       {{"error", "access denied"}, {"error_description", "\xE3\x81\x82"}}},
      {"https://p.example/Blank?a%20b=1", {{"a%20b", "1"}}},  // names stay as sent
  };
  for (const auto& [url, expected] : cases) {
    Pairs pairs;
    EXPECT_TRUE(vx::ParseQueryString(url, pairs)) << url;
    EXPECT_EQ(pairs, expected) << url;
  }
}

TEST(ParseQueryString, AnInvalidEscapeFailsTheWholeQuery) {
  for (const std::string url :
       {"https://p.example/Blank?code=%zz", "https://p.example/Blank?code=ok&x=ab%4",
        "https://p.example/Blank?code=ab%4&state=s"}) {
    Pairs pairs{{"kept", "yes"}};
    EXPECT_FALSE(vx::ParseQueryString(url, pairs)) << url;
    EXPECT_EQ(pairs, (Pairs{{"kept", "yes"}})) << url;
  }
}

}  // namespace
