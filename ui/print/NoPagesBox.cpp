#include "ui/print/NoPagesBox.h"

#include "platform/CodePage.h"
#include "platform/UiServices.h"
#include "print/PrintLayout.h"

namespace vx {

void ShowNoPagesBox(UiServices& ui, QWidget* owner) {
  if (PrintLayout_Failed()) {
    ui.MessageBox(owner, PrintLayout_FailureText(), Sjis("印刷"), MB_OK | MB_ICONERROR);
    return;
  }
  ui.MessageBox(owner, Sjis("指定された印刷範囲内には、登録データがありません"), Sjis("印刷"),
                MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace vx
