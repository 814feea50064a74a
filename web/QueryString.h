// The query of an address the portal's login sends the browser back to: its parameters and their
// percent escapes.
#pragma once

#include <map>
#include <string>
#include <string_view>

namespace vx {

// "%" and two hexadecimal digits become that byte; "+" stays "+". False, with `out` unchanged,
// when a "%" is not followed by two hexadecimal digits: such an address was not written by the
// portal and must not be read as data.
bool PercentDecode(std::string_view text, std::string& out);

// The parameters after the first "?" (up to a "#"), name -> decoded value. Names are taken as they
// stand; a pair without a value is left out; a later pair of the same name replaces the earlier
// one. False, with `out` unchanged, when a value holds an invalid escape.
bool ParseQueryString(std::string_view url, std::map<std::string, std::string>& out);

}  // namespace vx
