// The paper names, the margin checks of the paper dialog, and the paths of written page files.
#include <gtest/gtest.h>

#include "platform/CodePage.h"
#include "print/OutputPath.h"
#include "print/PaperMarginRules.h"
#include "print/PrintPaper.h"

namespace {

using vx::MarginField;
using vx::PaperMarginRules;

TEST(OutputPath, JoinsFolderWholeNameAndExtension) {
  struct Case {
    const char* folder;
    const char* name;
    const char* extension;
    const char* path;
  };
  const Case cases[] = {
      {"/out/", "page007", "*.png", "/out/page007.png"},
      {"/out//deep///", "p", "*.bmp", "/out/deep/p.bmp"},
      {"//server/share/", "p", "*.jpg", "//server/share/p.jpg"},
      {"/o\"ut/", "a\"b", "*.png", "/out/ab.png"},
      {"/out/", "v1.2_003", "*.png", "/out/v1.2_003.png"},  // the point stays in the name
      {"/out/", "sub/name", "x/y.tar.gz", "/out/name.gz"},
      {"nofolder", "n", "", "n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(vx::MakeOutputPath(c.folder, c.name, c.extension), c.path) << c.folder << c.name;
  }
  EXPECT_EQ(vx::PageFileName("page", 7), "page007");
  EXPECT_EQ(vx::PageFileName("p", 1234), "p1234");
}

// The image folder is kept relative to the profile when inside it, so that a copied profile
// writes into its own folder; anything else stays absolute.
TEST(OutputPath, TheImageFolderIsKeptRelativeToTheProfile) {
  const struct {
    const char* folder;
    const char* kept;
  } cases[] = {
      {"/home/u/profile/images", "images/"},
      {"/home/u/profile/a/../b/", "b/"},
      {"/home/u/profile/", "./"},
      {"/home/u/profile", "./"},
      {"/home/u/profile2/x/", "/home/u/profile2/x/"},
      {"/tmp/out", "/tmp/out/"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(vx::OutputFolder_ToSettings(c.folder, "/home/u/profile"), c.kept) << c.folder;
  }
  EXPECT_EQ(vx::OutputFolder_FromSettings("images/", "/moved/profile"), "/moved/profile/images/");
  EXPECT_EQ(vx::OutputFolder_FromSettings("./", "/moved/profile"), "/moved/profile/");
  EXPECT_EQ(vx::OutputFolder_FromSettings("/tmp/out/", "/moved/profile"), "/tmp/out/");
}

TEST(PaperMarginRules, ReadsMillimetresWithOneDecimal) {
  const std::pair<const char*, int> cases[] = {
      {"12", 120},
      {"12.3", 123},
      {"12.34", 123},
      {".5", 5},
      {"12.", 120},
      {"", 0},
      {"0", 0},
      {"1a", -1},
      {"-5", -1},
      {"1,5", -1},
      {"1.2.3", 12},  // the first decimal ends the scan
      {"99999999999999999999", 10 * PaperMarginRules::kMaxPaperSide + 1},
  };
  for (const auto& [text, tenths] : cases) {
    EXPECT_EQ(PaperMarginRules::ReadTenths(text), tenths) << text;
  }
}

vx::PrintSettings A4Settings(bool keepAspect) {
  vx::PrintSettings s{};
  s.paperType = vx::kPaperA4;
  s.paperSizeW = 2100;
  s.paperSizeH = 2970;
  s.keepMarginAspect = keepAspect ? 1 : 0;
  for (vx::PrintMargins& m : s.margins) m = {283, 283, 200, 200};
  return s;
}

TEST(PaperMarginRules, ChecksAValueAgainstThePaperAndTheOtherMargin) {
  struct Case {
    MarginField field;
    int value;
    int code;
    int minimum;
    int maximum;
  };
  const Case cases[] = {
      {MarginField::kLeft, 50, vx::kMarginOk, 0, 2099},
      {MarginField::kLeft, 2100, vx::kMarginOutOfRange, 0, 2099},
      {MarginField::kTop, -1, vx::kMarginOutOfRange, 0, 2969},
      {MarginField::kWidth, 0, vx::kMarginOutOfRange, 1, 99999},
      {MarginField::kWidth, 100000, vx::kMarginOutOfRange, 1, 99999},
      {MarginField::kRight, 1899, vx::kMarginOk, 0, 2099},  // 0.1 mm left beside the left 20.0
      {MarginField::kRight, 1900, vx::kMarginNoPrintableArea, 0, 2099},
      {MarginField::kBottom, 2686, vx::kMarginOk, 0, 2969},
      {MarginField::kBottom, 2687, vx::kMarginNoPrintableArea, 0, 2969},
      {MarginField::kWidth, 400, vx::kMarginNoPrintableArea, 1, 99999},  // the margins' 40.0 mm
  };
  for (const Case& c : cases) {
    vx::PrintSettings s = A4Settings(false);
    const vx::MarginCheck check = PaperMarginRules(s).Check(c.field, c.value);
    EXPECT_EQ(std::tuple(check.code, check.minimum, check.maximum),
              std::tuple(c.code, c.minimum, c.maximum))
        << c.value;
  }
  vx::PrintSettings s = A4Settings(false);
  PaperMarginRules rules(s);
  ASSERT_EQ(rules.Check(MarginField::kRight, 1000).code, vx::kMarginOk);
  EXPECT_EQ(rules.Check(MarginField::kLeft, 1100).code, vx::kMarginNoPrintableArea);
  EXPECT_EQ(s.margins[vx::kPaperA4].left, 200) << "a refused value is not stored";
}

TEST(PaperMarginRules, KeepingTheAspectMovesTheOtherPair) {
  vx::PrintSettings s = A4Settings(true);
  s.margins[vx::kPaperA4] = {0, 0, 150, 200};
  PaperMarginRules rules(s);
  EXPECT_EQ(rules.Check(MarginField::kLeft, 200).code, vx::kMarginOk);
  EXPECT_EQ(s.margins[vx::kPaperA4].top, 283);  // (2970 - 1700 * 2970 / 2100) / 2
  EXPECT_EQ(s.margins[vx::kPaperA4].bottom, 283);

  vx::PrintSettings free = A4Settings(true);
  free.paperType = vx::kPaperFree;
  free.paperSizeW = 3000;
  free.paperSizeH = 2000;
  free.margins[vx::kPaperFree] = {100, 100, 100, 200};
  PaperMarginRules freeRules(free);
  EXPECT_EQ(freeRules.Check(MarginField::kRight, 200).code, vx::kMarginOk) << "unchanged";
  EXPECT_EQ(freeRules.Check(MarginField::kLeft, 200).code, vx::kMarginAspectLost);
  EXPECT_EQ(free.margins[vx::kPaperFree].left, 200) << "the typed value is kept";
  EXPECT_EQ(std::tuple(free.margins[vx::kPaperFree].top, free.margins[vx::kPaperFree].bottom),
            std::tuple(0, 0));
}

TEST(PaperMarginRules, AStandardPaperLeavesTheFreeSizeAlone) {
  vx::PrintSettings s = A4Settings(false);
  s.paperType = 1;  // A3
  s.paperSizeW = 1234;
  s.paperSizeH = 2345;
  PaperMarginRules rules(s);
  EXPECT_EQ(rules.Check(MarginField::kWidth, rules.Value(MarginField::kWidth)).code, 0);
  EXPECT_EQ(rules.Check(MarginField::kHeight, 4200).code, 0);
  EXPECT_EQ(std::tuple(s.paperSizeW, s.paperSizeH), std::tuple(1234, 2345));
}

TEST(PaperMarginRules, AFreePaperOfNoSizeIsRefusedInsteadOfDividedBy) {
  vx::PrintSettings s = A4Settings(true);
  s.paperType = vx::kPaperFree;
  s.paperSizeW = 0;
  s.paperSizeH = 2970;
  PaperMarginRules rules(s);
  EXPECT_EQ(rules.Check(MarginField::kLeft, 10).code, vx::kMarginBadPaper);
  EXPECT_EQ(rules.SetKeepAspect(true), vx::kMarginBadPaper);
  EXPECT_EQ(rules.Check(MarginField::kWidth, 2100).code, vx::kMarginOk);
  EXPECT_EQ(rules.Check(MarginField::kLeft, 10).code, vx::kMarginOk);
}

TEST(PrintPaper, NamesThePaperInUse) {
  vx::PrintSettings s = A4Settings(false);
  EXPECT_EQ(vx::Cp932ToUtf8(vx::PrintPaper_Description(s)), "A4");
  s.paperType = vx::kPaperFree;
  EXPECT_EQ(vx::Cp932ToUtf8(vx::PrintPaper_Description(s)), "フリー (縦297.0 x 横210.0 mm)");
  s.paperType = 99;
  EXPECT_EQ(vx::PrintPaper_Kind(s), vx::kPaperA4);
  EXPECT_EQ(vx::FormatTenths(-15), "-1.5");
}

}  // namespace
