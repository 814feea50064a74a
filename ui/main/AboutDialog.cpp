#include "ui/main/AboutDialog.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include <cstdio>

#include "app/CatalogController.h"
#include "platform/CodePage.h"
#include "res/ResourceIds.h"
#include "ui/dialogs/DialogSupport.h"
#include "ui/widgets/ControlFont.h"
#include "ui/main/HostSystemInfo.h"
#include "ui/main/JsonLibraryLicense.h"

namespace vx {

namespace {

constexpr char kVersionLine[] = "Version 1.96.1";
constexpr int kIconSize = 32;

}  // namespace

std::string ApplicationTitle() { return Sjis("ヴェラストレードCD-ROMロザーヴァンクイスト"); }

std::string AboutText(std::string_view eventName, std::string_view osName, int memoryMB,
                      std::string_view libraryPath, std::string_view libraryVersion,
                      std::string_view license) {
  const std::string memory = std::to_string(memoryMB);
  std::string text = Sjis("データ : ");
  text.append(eventName).append("\r\nOS : ").append(osName);
  text.append(Sjis("\r\nメモリ : ")).append(memory).append("MBytes\r\n");
  text.append("Qt Path : ").append(libraryPath).append("\r\n");
  text.append("Qt Ver : ").append(libraryVersion).append("\r\n\r\n");
  text.append(license);
  return text;
}

AboutDialog::AboutDialog(QWidget* parent, const CatalogController& controller) : QDialog(parent) {
  setWindowTitle(QtText(Sjis("バージョン情報")));
  setFont(ControlFont());
  CreateControls(controller);
  ArrangeControls();
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
}

void AboutDialog::CreateControls(const CatalogController& controller) {
  icon_ = new QLabel(this);
  icon_->setPixmap(QApplication::style()
                       ->standardIcon(QStyle::SP_MessageBoxInformation)
                       .pixmap(kIconSize, kIconSize));
  title_ = new QLabel(QtText(ApplicationTitle()) + QLatin1Char('\n') + QLatin1String(kVersionLine),
                      this);
  SetControlId(title_, IDC_ABOUT_TITLE);
  const std::string text =
      AboutText(controller.GetEventName(), controller.GetOsName(), GetPhysicalMemoryMB(),
                controller.GetGraphicsLibraryPath(), controller.GetGraphicsLibraryVersion(),
                JsonLibraryLicenseText());
  info_ = new QPlainTextEdit(this);
  SetControlId(info_, IDC_ABOUT_SYSTEM_INFO);
  info_->setReadOnly(true);
  info_->setPlainText(QtText(text).remove(QLatin1Char('\r')));
  ok_ = new QPushButton(QStringLiteral("OK"), this);
  SetControlId(ok_, IDOK);
  ok_->setDefault(true);
}

void AboutDialog::ArrangeControls() {
  auto* top = new QHBoxLayout;
  top->addWidget(icon_, 0, Qt::AlignTop);
  top->addWidget(title_, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(info_, 1);
  layout->addLayout(buttons);
  resize(480, 360);
}

}  // namespace vx
