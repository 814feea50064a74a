// A circle's feed as the feed fetch reads it: the declared encoding, the conversion to wide text,
// the items and their plain text, and the text kept in the checklist. Any bytes end in one of the
// three outcomes, items always open with a bracketed title, and no outcome but "found" leaves
// text behind.
#include <string>

#include "tests/fuzz/FuzzTarget.h"
#include "web/FeedCharset.h"
#include "web/FeedParser.h"
#include "web/TextConversions.h"

VX_FUZZ_TARGET(FeedParser) {
  const std::string_view body = vxfuzz::Bytes(data, size);
  std::string charset;
  if (!vx::FindXmlEncoding(body, charset)) {
    vxfuzz::Check(charset.empty(), "no encoding found leaves the name alone");
    charset = "UTF-8";
  }
  const std::wstring feed = vx::MultiByteToUnicode(vx::CharsetToCodePage(charset), body);
  std::wstring items;
  const vx::FeedItemsResult result = vx::ExtractFeedItems(feed, items);
  if (result != vx::FeedItemsResult::kFound) {
    vxfuzz::Check(items.empty(), "no items leave no text");
    return 0;
  }
  vxfuzz::Check(items.starts_with(L'\u3010'), "the items open with a bracketed title");
  vx::WideToAnsi(items);
  return 0;
}
