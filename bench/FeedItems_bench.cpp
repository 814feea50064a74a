// The feed update of a checklist of 100 circles, each with a feed of its own (RSS 2.0 in UTF-8,
// 20 items whose descriptions are blog posts in HTML inside CDATA, about 22 KB) on a local HTTP
// server:
//   - the whole update as the progress dialog runs it: every feed fetched, read and its items
//     stored as the circle's text in the checklist;
//   - reading one feed already fetched: its character set, its items and their HTML made text.
// Yardstick, in the same run: stock libcurl fetching the same feeds from the same server (a fresh
// handle each, as the update starts every circle afresh), QXmlStreamReader taking each item's
// title and description, QRegularExpression turning the HTML into the same text, and a plain
// QStandardItemModel holding one row per circle. The texts of both must be the same.
// Every figure is the median of its iterations; each iteration times the case and its yardstick
// one after the other.
#include <benchmark/benchmark.h>
#include <curl/curl.h>

#include <QRegularExpression>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "bench/BenchTiming.h"
#include "checklist/FavoriteStore.h"
#include "data/PavorunDatabase.h"
#include "platform/CodePage.h"
#include "tests/web/JobRunning.h"
#include "tests/web/support/TestHttpServer.h"
#include "web/FeedCharset.h"
#include "web/FeedParser.h"
#include "web/RssFetchJob.h"
#include "web/TextConversions.h"
#include "web/WebServiceConfig.h"

namespace {

using vxbench::Clock;
using vxbench::Median;
using vxbench::MillisecondsSince;

constexpr int kCircles = 100;
constexpr int kEvent = 89;  // the last event whose catalogue carries feeds
// A tenth of the 100 ms or more a real server takes per feed: the dialog's wait is the network's.
constexpr double kGoalMsPerCircle = 10;
constexpr double kGoalMsPerFeed = 5;  // the reading alone: half of that, the rest the transfer's

// Circle `circle`'s feed: 20 items, each a post of five paragraphs with line breaks, a link and
// escaped brackets.
std::string SampleFeed(int circle) {
  const std::string c = std::to_string(circle);
  std::string feed =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<rss version=\"2.0\"><channel>"
      "<title>サークル通信 " +
      c + "</title><link>http://example.net/" + c + "/</link>\n";
  for (int i = 0; i < 20; ++i) {
    const std::string n = std::to_string(i);
    feed += "<item><title>新刊のお知らせ " + c + "-" + n + "</title><link>http://example.net/" + c +
            "/" + n +
            "</link><pubDate>Sat, 12 Aug 2023 10:00:00 +0900</pubDate>"
            "<description><![CDATA[";
    for (int p = 0; p < 5; ++p) {
      feed += "<p class=\"post\">新刊「夏の空 " + n +
              "」を頒布します。<br/>A5 / 32ページ / 500円"
              "<br>表紙は<b>フルカラー</b>、本文はモノクロです。</p>";
    }
    feed += "<div>委託は<a href=\"http://shop.example/" + c + "/" + n +
            "\">こちら</a>から。"
            "&lt;予約受付中&gt;</div>]]></description></item>\n";
  }
  return feed + "</channel></rss>\n";
}

// What the update does with a body once it has it.
std::string ReadFeed(const std::string& body) {
  std::string charset;
  if (!vx::FindXmlEncoding(body, charset)) charset = "UTF-8";
  std::wstring items;
  vx::ExtractFeedItems(vx::MultiByteToUnicode(vx::CharsetToCodePage(charset), body), items);
  return vx::WideToAnsi(items);
}

// --- Yardstick -------------------------------------------------------------------------------

// Paragraphs and divisions become blank lines, breaks line ends, other tags go, &lt and &gt (with
// or without ';') become brackets: the text a user reads in the circle's feed field.
QString HtmlAsText(QString html) {
  constexpr auto kAnyCase = QRegularExpression::CaseInsensitiveOption;
  static const QRegularExpression paragraph(QStringLiteral("<p[^>]*>|<div[^>]*>"), kAnyCase);
  static const QRegularExpression lineBreak(QStringLiteral("<br[^>]*>|</br>"), kAnyCase);
  static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
  static const QRegularExpression lessThan(QStringLiteral("&lt;?"), kAnyCase);
  static const QRegularExpression greaterThan(QStringLiteral("&gt;?"), kAnyCase);
  html.replace(paragraph, QStringLiteral("\r\n\r\n"))
      .replace(lineBreak, QStringLiteral("\r\n"))
      .replace(tag, QString());
  html.replace(lessThan, QStringLiteral("<")).replace(greaterThan, QStringLiteral(">"));
  qsizetype start = 0;
  while (start < html.size() && html[start].isSpace()) ++start;
  return html.mid(start);
}

// Each RSS 2.0 item as "【title】", a line end and its description as text; items apart by a blank
// line.
QString FeedItemsText(const QByteArray& body) {
  QXmlStreamReader xml(body);
  QString out, title, description;
  while (!xml.atEnd()) {
    xml.readNext();
    if (xml.isStartElement() && xml.name() == u"item") {
      title.clear();
      description.clear();
    } else if (xml.isStartElement() && xml.name() == u"title") {
      title = xml.readElementText();
    } else if (xml.isStartElement() && xml.name() == u"description") {
      description = HtmlAsText(xml.readElementText());
    } else if (xml.isEndElement() && xml.name() == u"item") {
      if (!out.isEmpty()) out += QStringLiteral("\r\n\r\n");
      out += QChar(0x3010) + title + QChar(0x3011) + QStringLiteral("\r\n") + description;
    }
  }
  return xml.hasError() ? QString() : out;
}

size_t AppendBody(char* data, size_t size, size_t count, void* body) {
  static_cast<QByteArray*>(body)->append(data, static_cast<qsizetype>(size * count));
  return size * count;
}

// The body of a 200 reply; empty for anything else.
QByteArray Fetch(const std::string& url) {
  QByteArray body;
  CURL* curl = curl_easy_init();
  curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl, CURLOPT_USERAGENT, "Lothervanquist");
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &AppendBody);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &body);
  long status = 0;
  if (curl_easy_perform(curl) == CURLE_OK) curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
  curl_easy_cleanup(curl);
  return status == 200 ? body : QByteArray();
}

