// A label whose mnemonic ("(&P)") moves the focus to its control.
#pragma once

class QLabel;
class QString;
class QWidget;

namespace vx {

QLabel* BuddyLabel(QWidget* parent, const QString& text, QWidget* buddy);

}  // namespace vx
