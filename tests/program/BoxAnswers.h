// Every message box is answered with its default button; its text is kept.
#pragma once

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>

#include <string>
#include <vector>

#include "tests/program/OnShow.h"

namespace vxtest {

class BoxAnswers {
 public:
  std::vector<std::string> texts;

 private:
  OnShow<QMessageBox> answer_{[this](QMessageBox* box) {
    texts.push_back(box->text().toStdString());
    box->defaultButton() ? box->defaultButton()->click() : box->reject();
  }};
};

}  // namespace vxtest
