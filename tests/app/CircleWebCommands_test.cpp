#include "app/CircleWebCommands.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/WebSearchAddress.h"
#include "platform/CodePage.h"
#include "tests/app/ControllerFixture.h"

namespace {

using Link = vx::CircleWebCommands::Link;
using Urls = std::vector<std::string>;

class CircleWebCommandsTest : public vxtest::ControllerTest {
 protected:
  void SetUp() override {
    ControllerTest::SetUp();
    values.googleType = 0;
    vx::CircleRecord circle;
    ASSERT_TRUE(controller.GetCircle(101, &circle));
    circle.circleName = "N";
    circle.penName = "P";
    circle.url = "https://circle.example/";
    circle.twitter = "https://twitter.example/c";
    circle.pixiv = "";
    controller.SetCurrentCircle(circle);
  }

  static std::string Search(const std::string& query) {
    return std::string(vx::kWebSearchService) +
           "search?hl=ja&inlang=ja&ie=Shift_JIS&c2coff=1&as_qdr=all&q=" + query + "&lr=lang_ja";
  }

  vx::CircleWebCommands commands{controller};
};

// A link field is opened as it stands; an empty one searches the circle instead.
TEST_F(CircleWebCommandsTest, LinksOpenTheirFieldOrSearchTheCircle) {
  EXPECT_TRUE(commands.OpenCurrentCircleLink(Link::kUrl));
  EXPECT_TRUE(commands.OpenCurrentCircleLink(Link::kTwitter));
  EXPECT_TRUE(commands.OpenCurrentCircleLink(Link::kPixiv));
  EXPECT_TRUE(commands.SearchCurrentCircle());
  EXPECT_TRUE(commands.OpenSupportPage());
  EXPECT_EQ(ui.OpenedUrls(),
            (Urls{"https://circle.example/", "https://twitter.example/c", Search("%4e+OR+%50"),
                  Search("%4e+OR+%50"), std::string(vx::kSupportPage)}));
}

// Only web and mail addresses reach the desktop or the chosen browser: a catalogue field naming a
// file or a script opens nothing.
TEST_F(CircleWebCommandsTest, OnlyWebAndMailAddressesAreOpened) {
  values.browserPathMode = 1;
  std::strcpy(values.browserPath, "/usr/bin/browser");
  vx::CircleRecord circle = controller.GetCurrentCircle();
  for (const char* url : {"file:///etc/passwd", "javascript:alert(1)", "--help", "/bin/sh"}) {
    circle.url = url;
    controller.SetCurrentCircle(circle);
    EXPECT_FALSE(commands.OpenCurrentCircleLink(Link::kUrl)) << url;
  }
  circle.url = "http://circle.example/";
  controller.SetCurrentCircle(circle);
  EXPECT_TRUE(commands.OpenCurrentCircleLink(Link::kUrl));
  EXPECT_EQ(ui.OpenedUrls(), Urls{"http://circle.example/"});
  EXPECT_TRUE(ui.CallsOf(vx::UiCallKind::kOpenUrl).empty());  // the chosen browser every time
}

// The fields hold ids: the commands open the same profile addresses as the detail window's links;
// what is neither an id nor a web address opens nothing and searches nothing.
TEST_F(CircleWebCommandsTest, IdsOpenTheirProfilesAndOtherTextOpensNothing) {
  vx::CircleRecord circle = controller.GetCurrentCircle();
  circle.twitter = "vx_c00001";
  circle.pixiv = "3000007";
  controller.SetCurrentCircle(circle);
  EXPECT_TRUE(commands.OpenCurrentCircleLink(Link::kTwitter));
  EXPECT_TRUE(commands.OpenCurrentCircleLink(Link::kPixiv));
  circle.twitter = "a note";
  circle.pixiv = "javascript:alert(1)";
  controller.SetCurrentCircle(circle);
  EXPECT_FALSE(commands.OpenCurrentCircleLink(Link::kTwitter));
  EXPECT_FALSE(commands.OpenCurrentCircleLink(Link::kPixiv));
  EXPECT_EQ(ui.OpenedUrls(),
            (Urls{"https://twitter.com/vx_c00001", "https://www.pixiv.net/users/3000007"}));
}

// Without a browser the desktop only writes to standard error: each command says so in a box
// that shows the address; an address refused before any browser is tried shows none.
TEST_F(CircleWebCommandsTest, ABrowserThatDoesNotStartIsReportedWithTheAddress) {
  ui.SetBrowserStarts(false);
  EXPECT_FALSE(commands.OpenSupportPage());
  EXPECT_FALSE(commands.OpenCurrentCircleLink(Link::kTwitter));
  EXPECT_FALSE(commands.SearchCurrentCircle());
  values.browserPathMode = 1;
  std::strcpy(values.browserPath, "/opt/no-such-browser");
  EXPECT_FALSE(commands.OpenCurrentCircleLink(Link::kUrl));
  vx::CircleRecord circle = controller.GetCurrentCircle();
  circle.url = "javascript:alert(1)";
  controller.SetCurrentCircle(circle);
  EXPECT_FALSE(commands.OpenCurrentCircleLink(Link::kUrl));

  const std::string failed = vx::Sjis("を起動できませんでした.\n次のアドレスを開けません.\n\n");
  const Urls texts = {
      vx::Sjis("ブラウザ") + failed + std::string(vx::kSupportPage),
      vx::Sjis("ブラウザ") + failed + "https://twitter.example/c",
      vx::Sjis("ブラウザ") + failed + Search("%4e+OR+%50"),
      vx::Sjis("設定されたブラウザ /opt/no-such-browser ") + failed + "https://circle.example/"};
  Urls shown;
  for (const vx::UiCall& box : ui.CallsOf(vx::UiCallKind::kMessageBox)) {
    shown.push_back(box.text);
    EXPECT_EQ(box.flags, vx::MB_OK | vx::MB_ICONERROR);
    EXPECT_EQ(box.owner, &beacon);
  }
  EXPECT_EQ(shown, texts);
  EXPECT_TRUE(ui.OpenedUrls().empty());
}

TEST_F(CircleWebCommandsTest, NothingWithoutACurrentCircleOrTerms) {
  values.googleType = 5;
  EXPECT_FALSE(commands.SearchCurrentCircle());
  EXPECT_FALSE(commands.OpenCurrentCircleLink(Link::kPixiv));
  values.googleType = 0;
  controller.SetCurrentCircle(vx::CircleRecord{});
  EXPECT_FALSE(commands.SearchCurrentCircle());
  EXPECT_FALSE(commands.OpenCurrentCircleLink(Link::kUrl));
  EXPECT_TRUE(ui.Calls().empty());
}

}  // namespace
