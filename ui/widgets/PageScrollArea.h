// A page that scrolls up and down only where its window is kept lower than the page (a small
// screen): it asks for the page's whole size, where a plain scroll area asks for a fraction.
#pragma once

#include <QScrollArea>

namespace vx {

class PageScrollArea : public QScrollArea {
  Q_OBJECT

 public:
  PageScrollArea(QWidget* page, QWidget* parent);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 private:
  // What the area adds around the page: its frame and the vertical bar.
  QSize Chrome() const;
};

}  // namespace vx
