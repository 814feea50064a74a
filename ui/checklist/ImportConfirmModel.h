// The rows of the import confirmation page (CFvrImpConfirm) over the checklist store's import rows:
// what the file says of each circle, the catalogue circle proposed for it, and the user's choice
// among register, register as a circle the catalogue does not hold, and skip.
//
// A file circle with several candidates is one group: its file cell spans the group's rows, and
// every row keeps a choice of its own, so that two namesakes can both be registered. A row matched
// by both names and given a colour is decided already and not shown.
#pragma once

#include <QAbstractTableModel>

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace vx {

class FavoriteStore;

// The memo or description as the page shows it: at most 48 characters, without line breaks,
// backslashes and the full-width yen sign.
std::string ConfirmationExcerpt(std::string_view cp932);

class ImportConfirmModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum Column { kFileColumn, kCandidateColumn, kRegisterColumn, kUnknownColumn, kSkipColumn };
  static constexpr int kColumnCount = 5;

  // Texts of the two circle cells: Qt::DisplayRole is the circle name (or "該当サークルなし"),
  // then the pen name, the colour label (file) or genre (candidate), and the memo or description.
  // kSwatchRole: the file cell's colour. kChoiceRole of a choice cell: true when chosen, false
  // when not, invalid where the row offers no such choice (shown " - "); setting it true chooses.
  enum Role {
    kPenNameRole = Qt::UserRole + 1,
    kLabelRole,
    kNoteRole,
    kSwatchRole,
    kChoiceRole,
  };

  ImportConfirmModel(const FavoriteStore& store, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  // The rows the file cell of `row` spans; 0 for a row an earlier row's cell covers.
  int FileSpan(int row) const;
  // The action of every import row, as chosen so far.
  const std::vector<int>& Actions() const { return actions_; }
  // The chosen actions into the store's import rows.
  void WriteActions(FavoriteStore& store) const;

 private:
  struct PageRow {
    int record = 0;
    int fileSpan = 1;            // 0 when covered
    std::array<int, 3> choices;  // the action each choice column sets; 0: no such choice
  };

  void BuildRows();
  void Choose(int row, int column);
  QVariant FileCellData(int record, int role) const;
  QVariant CandidateCellData(int record, int role) const;
  QVariant ChoiceData(const PageRow& row, int column, int role) const;

  const FavoriteStore& store_;
  std::vector<PageRow> rows_;
  std::vector<int> actions_;
};

}  // namespace vx
