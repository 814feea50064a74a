// A cut page view over the controller's test catalogue (tests/app/ControllerCatalog.h) with a
// low-resolution cut archive of its own: every cut is 60 x 80, white with a black stripe over
// columns 30 to 44, so a composed page is 360 x 520 under a 40-pixel caption band. The frame that
// hosts the view is a stand-in that passes every application message on.
#pragma once

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QTest>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/CatalogController.h"
#include "app/SettingsValues.h"
#include "data/PavorunDatabase.h"
#include "data/images/CatalogImages.h"
#include "res/ResourceIds.h"
#include "tests/app/ControllerCatalog.h"
#include "tests/data/images/TestArchive.h"
#include "tests/support/ScriptedUiServices.h"
#include "tests/support/TempDir.h"
#include "tests/ui/views/ForwardingFrame.h"
#include "ui/views/CutPageView.h"

namespace vxtest {

constexpr int kCutW = 60, kCutH = 80, kBand = 40;
constexpr int kStripeLeft = 30, kStripeRight = 45;
// COLORREF values of the first check colours.
constexpr std::uint32_t kCheckColors[] = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xFF00FF};

// The page rectangle of a cut (from 1) on a composed page.
inline QRect PageCut(int cut) {
  return QRect((cut - 1) % 6 * kCutW, kBand + (cut - 1) / 6 * kCutH, kCutW, kCutH);
}

// A cut of `size`, the stripe where it lies on a cut of the usual size, and a black column one
// pixel wide at `fineLine` unless it is negative.
inline std::string CutPng(QSize size = QSize(kCutW, kCutH), int fineLine = -1) {
  QImage cut(size, QImage::Format_RGB32);
  cut.fill(Qt::white);
  QPainter painter(&cut);
  const int left = kStripeLeft * size.width() / kCutW, right = kStripeRight * size.width() / kCutW;
  painter.fillRect(left, 0, right - left, size.height(), Qt::black);
  if (fineLine >= 0) painter.fillRect(fineLine, 0, 1, size.height(), Qt::black);
  painter.end();
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  cut.save(&buffer, "PNG");
  return bytes.toStdString();
}

// Every circle of the catalogue has its cut (entry 1000 + id), by default in the low-resolution
// archive.
inline void WriteCutArchive(const std::filesystem::path& folder, const char* name = "V096CUTL.CCZ",
                            QSize size = QSize(kCutW, kCutH), int fineLine = -1) {
  ZipWriter zip(folder / name);
  zip.Add("INIT.TXT", "vqnum\t96\r\nwidth\t" + std::to_string(size.width()) + "\r\nheight\t" +
                          std::to_string(size.height()) + "\r\n");
  const std::string png = CutPng(size, fineLine);
  for (int id : {101, 102, 103, 104, 133, 136, 112, 113, 115, 134, 131, 132, 135, 900}) {
    char name[16];
    std::snprintf(name, sizeof name, "%06d.PNG", 1000 + id);
    zip.Add(name, png);
  }
}

// The scripted services, except that the clipboard can be made to refuse text.
class RefusableClipboard : public vx::UiServices {
 public:
  explicit RefusableClipboard(vx::UiServices& inner) : inner_(inner) {}
  bool refuse = false;

