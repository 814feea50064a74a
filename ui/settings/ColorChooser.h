// How the colour page asks the user for a colour: from a starting COLORREF to the chosen one, or
// nothing when the user cancels. Tests put their own chooser in place of the dialog.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

class QColor;
class QWidget;

namespace vx {

using ColorChooser =
    std::function<std::optional<std::uint32_t>(QWidget* owner, std::uint32_t start)>;

// The colour dialog, modal to `owner`, titled "色の設定".
std::optional<std::uint32_t> ChooseColorWithDialog(QWidget* owner, std::uint32_t start);

// An opaque colour as COLORREF (0x00BBGGRR).
std::uint32_t ColorRefFromColor(const QColor& color);

}  // namespace vx
