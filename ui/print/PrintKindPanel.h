// The part the print dialog and the image-file output dialog share: the print kind with its
// description and detailed settings, the option to print without GDI+, and the page range with
// the pages the chosen kind yields.
#pragma once

#include <QWidget>
#include <string>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vx {

struct PrintDialogServices;
struct PrintSettings;

class PrintKindPanel : public QWidget {
  Q_OBJECT

 public:
  PrintKindPanel(QWidget* parent, PrintSettings& settings, const PrintDialogServices& services);

  // While one lives the kind stays: a kind's mnemonic clicks its button a moment after the key,
  // and that click must not land in a file choice, a box, the preview or the sheet the dialog has
  // opened, nor after OK. The kind at OK is the one printed.
  class KindFixed {
   public:
    explicit KindFixed(PrintKindPanel& panel) : panel_(panel) { ++panel_.fixed_; }
    ~KindFixed() { --panel_.fixed_; }
    KindFixed(const KindFixed&) = delete;
    KindFixed& operator=(const KindFixed&) = delete;

   private:
    PrintKindPanel& panel_;
  };

  // Shows kind `kind` (0..3, another counts as 0) and makes it the settings' print kind: its
  // radio, description and the pages it yields. `resetRange` chooses all pages again.
  void SetKind(int kind, bool resetRange);
  int PageCount() const { return pageCount_; }
  bool AllPages() const;
  // The typed range; "1-" when empty.
  std::string RangeText() const;
  // Without pages: the "印刷" box, and false.
  bool CheckHasPages();

 Q_SIGNALS:
  // Before the kind changes, the detailed settings open or the preview runs: the dialog's own
  // fields go to the settings first.
  void aboutToUseSettings();

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void CreateControls();
  void ArrangeControls();
  void ConnectControls();
  void OnDetails();
  void OnPreview();
  void OnRangeChoice(bool all);
  void OnKindClicked(int kind);

  PrintSettings& settings_;
  const PrintDialogServices& services_;
  int pageCount_ = 0;
  int shownKind_ = 0;
  int fixed_ = 0;        // KindFixed scopes alive
  bool closed_ = false;  // the dialog was shown and has closed
  QButtonGroup* kinds_ = nullptr;
  QLabel* description_ = nullptr;
  QPushButton* details_ = nullptr;
  QCheckBox* noGdiPlus_ = nullptr;
  QRadioButton* all_ = nullptr;
  QRadioButton* range_ = nullptr;
  QLineEdit* rangeEdit_ = nullptr;
  QLabel* rangeNote_ = nullptr;
  QPushButton* preview_ = nullptr;
};

}  // namespace vx