// One row per circle with the text of its feed.
void FillPlainList(QStandardItemModel& model, const std::vector<std::string>& urls) {
  model.clear();
  for (const std::string& url : urls) model.appendRow(new QStandardItem(FeedItemsText(Fetch(url))));
}

// --- The checklist -----------------------------------------------------------------------------

// A catalogue of kCircles circles, all checked, each with its feed on the server.
class FeedChecklist {
 public:
  FeedChecklist() : db_(dir_.path().toStdString()) {
    db_.SetEventNo(kEvent);
    db_.ClearEventTables();
    for (int id = 1; id <= kCircles; ++id) {
      vx::CircleRecord record;
      record.id = id;
      record.pageNo = 1 + id / 36;
      record.cutIndex = 1 + id % 36;
      record.day = 1;
      record.blockId = 1;
      record.spaceNo = id;
      record.circleName = "circle" + std::to_string(id);
      record.updateId = 1000 + id;
      if (db_.GetCircleTable().InsertRow(record) != 0) return;
    }
    store_ = std::make_unique<vx::FavoriteStore>(db_);
    for (int id = 1; id <= kCircles; ++id) {
      const std::string path = "/feed/" + std::to_string(id);
      vxtest::TestReply reply;
      reply.body = SampleFeed(id);
      server_.Route(path, reply);
      urls_.push_back(server_.Url(path));
      if (!store_->SetColor(id, 1 + id % 9)) return;
    }
    store_->ForEachChecked([this](vx::FavoriteEntry& entry) {
      entry.record.rss = urls_[static_cast<std::size_t>(entry.record.id - 1)];
      return true;
    });
    ready_ = true;
  }

  bool Ready() const { return ready_; }
  const std::vector<std::string>& Urls() const { return urls_; }

  // The whole update; the circles whose text changed.
  std::size_t Update() {
    vx::RssFetchJob job(*store_, config_);
    vxtest::RunJob(job);
    return job.ChangedCircles().size();
  }
  void ForgetTexts() {
    store_->ForEachChecked([](vx::FavoriteEntry& entry) {
      entry.record.SetRssInfo("");
      return true;
    });
  }
  // Each circle's text, UTF-8, in id order.
  std::vector<std::string> Texts() {
    std::vector<std::string> texts(kCircles);
    store_->ForEachChecked([&texts](vx::FavoriteEntry& entry) {
      texts[static_cast<std::size_t>(entry.record.id - 1)] = vx::Cp932ToUtf8(entry.record.rssInfo);
      return true;
    });
    return texts;
  }

