// The two-level heading of the import confirmation page: the checklist's event over the file's
// circle, the catalogue's event over the proposed circle, "チェック" over the three choices, and
// under each circle the names of the four texts its cell shows.
#pragma once

#include <QHeaderView>
#include <QString>

#include <vector>

namespace vx {

class ImportConfirmHeader : public QHeaderView {
  Q_OBJECT

 public:
  ImportConfirmHeader(int fileEvent, int catalogueEvent, QWidget* parent = nullptr);

  // One caption of the heading: its text and where it stands (band 0..2 from the top, spanning
  // `bands`; the first and last section it covers; within a circle section, half 0 or 1, or -1
  // for the whole section).
  struct Caption {
    QString text;
    int band = 0;
    int bands = 1;
    int firstSection = 0;
    int lastSection = 0;
    int half = -1;
  };
  const std::vector<Caption>& Captions() const { return captions_; }

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int BandHeight() const;
  QRect CaptionRect(const Caption& caption) const;

  std::vector<Caption> captions_;
};

}  // namespace vx
