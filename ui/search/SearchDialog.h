// The circle search dialog: edits the controller's one search condition (days, keyword fields,
// genres, memo and update filters, keywords, AND or OR, normalised matching) and asks the circle
// list to run it. It opens for a new search ("サークル検索"), a narrowing of the last result
// ("絞込み検索") or a redo of the last narrowing ("絞込み検索（やり直し）"); narrowing and redo are
// offered while the controller's program-wide flags allow them.
//
// With "SearchDlgStyle" on, the dialog stays open after a search and the other windows take input
// meanwhile; with it off, the dialog ends with the search and holds the modal guard while open.
#pragma once

#include <QDialog>

#include <array>
#include <memory>
#include <string_view>

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace vx {

class CatalogController;
class SearchCondition;

class SearchDialog : public QDialog {
  Q_OBJECT

 public:
  enum Mode { kNewSearch = 0, kNarrow = 1, kRedoNarrowing = 2 };
  static constexpr int kDayBoxes = 4;
  static constexpr int kFieldBoxes = 14;

  // `owner` is the window the dialog belongs to (the beacon); it opens centred on it while it is
  // shown, else on the screen.
  SearchDialog(CatalogController& controller, QWidget* owner);
  ~SearchDialog() override;

  // Shows the dialog in `mode` and returns when it has ended: IDOK after a search that closed
  // it, IDCANCEL when it was closed. The modal guard it raised is down again when it returns.
  int RunModal(int mode);
  // Fills the controls again from the condition, in `mode` (a second command while it is open).
  void Reopen(int mode);

  // The list bar's keyword field: the keywords of the condition (everything else kept), then the
  // search as a new one that can be narrowed. Nothing without a condition or with no text.
  static void RunQuickKeywordSearch(CatalogController* controller, std::string_view cp932Text);

  // The title of a mode, UTF-8.
  static const char* Title(int mode);

 protected:
  void reject() override;  // Escape and the close box: as "閉じる"

 private:
  // Set-up, in this order.
  void CreateControls();
  void ArrangeControls();
  void ConnectControls();

  void Centre();
  void Fill();
  void FillGenres(const SearchCondition& condition);
  void UpdateRunButtons();
  void Run(int mode);
  void Apply();
  void Close();
  void ResetCondition();
  void CheckAllGenres(bool checked);
  void ToggleKeepOpen(bool on);
  bool KeepOpen() const;
  void SetKeepOpen(bool on);
  void RaiseGuard();
  void LowerGuard();

  CatalogController& controller_;
  int mode_ = kNewSearch;
  bool guardRaised_ = false;
  int ownKeepOpen_ = 0;                      // stands in without settings values
  std::shared_ptr<const void> searchTexts_;  // SearchCondition::TextsHold while open

  std::array<QCheckBox*, kDayBoxes> days_{};
  QCheckBox* noDay_ = nullptr;
  std::array<QCheckBox*, kFieldBoxes> fields_{};
  QListWidget* genres_ = nullptr;
  QPushButton* selectAll_ = nullptr;
  QPushButton* clearAll_ = nullptr;
  QCheckBox* memoOnly_ = nullptr;
  QCheckBox* updatedOnly_ = nullptr;
  QLineEdit* keyword_ = nullptr;
  QRadioButton* matchAll_ = nullptr;
  QRadioButton* matchAny_ = nullptr;
  QCheckBox* normalize_ = nullptr;
  QCheckBox* keepOpen_ = nullptr;
  QPushButton* reset_ = nullptr;
  QPushButton* search_ = nullptr;
  QPushButton* narrow_ = nullptr;
  QPushButton* redo_ = nullptr;
  QPushButton* close_ = nullptr;
};

}  // namespace vx
