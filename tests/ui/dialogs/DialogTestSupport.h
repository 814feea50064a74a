// Finding a dialog's controls by their ids, reading the scripted boxes, and the sample disc.
#pragma once

#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/CodePage.h"
#include "tests/support/ScriptedUiServices.h"

namespace vxtest {

template <class T>
T* Control(const QWidget* dialog, int id) {
  for (T* control : dialog->findChildren<T*>()) {
    if (control->property("controlId").toInt() == id) return control;
  }
  return nullptr;
}

// "title|text" of every message box shown, in UTF-8.
inline std::vector<std::string> Boxes(const vx::ScriptedUiServices& ui) {
  std::vector<std::string> boxes;
  for (const vx::UiCall& call : ui.CallsOf(vx::UiCallKind::kMessageBox)) {
    boxes.push_back(vx::Cp932ToUtf8(call.caption) + "|" + vx::Cp932ToUtf8(call.text));
  }
  return boxes;
}

inline std::filesystem::path SampleDisc() { return std::getenv("VX_SAMPLE_DISC"); }

// A modal loop that never ends fails the test run instead of hanging it.
class Watchdog {
 public:
  explicit Watchdog(int ms = 60000) {
    timer_.setSingleShot(true);
    QObject::connect(&timer_, &QTimer::timeout, [] {
      std::fprintf(stderr, "a dialog never ended\n");
      std::abort();
    });
    timer_.start(ms);
  }

 private:
  QTimer timer_;
};

}  // namespace vxtest
