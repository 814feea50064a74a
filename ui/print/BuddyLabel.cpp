#include "ui/print/BuddyLabel.h"

#include <QLabel>

namespace vx {

QLabel* BuddyLabel(QWidget* parent, const QString& text, QWidget* buddy) {
  auto* label = new QLabel(text, parent);
  label->setBuddy(buddy);
  return label;
}

}  // namespace vx
