#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/CatalogController.h"
#include "app/CircleLinkAddress.h"
#include "tests/support/ScriptedUiServices.h"

namespace {

using Builder = std::optional<std::string> (*)(std::string_view);

// Ids become profile addresses and web addresses stand; everything else is refused.
TEST(CircleLinkAddressTest, AddressesAreBuiltFromIdsOrTakenAsWebAddresses) {
  const struct {
    Builder build;
    const char* field;
    const char* address;  // null: refused
  } cases[] = {
      {vx::TwitterProfileAddress, "circle_A1", "https://twitter.com/circle_A1"},
      {vx::TwitterProfileAddress, " @circle ", "https://twitter.com/circle"},
      {vx::TwitterProfileAddress, "abcdefghijklmno", "https://twitter.com/abcdefghijklmno"},
      {vx::TwitterProfileAddress, "abcdefghijklmnop", nullptr},  // 16 characters
      {vx::TwitterProfileAddress, "javascript:alert(1)", nullptr},
      {vx::TwitterProfileAddress, " https://twitter.com/x ", "https://twitter.com/x"},
      {vx::TwitterProfileAddress, "HTTP://x.example/", "HTTP://x.example/"},
      {vx::TwitterProfileAddress, "mailto:a@b.example", nullptr},
      {vx::TwitterProfileAddress, "file:///etc/passwd", nullptr},
      {vx::TwitterProfileAddress, "@", nullptr},
      {vx::TwitterProfileAddress, "a b", nullptr},
      {vx::PixivProfileAddress, "1234567", "https://www.pixiv.net/users/1234567"},
      {vx::PixivProfileAddress, "12a", nullptr},
      {vx::PixivProfileAddress, "1234567890123", nullptr},
      {vx::PixivProfileAddress, "https://www.pixiv.net/users/3", "https://www.pixiv.net/users/3"},
      {vx::PixivProfileAddress, "www.pixiv.net/users/3", nullptr},
      {vx::WebLinkAddress, " http://circle.example/ ", "http://circle.example/"},
      {vx::WebLinkAddress, "mailto:a@b.example", "mailto:a@b.example"},
      {vx::WebLinkAddress, "mailto:a@b.example?attach=/etc/passwd", nullptr},
      {vx::WebLinkAddress, "vx_c00001", nullptr},
      {vx::MailtoAddress, "a@b.example", "mailto:a@b.example"},
      {vx::MailtoAddress, "@b.example", nullptr},
      {vx::MailtoAddress, "a@", nullptr},
      {vx::MailtoAddress, "a@b@c", nullptr},
      {vx::MailtoAddress, "a@b.example?attach=/etc/passwd", nullptr},
      {vx::MailtoAddress, "a@b.example,c@d.example", nullptr},
      {vx::MailtoAddress, "a%3F@b.example", nullptr},
      {vx::MailtoAddress, "\x82\xa0@b.example", nullptr},  // a CP932 character
  };
  for (const auto& c : cases) {
    const std::optional<std::string> built = c.build(c.field);
    if (c.address) {
      EXPECT_EQ(built, std::string(c.address)) << c.field;
    } else {
      EXPECT_FALSE(built.has_value()) << c.field;
    }
  }
}

TEST(CircleLinkAddressTest, OnlyAPlainMailAddressReachesTheDesktop) {
  vx::ScriptedUiServices ui;
  vx::ControllerServices services;
  services.ui = &ui;
  vx::CatalogController controller(nullptr, services);
  EXPECT_TRUE(controller.OpenMail("a@b.example"));
  EXPECT_FALSE(controller.OpenMail("a@b.example?body=x"));
  ASSERT_EQ(ui.CallsOf(vx::UiCallKind::kOpenUrl).size(), 1u);
  EXPECT_EQ(ui.OpenedUrls(), std::vector<std::string>{"mailto:a@b.example"});
}

}  // namespace
