// The import confirmation page (CFvrImpConfirm): the circles of another event's checklist beside
// the catalogue circles proposed for them, for the user to register, register as circles the
// catalogue does not hold, or skip. OK writes the choices into the store's import rows; Cancel,
// Escape or closing the window changes none.
#pragma once

#include <QDialog>

class QPushButton;
class QTableView;

namespace vx {

class FavoriteStore;
class ImportConfirmHeader;
class ImportConfirmModel;

class ImportConfirmDialog : public QDialog {
  Q_OBJECT

 public:
  ImportConfirmDialog(QWidget* parent, FavoriteStore& store, int catalogueEvent);

  QTableView* View() const { return view_; }
  ImportConfirmModel* Model() const { return model_; }
  ImportConfirmHeader* Header() const { return header_; }
  QPushButton* OkButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }

 private:
  void CreateControls(int fileEvent, int catalogueEvent);
  void ArrangeControls();
  void ConnectControls();
  void SpanFileCells();
  void OnOk();

  FavoriteStore& store_;
  ImportConfirmModel* model_ = nullptr;
  ImportConfirmHeader* header_ = nullptr;
  QTableView* view_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
};

}  // namespace vx
