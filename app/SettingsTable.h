// The keys of the settings groups with their defaults and the field of the value block each one
// fills, so that loading and saving a group walk one table.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

#include "app/SettingsValues.h"
#include "platform/ProfileFile.h"

namespace vx::settings {

static_assert(std::is_same_v<std::int32_t, int>, "print words are read as int");

template <class Block>
struct IntKey {
  std::string_view key;
  int Block::*field;
  int defaultValue;
};

template <class Block>
struct TextKey {
  std::string_view key;
  char (Block::*field)[kTextSize];
  std::string_view defaultValue;
};

// Keys of one section of the system group.
struct IntSection {
  std::string_view section;
  std::span<const IntKey<SettingsValues>> keys;
};

// One word of each print kind's block: the key is the name and the kind as "%02d", with
// "VQ%d" of the event number in front when perEvent is set.
struct PrintKindKey {
  std::string_view name;
  bool perEvent;
  int PrintKindSettings::*field;
  int defaults[kPrintKindCount];
};

inline constexpr std::string_view kSystemSection = "System";
inline constexpr std::string_view kWindowSection = "Window";
inline constexpr std::string_view kColorSection = "Color";
inline constexpr std::string_view kConfigSection = "Config";
inline constexpr std::string_view kToolBarSection = "ToolBar";
inline constexpr std::string_view kPrintSection = "Print";
inline constexpr std::string_view kSearchSection = "Search";
inline constexpr std::string_view kAuthSection = "VQ96Auth";

// Plain int keys of the system group, by section.
std::span<const IntSection> SystemIntSections();
// Text keys of the system group with their sections.
struct SystemText {
  std::string_view section;
  TextKey<SettingsValues> key;
};
std::span<const SystemText> SystemTexts();

// Keys of the per-event section "VQ%d" (bookmarks apart).
std::span<const IntKey<SettingsValues>> EventInts();
std::span<const TextKey<SettingsValues>> EventTexts();

// Keys of the "Print" section (margins and per-kind words apart).
std::span<const IntKey<PrintSettings>> PrintInts();
std::span<const TextKey<PrintSettings>> PrintTexts();
std::span<const PrintKindKey> PrintKindKeys();
std::span<const IntKey<PrintMargins>> MarginKeys();  // followed by the paper kind as "%02d"

// Tool bar names in the order of their places in the block.
std::span<const std::string_view> ToolBarNames();

template <class Block>
void LoadInts(const ProfileFile& file, std::string_view section,
              std::span<const IntKey<Block>> keys, Block& block) {
  for (const auto& k : keys) block.*k.field = file.GetInt(section, k.key, k.defaultValue);
}

template <class Block>
void SaveInts(ProfileFile& file, std::string_view section, std::span<const IntKey<Block>> keys,
              const Block& block) {
  for (const auto& k : keys) file.WriteString(section, k.key, std::to_string(block.*k.field));
}

}  // namespace vx::settings
