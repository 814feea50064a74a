#include "platform/UiServices.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(MessageBoxFlags, ButtonsDefaultAndEscapeAnswers) {
  struct Case {
    unsigned flags;
    std::vector<int> buttons;
    int defaultAnswer;
    int escapeAnswer;
  };
  const Case cases[] = {
      {vx::MB_OK | vx::MB_DEFBUTTON2, {IDOK}, IDOK, IDOK},
      {vx::MB_OKCANCEL | 0x300, {IDOK, IDCANCEL}, IDOK, IDCANCEL},
      {vx::MB_ABORTRETRYIGNORE | vx::MB_DEFBUTTON2, {IDABORT, IDRETRY, IDIGNORE}, IDRETRY, 0},
      {vx::MB_YESNOCANCEL | vx::MB_DEFBUTTON3, {IDYES, IDNO, IDCANCEL}, IDCANCEL, IDCANCEL},
      {vx::MB_YESNO | vx::MB_ICONQUESTION | vx::MB_DEFBUTTON3, {IDYES, IDNO}, IDYES, 0},
      {vx::MB_RETRYCANCEL | vx::MB_DEFBUTTON2, {IDRETRY, IDCANCEL}, IDCANCEL, IDCANCEL},
      {0x6 | vx::MB_ICONHAND, {IDOK}, IDOK, IDOK},  // unknown type
  };
  for (const Case& c : cases) {
    EXPECT_EQ(vx::MessageBoxAnswers(c.flags), c.buttons) << c.flags;
    EXPECT_EQ(vx::MessageBoxDefaultAnswer(c.flags), c.defaultAnswer) << c.flags;
    EXPECT_EQ(vx::MessageBoxEscapeAnswer(c.flags), c.escapeAnswer) << c.flags;
  }
}

TEST(OpenableUrl, OnlyWebAndMailSchemes) {
  for (const char* url : {"http://example.com/", "HTTPS://example.com/", "mailto:a@example.com"})
    EXPECT_TRUE(vx::IsOpenableUrl(url)) << url;
  for (const char* url : {"file:///etc/passwd", "javascript:alert(1)", "/usr/bin/xterm",
                          " http://example.com/", "--new-window", ""})
    EXPECT_FALSE(vx::IsOpenableUrl(url)) << url;
}

}  // namespace
