#include "web/FeedParser.h"

#include <algorithm>
#include <cwctype>
#include <exception>

namespace vx {
namespace {

using WideMatch = boost::match_results<std::wstring_view::const_iterator>;

constexpr auto kSyntax = boost::regex_constants::perl | boost::regex_constants::icase;

const boost::regex& XmlDeclaration() {
  static const boost::regex regex =
      MakeRegex(R"(\A\s*<\?xml\s+version\s*=[^>]*?\s+encoding\s*=\s*("[^"]*"|'[^']*'|[^\s>?]+))");
  return regex;
}

// Group 1 is the title, group 2 the description; only RSS 1.0 takes them from attributes.
struct ItemPattern {
  boost::wregex regex;
  bool descriptionIsAttribute;
};

const ItemPattern (&ItemPatterns())[4] {
  static const ItemPattern patterns[4] = {
      {MakeWRegex(L"<item[^>]*?>.*?<title[^>]*?>(.*?)</title>.*?<description[^>]*?>(.*?)"
                  L"</description>.*?</item>"),
       false},
      {MakeWRegex(L"<rdf:Description[^>]*?dc:title=(\"[^\"]*\"|'[^']*'|[^ \\t>]+)[^>]*?"
                  L"dc:description=(\"[^\"]*\"|'[^']*'|[^ \\t>]+)[^>]*?>"),
       true},
      {MakeWRegex(L"<entry[^>]*?>.*?<title[^>]*?>(.*?)</title>.*?<content[^>]*?>(.*?)</content>"
                  L".*?</entry>"),
       false},
      {MakeWRegex(L"<entry[^>]*?>.*?<title[^>]*?>(.*?)</title>.*?<summary[^>]*?>(.*?)</summary>"
                  L".*?</entry>"),
       false},
  };
  return patterns;
}

struct TextPass {
  boost::wregex regex;
  std::wstring_view replacement;
};

const TextPass (&HtmlPasses())[5] {
  static const TextPass passes[5] = {
      {MakeWRegex(L"<p[^>]*?>|<div[^>]*?>"), L"\r\n\r\n"},
      {MakeWRegex(L"<br[^>]*?>|</br>"), L"\r\n"},
      {MakeWRegex(L"<[^>]*?>"), L""},
      {MakeWRegex(L"&lt;?"), L"<"},
      {MakeWRegex(L"&gt;?"), L">"},
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

// Every non-overlapping match of the pattern, handed to the collector; false when none.
bool CollectItems(const ItemPattern& pattern, std::wstring_view feed, std::wstring& out) {
  bool found = false;
  WideMatch match;
  auto from = feed.begin();
  while (from != feed.end() && boost::regex_search(from, feed.end(), match, pattern.regex)) {
    found = true;
    if (!out.empty()) out += L"\r\n\r\n";
    out += L'\u3010';
    out.append(match[1].first, match[1].second);
    out += L"\u3011\r\n";
    const std::wstring_view description(match[2].first, match[2].second);
    if (pattern.descriptionIsAttribute) {
      AppendUnquotedW(out, description);
    } else {
      out.append(description);
    }
    from = match[0].second == match[0].first ? match[0].second + 1 : match[0].second;
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
    for (const ItemPattern& pattern : ItemPatterns()) {
      if (!CollectItems(pattern, feed, items)) continue;
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

void HtmlToText(std::wstring& text) {
  for (const TextPass& pass : HtmlPasses()) RegexReplaceAll(pass.regex, text, pass.replacement, 0);
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
