#include "app/HelpUnavailable.h"

#include "platform/CodePage.h"

namespace vx {

void ShowHelpUnavailable(UiServices& ui, OwnerWindow owner) {
  ui.MessageBox(owner, Sjis("このプログラムにはマニュアル（ヘルプ）がありません。"), Sjis("ヘルプ"),
                MB_OK | MB_ICONINFORMATION);
}

}  // namespace vx
