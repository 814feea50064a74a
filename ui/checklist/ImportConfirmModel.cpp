#include "ui/checklist/ImportConfirmModel.h"

#include <QColor>

#include "checklist/FavoriteStore.h"
#include "platform/CodePage.h"
#include "platform/Sjis.h"
#include "platform/qt/QtStrings.h"

namespace vx {

namespace {

constexpr int kExcerptCharacters = 48;
constexpr unsigned char kYenLead = 0x81;
constexpr unsigned char kYenTrail = 0x8F;

constexpr std::array<int, 3> kCandidateChoices = {kImportRegister, kImportRegisterUnknown,
                                                  kImportSkip};
constexpr std::array<int, 3> kGroupCandidateChoices = {kImportRegister, 0, kImportSkip};
constexpr std::array<int, 3> kNoCandidateChoices = {0, kImportRegisterUnknown, kImportSkip};

bool IsChoiceColumn(int column) { return column >= ImportConfirmModel::kRegisterColumn; }

// COLORREF keeps red in its low byte.
QColor FromColorRef(ColorRef color) {
  return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

// A row matched by its names that the file gave a colour is registered without asking.
bool DecidedAlready(const FavoriteImportRecord& row) {
  return row.circleId != 0 && row.color != 0 &&
         row.texts[kImportCircleName] == row.texts[kImportCandidateName] &&
         row.texts[kImportPenName] == row.texts[kImportCandidatePenName];
}

}  // namespace

std::string ConfirmationExcerpt(std::string_view text) {
  std::string shown;
  int characters = 0;
  for (std::size_t i = 0; i < text.size() && characters < kExcerptCharacters;) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (IsSjisLeadByte(c) && i + 1 < text.size() && text[i + 1] != '\0') {
      if (c != kYenLead || static_cast<unsigned char>(text[i + 1]) != kYenTrail) {
        shown.append(text.substr(i, 2));
        ++characters;
      }
      i += 2;
      continue;
    }
    if (c != '\\' && c != '\r' && c != '\n') {
      shown.push_back(static_cast<char>(c));
      ++characters;
    }
    ++i;
  }
  return shown;
}

ImportConfirmModel::ImportConfirmModel(const FavoriteStore& store, QObject* parent)
    : QAbstractTableModel(parent), store_(store) {
  for (const FavoriteImportRecord& row : store.GetImportRecords()) actions_.push_back(row.action);
  BuildRows();
}

// A group is a first row holding its size and the rows of size 1 that follow it; a row of size 1
// that follows no such row stands as a group of its own.
void ImportConfirmModel::BuildRows() {
  const std::vector<FavoriteImportRecord>& records = store_.GetImportRecords();
  const int count = static_cast<int>(records.size());
  for (int i = 0; i < count;) {
    const FavoriteImportRecord& head = records[i];
    if (head.groupRows <= 0) {
      if (!DecidedAlready(head)) {
        rows_.push_back({i, 1, head.circleId ? kCandidateChoices : kNoCandidateChoices});
      }
      ++i;
      continue;
    }
    int members = 1;
    while (members < head.groupRows && i + members < count && records[i + members].groupRows == 1) {
      ++members;
    }
    for (int k = 0; k < members; ++k) {
      const bool candidate = records[i + k].circleId != 0;
      rows_.push_back(
          {i + k, k == 0 ? members : 0, candidate ? kGroupCandidateChoices : kNoCandidateChoices});
    }
    i += members;
  }
}

void ImportConfirmModel::Choose(int row, int column) {
  const int action = rows_[row].choices[column - kRegisterColumn];
  if (action == 0) return;
  actions_[rows_[row].record] = action;
  Q_EMIT dataChanged(index(row, kRegisterColumn), index(row, kSkipColumn), {kChoiceRole});
}

int ImportConfirmModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ImportConfirmModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumnCount;
}

QVariant ImportConfirmModel::data(const QModelIndex& index, int role) const {
  if (!checkIndex(index, CheckIndexOption::IndexIsValid)) return {};
  const PageRow& row = rows_[index.row()];
  switch (index.column()) {
    case kFileColumn:
      return FileCellData(row.record, role);
    case kCandidateColumn:
      return CandidateCellData(row.record, role);
    default:
      return ChoiceData(row, index.column(), role);
  }
}

QVariant ImportConfirmModel::FileCellData(int record, int role) const {
  const FavoriteImportRecord& row = store_.GetImportRecords()[record];
  const bool memoOnly = row.color == 0;
  const FavoriteColor color = store_.ImportColor(row.color - 1);
  switch (role) {
    case Qt::DisplayRole:
      return QtText(row.texts[kImportCircleName]);
    case kPenNameRole:
      return QtText(row.texts[kImportPenName]);
    case kLabelRole:
      if (memoOnly) return QtText(Sjis("メモのみ"));
      return QtText(color.name.empty() ? Sjis("未設定") : color.name);
    case kNoteRole:
      return QtText(ConfirmationExcerpt(row.texts[kImportMemo]));
    case kSwatchRole:
      return memoOnly ? QColor(Qt::white) : FromColorRef(color.checkColor);
    default:
      return {};
  }
}

QVariant ImportConfirmModel::CandidateCellData(int record, int role) const {
  const FavoriteImportRecord& row = store_.GetImportRecords()[record];
  if (row.circleId == 0) {
    return role == Qt::DisplayRole ? QVariant(QtText(Sjis("該当サークルなし"))) : QVariant();
  }
  switch (role) {
    case Qt::DisplayRole:
      return QtText(row.texts[kImportCandidateName]);
    case kPenNameRole:
      return QtText(row.texts[kImportCandidatePenName]);
    case kLabelRole:
      return QtText(row.texts[kImportCandidateGenre]);
    case kNoteRole:
      return QtText(ConfirmationExcerpt(row.texts[kImportCandidateDescription]));
    default:
      return {};
  }
}

QVariant ImportConfirmModel::ChoiceData(const PageRow& row, int column, int role) const {
  const int action = row.choices[column - kRegisterColumn];
  if (action == 0) return role == Qt::DisplayRole ? QVariant(QStringLiteral(" - ")) : QVariant();
  if (role != kChoiceRole) return {};
  return actions_[row.record] == action;
}

bool ImportConfirmModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!checkIndex(index, CheckIndexOption::IndexIsValid) || role != kChoiceRole ||
      !IsChoiceColumn(index.column()) || !value.toBool()) {
    return false;
  }
  if (rows_[index.row()].choices[index.column() - kRegisterColumn] == 0) return false;
  Choose(index.row(), index.column());
  return true;
}

Qt::ItemFlags ImportConfirmModel::flags(const QModelIndex& index) const {
  if (!checkIndex(index, CheckIndexOption::IndexIsValid)) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

int ImportConfirmModel::FileSpan(int row) const {
  return row >= 0 && row < rowCount() ? rows_[row].fileSpan : 0;
}

void ImportConfirmModel::WriteActions(FavoriteStore& store) const {
  std::vector<FavoriteImportRecord>& records = store.GetImportRecords();
  for (std::size_t i = 0; i < records.size() && i < actions_.size(); ++i) {
    records[i].action = actions_[i];
  }
}

}  // namespace vx
