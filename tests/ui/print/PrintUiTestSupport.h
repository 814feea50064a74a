// The print engine for the print dialogs' tests: documents whose runs are scripted, messages
// through Qt's queue, error boxes recorded.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QTest>

#include <atomic>
#include <functional>
#include <map>

#include "print/PrintEngine.h"
#include "print/PrintJob.h"
#include "print/PrintSelection.h"
#include "print/QtPrintEventSink.h"
#include "res/ResourceIds.h"
#include "tests/print/PrintTestSupport.h"

namespace vxtest {

class PrintUiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    vx::PrintEngine_Reset();
    UseContext();
    for (int kind = 1; kind <= vx::kDocumentKindCount; ++kind) {
      vx::PrintEngine_SetDocument(kind, [this](vx::PrintJob& job, int target) {
        return target == vx::kTargetCount ? Count(job) : work(job);
      });
    }
  }
  void TearDown() override { vx::PrintEngine_Reset(); }

  // `boxes`: where error reports go instead of being recorded.
  void UseContext(vx::PrintReportSink* boxes = nullptr) {
    vx::PrintEngineServices services;
    services.source = &source;
    services.reports = boxes ? boxes : &reports;
    services.events = &events;
    services.startThread = startThread;
    vx::PrintEngine_SetContext(services, {}, {});
  }

  // A list job to the printer whose counting pass gives `units` progress units over `pages` pages.
  void PrepareJob(int units, int pages) {
    units_ = units;
    pages_ = pages;
    vx::PrintSelection request;
    request.Reset();
    request.family = vx::PrintSelection::kFamilyList;
    request.layout = 1;
    vx::PrintEngine_SetupJob(request);
    vx::PrintEngine_SetPrinterTarget(nullptr, 1);
  }

  int Count(vx::PrintJob& job) {
    job.preparationResult = units_;
    job.pageFigure = pages_;
    ++counts;
    vx::PrintEngine_Post(job, UM_PRINT_DONE, units_);
    return 0;
  }

  FakePrintSource source;
  RecordingReports reports;
  vx::QtPrintEventSink events;
  std::function<std::thread(std::function<void()>)> startThread;
  // The run of a started job on its thread.
  std::function<int(vx::PrintJob&)> work = [](vx::PrintJob& job) {
    vx::PrintEngine_Post(job, UM_PRINT_DONE, 0);
    return 0;
  };
  int counts = 0;
  // What the next counting pass gives.
  int units_ = 0;
  int pages_ = 0;
};

// The letter after the "&" of a text; none when it has no mnemonic.
inline QChar MnemonicOf(const QString& text) {
  for (qsizetype i = text.indexOf(QLatin1Char('&')); i >= 0 && i + 1 < text.size();
       i = text.indexOf(QLatin1Char('&'), i + 2)) {
    if (text[i + 1] != QLatin1Char('&')) return text[i + 1].toUpper();
  }
  return {};
}

// Each mnemonic of the shown dialog's labels and buttons is used once, and Alt with a label's
// letter moves the focus to its control (a label without one shows a literal "&").
inline void ExpectMnemonicsReachTheirControls(QWidget& dialog) {
  dialog.show();
  dialog.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  std::map<QChar, QString> used;
  const auto take = [&](const QString& text) {
    const QChar letter = MnemonicOf(text);
    if (letter.isNull()) return letter;
    const auto [it, fresh] = used.emplace(letter, text);
    EXPECT_TRUE(fresh) << text.toStdString() << " and " << it->second.toStdString();
    return letter;
  };
  for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>()) {
    if (button->isVisible()) take(button->text());
  }
  for (QLabel* label : dialog.findChildren<QLabel*>()) {
    const QChar letter = label->isVisible() ? take(label->text()) : QChar();
    if (letter.isNull()) continue;
    ASSERT_TRUE(label->buddy()) << label->text().toStdString();
    QTest::keyClick(&dialog, static_cast<char>(letter.toLower().toLatin1()), Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), label->buddy()) << label->text().toStdString();
  }
}

}  // namespace vxtest