 private:
  QTemporaryDir dir_;
  vx::PavorunDatabase db_;
  std::unique_ptr<vx::FavoriteStore> store_;
  vxtest::TestHttpServer server_{1 << 20};
  vx::WebServiceConfig config_;
  std::vector<std::string> urls_;
  bool ready_ = false;
};

// --- Measuring ---------------------------------------------------------------------------------

struct Figures {
  std::vector<double> ours, yardstick;
};
Figures g_update, g_read;

// The row texts of the plain list, UTF-8.
std::vector<std::string> RowTexts(const QStandardItemModel& model) {
  std::vector<std::string> texts;
  for (int row = 0; row < model.rowCount(); ++row) {
    texts.push_back(model.item(row)->text().toStdString());
  }
  return texts;
}

void BM_UpdateChecklistFeeds(benchmark::State& state) {
  FeedChecklist checklist;
  if (!checklist.Ready()) return state.SkipWithError("the checklist could not be made");
  QStandardItemModel plain;
  std::size_t changed = 0;
  for (auto _ : state) {
    checklist.ForgetTexts();
    Clock::time_point start = Clock::now();
    changed = checklist.Update();
    g_update.ours.push_back(MillisecondsSince(start));
    start = Clock::now();
    FillPlainList(plain, checklist.Urls());
    g_update.yardstick.push_back(MillisecondsSince(start));
    state.SetIterationTime(g_update.ours.back() / 1000);
  }
  if (changed != kCircles) return state.SkipWithError("not every circle took its feed's text");
  if (checklist.Texts() != RowTexts(plain)) {
    return state.SkipWithError("the checklist's texts differ from the plain list's");
  }
  state.counters["circles"] = kCircles;
  state.counters["ours_ms"] = Median(g_update.ours);
  state.counters["plain_ms"] = Median(g_update.yardstick);
}
BENCHMARK(BM_UpdateChecklistFeeds)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(20);

void BM_ReadOneFeed(benchmark::State& state) {
  const std::string body = SampleFeed(1);
  const QByteArray bytes = QByteArray::fromStdString(body);
  std::string text;
  QString plainText;
  for (auto _ : state) {
    Clock::time_point start = Clock::now();
    text = ReadFeed(body);
    g_read.ours.push_back(MillisecondsSince(start));
    start = Clock::now();
    plainText = FeedItemsText(bytes);
    g_read.yardstick.push_back(MillisecondsSince(start));
    state.SetIterationTime(g_read.ours.back() / 1000);
  }
  if (text.empty() || vx::Cp932ToUtf8(text) != plainText.toStdString()) {
    return state.SkipWithError("the two readings give different texts");
  }
  state.counters["feed_bytes"] = static_cast<double>(body.size());
  state.counters["ours_ms"] = Median(g_read.ours);
  state.counters["plain_ms"] = Median(g_read.yardstick);
}
BENCHMARK(BM_ReadOneFeed)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(200);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  const double perCircle = Median(g_update.ours) / kCircles;
  vxbench::PrintGoalLine("reading one feed of 20 items", Median(g_read.ours),
                         "QXmlStreamReader and QRegularExpression", Median(g_read.yardstick),
                         "under " + std::to_string(static_cast<int>(kGoalMsPerFeed)) + " ms",
                         Median(g_read.ours) > 0 && Median(g_read.ours) < kGoalMsPerFeed);
  char goal[80];
  std::snprintf(goal, sizeof goal, "under %.0f ms a circle (%.1f ms now)", kGoalMsPerCircle,
                perCircle);
  vxbench::PrintGoalLine(
      "feed update of " + std::to_string(kCircles) + " circles", Median(g_update.ours),
      "libcurl, QXmlStreamReader and a plain QStandardItemModel", Median(g_update.yardstick), goal,
      perCircle > 0 && perCircle < kGoalMsPerCircle);
  return 0;
}
