// printf-style templates that come from files the user can edit (the map image names of the
// settings, the day label of the layout file), formatted without trusting them: only %d and %s
// conversions (with flags "-0 +" and a width of up to three digits) are taken, each with the next
// argument, which must be of its type; %% is a percent sign. Any other conversion, or a
// conversion without its argument, makes the template invalid. CP932 double-byte characters are
// copied whole.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace vx {

using TemplateArg = std::variant<int, std::string_view>;

std::optional<std::string> FormatTemplate(std::string_view format,
                                          std::span<const TemplateArg> args);

// The template with one number, or the template's text unchanged when it is invalid.
std::string FormatNumberText(std::string_view format, int number);

}  // namespace vx
