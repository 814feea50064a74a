// How the bookmark dialogs describe a catalogue page: its number, the places of its first and last
// circle and the genre most of its circles belong to, "12ページ : 土曜日 東Ａ01～東Ａ20 （創作）".
#pragma once

#include <string>

namespace vx {

class CatalogController;

// CP932.
std::string BookmarkPageText(const CatalogController& controller, int page);

}  // namespace vx
