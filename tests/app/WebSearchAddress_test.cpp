#include "app/WebSearchAddress.h"

#include <gtest/gtest.h>

#include <string>

#include "data/CircleRecord.h"
#include "platform/CodePage.h"

namespace {

constexpr char kStart[] = "search?hl=ja&inlang=ja&ie=Shift_JIS&c2coff=1&as_qdr=all&q=";
constexpr char kEnd[] = "&lr=lang_ja";

vx::CircleRecord Circle(std::string name, std::string pen) {
  vx::CircleRecord circle;
  circle.id = 1;
  circle.circleName = std::move(name);
  circle.circleKana = "kana";
  circle.penName = std::move(pen);
  circle.bookName = "book";
  circle.url = "u";
  circle.mailAddr = "m@x";
  return circle;
}

// Every byte goes percent-encoded in lower-case hexadecimal, ASCII too; the separator stands only
// between two terms of different fields.
TEST(WebSearchAddressTest, TermsOfTheChosenFieldsJoinedAsTheSettingsSay) {
  struct Case {
    const char* name;
    const char* pen;
    vx::WebSearchTerms terms;
    std::string query;  // between kStart and kEnd; "" = no search
  };
  const Case cases[] = {
      {"AB", "C", {0, 0, 0, 0}, "%41%42+OR+%43"},
      {"AB", "C", {1, 0, 0, 0}, "%41%42+%43"},
      {"AB", "", {0, 0, 0, 0}, "%41%42"},
      {"", "C", {1, 0, 0, 0}, "%43"},
      {"", "", {0, 0, 0, 0}, ""},
      {"AB", "C", {3, 1, 3, 0}, ""},                        // no such type
      {"AB", "C", {2, 2, 6, 1}, "%6b%61%6e%61+%6d%40%78"},  // reading AND mail address
      {"AB", "C", {2, 4, 5, 0}, "%62%6f%6f%6b+OR+%75"},     // book name OR URL
      {"AB", "C", {2, 1, 1, 0}, "%41%42"},                  // one field named twice
      {"AB", "C", {2, 0, 7, 0}, ""},                        // no field, unknown field
      {"AB", "C", {2, 7, 3, 1}, "%43"},
  };
  for (const Case& c : cases) {
    const std::string address =
        vx::WebSearchAddress("https://s.example/", Circle(c.name, c.pen), c.terms);
    const std::string expected =
        c.query.empty() ? "" : "https://s.example/" + std::string(kStart) + c.query + kEnd;
    EXPECT_EQ(address, expected) << c.name << "/" << c.pen << " type " << c.terms.type;
  }
}

TEST(WebSearchAddressTest, ShiftJisBytesAreSentAsTheyAre) {
  const std::string address =
      vx::WebSearchAddress("", Circle(vx::Sjis("猫"), vx::Sjis("ｱ")), {0, 0, 0, 0});
  EXPECT_EQ(address, std::string(kStart) + "%94%4c+OR+%b1" + kEnd);
}

}  // namespace
