// The portal's JSON replies: any bytes parse or are refused with the parser's reason, never with
// an exception; a parsed reply answers every question the login and the favourites jobs ask of
// it, down to the numbers and texts of each favourite.
#include <picojson.h>

#include <stdexcept>
#include <string>

#include "tests/fuzz/FuzzTarget.h"
#include "web/PortalReply.h"
#include "web/TextConversions.h"

namespace {

void ReadValue(const picojson::value& value);

// What the jobs read of an object wherever it stands: its numbers and texts, and its members.
void ReadMembers(const picojson::object& object) {
  for (const char* key : {"count", "maxcount", "updateId", "color"}) {
    vx::JsonMemberInt(object, key);
  }
  for (const char* key : {"name", "name_kana", "memo", "access_token"}) {
    vx::Utf8ToAnsi(vx::JsonMemberText(object, key));
  }
  vx::JsonMemberObject(object, "circle");
  for (const auto& member : object) ReadValue(member.second);
}

void ReadValue(const picojson::value& value) {
  vx::JsonInt(value);
  if (value.is<picojson::array>()) {
    for (const picojson::value& element : value.get<picojson::array>()) ReadValue(element);
  } else if (value.is<picojson::object>()) {
    ReadMembers(value.get<picojson::object>());
  }
}

// The parser's own verdict: its error text ("" for a value), or why it gave none.
std::string ParserError(std::string_view body, picojson::value& value) {
  std::string error;
  try {
    picojson::parse(value, body.begin(), body.end(), &error);
  } catch (const std::overflow_error&) {
    return "overflow";
  }
  return error;
}

}  // namespace

VX_FUZZ_TARGET(PortalReply) {
  vx::PortalReply reply;
  const std::string_view body = vxfuzz::Bytes(data, size);
  if (!reply.Parse(body)) {
    if (reply.ParseError().empty()) {
      picojson::value value;
      vxfuzz::Check(ParserError(body, value).empty() && !value.is<picojson::object>(),
                    "a reply refused without a reason is a value other than an object");
    }
    return 0;
  }
  reply.Classify();
  reply.FailureText();
  reply.TokenDeniedText();
  ReadMembers(reply.Object());
  return 0;
}