  bool SetClipboardText(std::string_view cp932) override {
    return !refuse && inner_.SetClipboardText(cp932);
  }
  bool HasClipboardText() override { return inner_.HasClipboardText(); }
  std::string ClipboardText() override { return inner_.ClipboardText(); }
  int MessageBox(vx::OwnerWindow owner, std::string_view text, std::string_view caption,
                 unsigned flags) override {
    return inner_.MessageBox(owner, text, caption, flags);
  }
  std::optional<std::filesystem::path> OpenFileDialog(
      vx::OwnerWindow owner, const vx::FileDialogRequest& request) override {
    return inner_.OpenFileDialog(owner, request);
  }
  std::vector<std::filesystem::path> OpenFilesDialog(
      vx::OwnerWindow owner, const vx::FileDialogRequest& request) override {
    return inner_.OpenFilesDialog(owner, request);
  }
  std::optional<std::filesystem::path> SaveFileDialog(
      vx::OwnerWindow owner, const vx::FileDialogRequest& request) override {
    return inner_.SaveFileDialog(owner, request);
  }
  std::optional<std::filesystem::path> FolderDialog(vx::OwnerWindow owner, std::string_view title,
                                                    const std::filesystem::path& start) override {
    return inner_.FolderDialog(owner, title, start);
  }
  bool OpenUrl(std::string_view url) override { return inner_.OpenUrl(url); }
  bool RunBrowser(const std::filesystem::path& program, std::string_view url) override {
    return inner_.RunBrowser(program, url);
  }
  void Beep() override { inner_.Beep(); }

 private:
  vx::UiServices& inner_;
};

class CutPageViewTest : public ::testing::Test {
 protected:
  void SetUp() override { Start(true); }

  // With or without image data; the view shows `client` pixels of the page.
  void Start(bool withImages, QSize client = QSize(400, 600)) {
    BuildControllerCatalog(db);
    if (withImages) WriteCutArchive(dir.Path());
    images.Open(dir.Path(), kControllerEvent);
    values.eventNumber = kControllerEvent;
    values.fvrColorNum = 5;
    for (int i = 0; i < 5; ++i) values.fvrColors[i] = kCheckColors[i];
    values.fvrColorDef = 1;  // the current colour is colour 2
    ASSERT_TRUE(controller.Init(&db, &images, &values));
    view = std::make_unique<vx::CutPageView>(controller);
    frame.view = view.get();
    controller.RegisterWindow(vx::kMainWindowId, &frame, "main");
    view->setFrameShape(QFrame::NoFrame);
    view->resize(client);
    view->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
    controller.SelectCircle(101, false);
  }

  void TearDown() override {
    frame.view = nullptr;
    view.reset();
  }

  QImage Shot() const { return view->grab().toImage().convertToFormat(QImage::Format_RGB32); }
  // The colour of a page pixel as the view shows it (zoom 100, no scroll, pixel ratio 1).
  QRgb PagePixel(QPoint pagePoint) const { return Shot().pixel(pagePoint) & 0xFFFFFF; }
  QRgb CutPixel(int cut, int x, int y) const {
    return PagePixel(PageCut(cut).topLeft() + QPoint(x, y));
  }
  int CurrentId() const { return controller.GetCurrentCircle().id; }
  // The view point of a page point.
  QPoint At(int cut, int x = kCutW / 4, int y = kCutH / 2) const {
    const QRectF r = view->ImageToView(PageCut(cut));
    return r.topLeft().toPoint() + QPoint(x * view->Zoom() / 100, y * view->Zoom() / 100);
  }

  TempDir dir;
  vx::PavorunDatabase db{dir.Path()};
  vx::CatalogImages images;
  vx::SettingsValues values{};
  vx::ScriptedUiServices ui;
  RefusableClipboard clipboard{ui};
  ForwardingFrame frame;
  vx::CatalogController controller{nullptr, {&clipboard, nullptr, nullptr, nullptr, nullptr}};
  std::unique_ptr<vx::CutPageView> view;
};

constexpr QRgb kWhite = 0xFFFFFF, kBlack = 0x000000;
constexpr QRgb kHighlightWhite = 0xC0F0FF;  // white ANDed with RGB(C0, F0, FF)
constexpr QRgb kPinnedWhite = 0xFFC0E0;     // white ANDed with RGB(FF, C0, E0)

inline QRgb Rgb(std::uint32_t colorRef) {
  return ((colorRef & 0xFF) << 16) | (colorRef & 0xFF00) | ((colorRef >> 16) & 0xFF);
}

}  // namespace vxtest
