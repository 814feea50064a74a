#include "platform/UiServices.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using vx::MessageBoxAnswers;
using vx::MessageBoxDefaultAnswer;
using vx::MessageBoxEscapeAnswer;

TEST(MessageBoxAnswers, EachTypeHasItsButtonsInOrder) {
  EXPECT_EQ(MessageBoxAnswers(vx::MB_OK), std::vector<int>({IDOK}));
  EXPECT_EQ(MessageBoxAnswers(vx::MB_OKCANCEL), std::vector<int>({IDOK, IDCANCEL}));
  EXPECT_EQ(MessageBoxAnswers(vx::MB_ABORTRETRYIGNORE),
            std::vector<int>({IDABORT, IDRETRY, IDIGNORE}));
  EXPECT_EQ(MessageBoxAnswers(vx::MB_YESNOCANCEL), std::vector<int>({IDYES, IDNO, IDCANCEL}));
  EXPECT_EQ(MessageBoxAnswers(vx::MB_YESNO), std::vector<int>({IDYES, IDNO}));
  EXPECT_EQ(MessageBoxAnswers(vx::MB_RETRYCANCEL), std::vector<int>({IDRETRY, IDCANCEL}));
}

TEST(MessageBoxAnswers, IconAndDefaultFlagsDoNotChangeTheButtons) {
  EXPECT_EQ(MessageBoxAnswers(vx::MB_YESNO | vx::MB_ICONQUESTION | vx::MB_DEFBUTTON2),
            std::vector<int>({IDYES, IDNO}));
}

TEST(MessageBoxAnswers, UnknownTypeShowsTheOkBox) {
  EXPECT_EQ(MessageBoxAnswers(0x6), std::vector<int>({IDOK}));
  EXPECT_EQ(MessageBoxAnswers(0xF | vx::MB_ICONHAND), std::vector<int>({IDOK}));
}

TEST(MessageBoxDefaultAnswer, PicksTheNumberedButton) {
  EXPECT_EQ(MessageBoxDefaultAnswer(vx::MB_YESNOCANCEL), IDYES);
  EXPECT_EQ(MessageBoxDefaultAnswer(vx::MB_YESNOCANCEL | vx::MB_DEFBUTTON2), IDNO);
  EXPECT_EQ(MessageBoxDefaultAnswer(vx::MB_YESNOCANCEL | vx::MB_DEFBUTTON3), IDCANCEL);
  EXPECT_EQ(MessageBoxDefaultAnswer(vx::MB_ABORTRETRYIGNORE | vx::MB_DEFBUTTON2), IDRETRY);
}

TEST(MessageBoxDefaultAnswer, FallsBackToTheFirstButtonWhenTheBoxHasFewer) {
  EXPECT_EQ(MessageBoxDefaultAnswer(vx::MB_YESNO | vx::MB_DEFBUTTON3), IDYES);
  EXPECT_EQ(MessageBoxDefaultAnswer(vx::MB_OK | vx::MB_DEFBUTTON2), IDOK);
  EXPECT_EQ(MessageBoxDefaultAnswer(vx::MB_OKCANCEL | 0x300), IDOK);  // a fourth button
}

TEST(MessageBoxEscapeAnswer, CancelWhereThereIsACancelButton) {
  EXPECT_EQ(MessageBoxEscapeAnswer(vx::MB_OKCANCEL), IDCANCEL);
  EXPECT_EQ(MessageBoxEscapeAnswer(vx::MB_YESNOCANCEL), IDCANCEL);
  EXPECT_EQ(MessageBoxEscapeAnswer(vx::MB_RETRYCANCEL), IDCANCEL);
}

TEST(MessageBoxEscapeAnswer, OkBoxAnswersOkAndQuestionsCannotBeDismissed) {
  EXPECT_EQ(MessageBoxEscapeAnswer(vx::MB_OK | vx::MB_ICONHAND), IDOK);
  EXPECT_EQ(MessageBoxEscapeAnswer(vx::MB_YESNO), 0);
  EXPECT_EQ(MessageBoxEscapeAnswer(vx::MB_ABORTRETRYIGNORE), 0);
}

TEST(WithDefaultExtension, AddsTheExtensionOnlyWhenTheNameHasNone) {
  EXPECT_EQ(vx::WithDefaultExtension("/home/u/settings", "ini"), "/home/u/settings.ini");
  EXPECT_EQ(vx::WithDefaultExtension("/home/u/settings.txt", "ini"), "/home/u/settings.txt");
  EXPECT_EQ(vx::WithDefaultExtension("/home/u.d/settings", "ini"), "/home/u.d/settings.ini");
  EXPECT_EQ(vx::WithDefaultExtension("settings", ""), "settings");
  EXPECT_EQ(vx::WithDefaultExtension("/home/u/", "ini"), "/home/u/");  // no file name
}

}  // namespace
