#include "web/RssFetchJob.h"

#include "checklist/FavoriteStore.h"
#include "platform/CodePage.h"
#include "web/CountProgressText.h"
#include "web/FeedCharset.h"
#include "web/FeedParser.h"
#include "web/HttpRequest.h"
#include "web/TextConversions.h"

namespace vx {

RssFetchJob::RssFetchJob(FavoriteStore& store, const WebServiceConfig& config)
    : ProgressJob(Options{nullptr, true}), store_(store), transport_(config.Transport()) {
  transport_.maxReplyBytes = kMaxFeedBytes;
  SetTotal(store.GetEntryCount());
}

std::string RssFetchJob::Caption() { return Sjis("RSS情報の更新"); }

StepResult RssFetchJob::Step() {
  store_.ForEachChecked([this](FavoriteEntry& entry) {
    FetchCircleFeed(entry);
    ReportProgress(++position_);
    return !StopRequested();
  });
  return StepResult::kFinished;
}

std::string RssFetchJob::ProgressText(int position, int total) const {
  return CountProgressText("RSS情報取得中", position, total);
}

void RssFetchJob::FetchCircleFeed(FavoriteEntry& entry) {
  CircleRecord& record = entry.record;
  if (record.rss.empty()) return;
  HttpConnection connection("Lothervanquist", "", "");
  connection.SetTransportOptions(transport_);
  connection.SetAbortFlag(&abort_);
  if (connection.Get(record.rss) != kHttpReplied || connection.GetStatus() != 200) return;
  const std::string& body = connection.GetReplyText();
  std::string charset;
  if (!FindXmlEncoding(body, charset)) charset = "UTF-8";
  const std::wstring feed = MultiByteToUnicode(CharsetToCodePage(charset), body);
  if (feed.empty()) return;
  std::wstring items;
  if (ExtractFeedItems(feed, items) != FeedItemsResult::kFound || items.empty()) return;
  const std::string text = WideToAnsi(items);
  if (text == record.rssInfo) return;
  record.SetRssInfo(text);
  changed_.push_back(record.id);
}

}  // namespace vx
