#include "web/FeedParser.h"

#include <algorithm>
#include <cwctype>
#include <exception>
#include <string>
#include <utility>

#include "web/FeedTagScanner.h"

namespace vx {
namespace {

using WideMatch = boost::match_results<std::wstring_view::const_iterator>;

constexpr auto kSyntax = boost::regex_constants::perl | boost::regex_constants::icase;

const boost::regex& XmlDeclaration() {
  static const boost::regex regex =
      MakeRegex(R"(\A\s*<\?xml\s+version\s*=[^>]*?\s+encoding\s*=\s*("[^"]*"|'[^']*'|[^\s>?]+))");
  return regex;
}

// RSS 1.0 items are single tags: group 1 is the title, group 2 the description, both attributes.
const boost::wregex& Rss1Description() {
  static const boost::wregex regex = MakeWRegex(
      L"<rdf:Description[^>]*?dc:title=(\"[^\"]*\"|'[^']*'|[^ \\t>]+)[^>]*?"
      L"dc:description=(\"[^\"]*\"|'[^']*'|[^ \\t>]+)[^>]*?>");
  return regex;
}

struct TextPass {
  boost::wregex regex;
  std::wstring_view replacement;
  bool endsWithTag;  // every match ends with '>'
};

const TextPass (&HtmlPasses())[5] {
  static const TextPass passes[5] = {
      {MakeWRegex(L"<p[^>]*?>|<div[^>]*?>"), L"\r\n\r\n", true},
      {MakeWRegex(L"<br[^>]*?>|</br>"), L"\r\n", true},
      {MakeWRegex(L"<[^>]*?>"), L"", true},
      {MakeWRegex(L"&lt;?"), L"<", false},
      {MakeWRegex(L"&gt;?"), L">", false},
  };
  return passes;
}

template <class Text, class View>
bool AppendUnquotedText(Text& out, View value) {
  if (value.empty()) return false;
  const auto quote = value.front();
  if (quote == '\'' || quote == '"') {
    value.remove_prefix(1);
    if (!value.empty() && value.back() == quote) value.remove_suffix(1);
  }
  out.append(value);
  return true;
}

void AppendItem(std::wstring& out, std::wstring_view title, std::wstring_view description,
                bool descriptionIsAttribute) {
  if (!out.empty()) out += L"\r\n\r\n";
  out += L'\u3010';
  out.append(title);
  out += L"\u3011\r\n";
  if (descriptionIsAttribute) {
    AppendUnquotedW(out, description);
  } else {
    out.append(description);
  }
}

constexpr std::size_t npos = FeedTagScanner::npos;

// Each tag is matched on its own, within its first kMaxRss1Tag characters and before the next
// one: the pattern's lazy parts would otherwise try every later position of the feed for every
// tag, and every later "dc:title=" of a tag against the rest of the feed.
bool CollectRss1Items(std::wstring_view feed, std::wstring& out) {
  constexpr std::size_t kMaxRss1Tag = 8192;
  FeedTagScanner starts(feed, "<rdf:Description");
  bool found = false;
  for (std::size_t start = starts.Next(0); start != npos;) {
    const std::size_t next = starts.Next(start + 1);
    const std::size_t end = std::min({next, feed.size(), start + kMaxRss1Tag});
    WideMatch match;
    if (boost::regex_search(feed.begin() + static_cast<std::ptrdiff_t>(start),
                            feed.begin() + static_cast<std::ptrdiff_t>(end), match,
                            Rss1Description(), boost::match_continuous)) {
      found = true;
      AppendItem(out, {match[1].first, match[1].second}, {match[2].first, match[2].second}, true);
    }
    start = next;
  }
  return found;
}

std::size_t Past(std::size_t at, std::size_t length) { return at == npos ? npos : at + length; }

// Every <element ...> with a <title ...>...</title> and then a <text ...>...</text> before its
// </element>, in order, as the tags stand (any case): a title and its description always come
// from the same element. An element without them is passed over, and the walk goes on at the
// next opening tag, which may lie inside it.
bool CollectElementItems(std::wstring_view feed, const std::string& element,
                         const std::string& text, std::wstring& out) {
  FeedTagScanner starts(feed, "<" + element), startEnds(feed, ">");
  FeedTagScanner ends(feed, "</" + element + ">");
  FeedTagScanner titles(feed, "<title"), titleEnds(feed, ">"), titleCloses(feed, "</title>");
  FeedTagScanner texts(feed, "<" + text), textEnds(feed, ">"), textCloses(feed, "</" + text + ">");
  bool found = false;
  for (std::size_t from = 0, start; (start = starts.Next(from)) != npos;) {
    const std::size_t inner = Past(startEnds.Next(start), 1);
    const std::size_t end = inner == npos ? npos : ends.Next(inner);
    if (end == npos) break;  // no element closes after this one, nor after any later one
    const auto within = [end](FeedTagScanner& scanner, std::size_t at) {
      at = at == npos ? npos : scanner.Next(at);
      return at < end ? at : npos;
    };
    const std::size_t titleStart = Past(within(titleEnds, within(titles, inner)), 1);
    const std::size_t titleEnd = within(titleCloses, titleStart);
    const std::size_t textStart =
        Past(within(textEnds, within(texts, Past(titleEnd, titleCloses.Size()))), 1);
    const std::size_t textEnd = within(textCloses, textStart);
    if (textEnd == npos) {
      from = start + 1;
      continue;
    }
    found = true;
    AppendItem(out, feed.substr(titleStart, titleEnd - titleStart),
               feed.substr(textStart, textEnd - textStart), false);
    from = end + ends.Size();
  }
  return found;
}

void TrimLeadingSpace(std::wstring& text) {
  std::size_t start = 0;
  while (start < text.size() && std::iswspace(static_cast<wint_t>(text[start]))) ++start;
  text.erase(0, start);
}

}  // namespace

boost::regex MakeRegex(const char* pattern) { return boost::regex(pattern, kSyntax); }

boost::wregex MakeWRegex(const wchar_t* pattern) { return boost::wregex(pattern, kSyntax); }

bool FindXmlEncoding(std::string_view body, std::string& out) {
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (body.starts_with(kByteOrderMark)) body.remove_prefix(kByteOrderMark.size());
  std::string name;
  try {
    if (!RegexSearchGroup(XmlDeclaration(), body, name, 1) || name.empty()) return false;
  } catch (const std::exception&) {
    return false;
  }
  out += name;
  return true;
}

FeedItemsResult ExtractFeedItems(std::wstring_view feed, std::wstring& out) {
  if (feed.size() > kMaxFeedTextLength) return FeedItemsResult::kUnreadable;
  std::wstring items;
  try {
    if (CollectElementItems(feed, "item", "description", items) || CollectRss1Items(feed, items) ||
        CollectElementItems(feed, "entry", "content", items) ||
        CollectElementItems(feed, "entry", "summary", items)) {
      ConvertCdataSections(items);
      out = std::move(items);
      return FeedItemsResult::kFound;
    }
  } catch (const std::exception&) {
    // boost.regex gives up on a text its pattern would take too long over ("complexity
    // exceeded"): the feed cannot be read this way.
    return FeedItemsResult::kUnreadable;
  }
  return FeedItemsResult::kNone;
}

// The tag passes match only up to a '>': the text after the last one is left out of their
// search, which would otherwise try every '<' there against the whole rest.
void HtmlToText(std::wstring& text) {
  for (const TextPass& pass : HtmlPasses()) {
    const std::size_t tagsEnd = pass.endsWithTag ? text.rfind(L'>') + 1 : text.size();
    std::wstring head = text.substr(0, tagsEnd);
    RegexReplaceAll(pass.regex, head, pass.replacement, 0);
    text.replace(0, tagsEnd, head);
  }
}

bool ConvertCdataSections(std::wstring& text) {
  constexpr std::wstring_view kStart = L"<![CDATA[";
  constexpr std::wstring_view kEnd = L"]]>";
  std::wstring result;
  std::size_t cursor = 0;
  bool found = false;
  for (std::size_t start; (start = text.find(kStart, cursor)) != std::wstring::npos;) {
    found = true;
    result.append(text, cursor, start - cursor);
    const std::size_t inner = start + kStart.size();
    const std::size_t end = text.find(kEnd, inner);
    std::wstring section =
        text.substr(inner, end == std::wstring::npos ? std::wstring::npos : end - inner);
    HtmlToText(section);
    TrimLeadingSpace(section);
    result += section;
    cursor = end == std::wstring::npos ? text.size() : end + kEnd.size();
  }
  if (!found) return false;
  result.append(text, cursor);
  text = std::move(result);
  return true;
}

bool RegexSearchGroup(const boost::regex& regex, std::string_view text, std::string& out,
                      int group) {
  boost::match_results<std::string_view::const_iterator> match;
  if (!boost::regex_search(text.begin(), text.end(), match, regex)) return false;
  return AppendUnquoted(out, std::string_view(match[group].first, match[group].second));
}

int RegexReplaceAll(const boost::wregex& regex, std::wstring& text, std::wstring_view replacement,
                    int group) {
  const std::wstring_view source(text);
  std::wstring result;
  std::size_t position = 0;
  int count = 0;
  WideMatch match;
  while (position < source.size() &&
         boost::regex_search(source.begin() + position, source.end(), match, regex)) {
    ++count;
    const auto offset = [&source](auto it) {
      return static_cast<std::size_t>(it - source.begin());
    };
    const std::size_t groupStart = offset(match[group].first);
    const std::size_t groupEnd = offset(match[group].second);
    result.append(source, position, groupStart - position);
    result.append(replacement);
    position = offset(match[0].second) + (match[0].length() == 0 ? 1 : 0);
    position = std::min(position, source.size());
    if (groupEnd < position) result.append(source, groupEnd, position - groupEnd);
  }
  if (count == 0) return 0;
  result.append(source, position);
  text = std::move(result);
  return count;
}

bool AppendUnquoted(std::string& out, std::string_view value) {
  return AppendUnquotedText(out, value);
}

bool AppendUnquotedW(std::wstring& out, std::wstring_view value) {
  return AppendUnquotedText(out, value);
}

}  // namespace vx
