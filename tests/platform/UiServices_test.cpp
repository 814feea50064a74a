#include "platform/UiServices.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(OpenableUrls, WebAndPlainMailAddressesOnly) {
  const std::pair<std::string, bool> cases[] = {
      {"https://example.com/circle", true},
      {"HTTP://example.com/", true},
      {"mailto:someone@example.com", true},
      {"MAILTO:a@example.com?subject=Hello&body=Hi%20there&cc=b@example.com", true},
      {"mailto:a@example.com?In-Reply-To=%3Cid%40x%3E&&", true},
      {"mailto:a@example.com?attach=/home/user/.ssh/id_rsa", false},
      {"mailto:a@example.com?subject=x&Attachment=file:///etc/passwd", false},
      {"mailto:a@example.com?%61ttach=/etc/passwd", false},  // "attach", escaped
      {"mailto:a@example.com?subject%=x", false},            // a broken escape
      {"mailto:a@example.com?x-attach=1", false},
      {"file:///etc/passwd", false},
      {"javascript:alert(1)", false},
      {" https://a.b/", false},
      {"", false},
  };
  for (const auto& [url, openable] : cases) EXPECT_EQ(vx::IsOpenableUrl(url), openable) << url;
}

}  // namespace
