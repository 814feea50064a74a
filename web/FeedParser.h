// Reading a circle's feed without an XML parser: the character set its XML declaration names, its
// items (RSS 2.0 items, RSS 1.0 rdf:Description elements, Atom entries with content or summary)
// picked by their tags and joined as "【title】" CR LF description, and the HTML inside CDATA
// sections turned into plain text. The regular expressions are compiled once per run.
#pragma once

#include <boost/regex.hpp>
#include <cstddef>
#include <string>
#include <string_view>

namespace vx {

// Longer feeds are refused as unreadable: the patterns backtrack over the whole text.
inline constexpr std::size_t kMaxFeedTextLength = 1 << 20;

enum class FeedItemsResult {
  kFound,       // at least one item; the joined text is in `out`
  kNone,        // no item pattern matched
  kUnreadable,  // too long, or too complex for the patterns
};

// Perl syntax, case-insensitive; "." also matches line breaks.
boost::regex MakeRegex(const char* pattern);
boost::wregex MakeWRegex(const wchar_t* pattern);

// The encoding named by the XML declaration that opens the body (after an optional byte order mark
// and white space), without its quotes, appended to `out`. False when the body has no declaration
// or the declaration names no encoding; an "encoding=" anywhere later in the body is not looked at.
bool FindXmlEncoding(std::string_view body, std::string& out);

// The items of the first form found, in order: RSS 2.0, RSS 1.0, Atom with content, Atom with
// summary. An item's title and description are the first of each inside that item, the title
// first; an item without both is passed over, as is an RSS 1.0 tag longer than 8192 characters.
// Element text is taken as it stands; the quotes of the RSS 1.0 description attribute are
// removed. `out` stays empty unless items were found.
FeedItemsResult ExtractFeedItems(std::wstring_view feed, std::wstring& out);

// Paragraph and div tags become blank lines, line breaks CR LF, other tags go; &lt and &gt (with
// or without ';') become < and >. No other entity is decoded.
void HtmlToText(std::wstring& text);

// Each CDATA section is replaced by its content through HtmlToText, without leading white space;
// a section without its end runs to the end of the text. Text outside the sections is kept as it
// is. False (and the text unchanged) when there is no section.
bool ConvertCdataSections(std::wstring& text);

// The group of the first match anywhere in `text`, through AppendUnquoted.
bool RegexSearchGroup(const boost::regex& regex, std::string_view text, std::string& out,
                      int group);

// Replaces the group of every match by `replacement` taken literally; each search starts where
// the last match ended, one further after an empty match. Answers the number of matches.
int RegexReplaceAll(const boost::wregex& regex, std::wstring& text, std::wstring_view replacement,
                    int group);

// False for an empty value. A value that begins with a quote loses it, and the same quote at its
// end; anything else is appended whole.
bool AppendUnquoted(std::string& out, std::string_view value);
bool AppendUnquotedW(std::wstring& out, std::wstring_view value);

}  // namespace vx
