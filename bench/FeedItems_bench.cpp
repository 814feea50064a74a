// Reading one circle's feed into its text: a 20-item RSS 2.0 feed in UTF-8 with HTML in CDATA
// descriptions, decoded and its items extracted, as the feed fetch does per circle. Baseline: the
// same work with the nine patterns compiled for every feed, which is what compiling them once per
// run saves. Goal: the per-feed cost at most 0.8 of the baseline.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "web/FeedCharset.h"
#include "web/FeedParser.h"
#include "web/TextConversions.h"

namespace {

constexpr double kGoalRatio = 0.8;

std::string SampleFeed() {
  std::string feed =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<rss version=\"2.0\"><channel>"
      "<title>サークル通信</title><link>http://example.net/</link>\n";
  for (int i = 0; i < 20; ++i) {
    const std::string n = std::to_string(i);
    feed += "<item><title>新刊のお知らせ " + n + "</title><link>http://example.net/" + n +
            "</link><pubDate>Sat, 12 Aug 2023 10:00:00 +0900</pubDate><description><![CDATA[<p>"
            "新刊「夏の空」を頒布します。<br/>A5 / 32ページ / 500円</p><div>委託は"
            "<a href=\"http://shop.example/" + n + "\">こちら</a>から。&lt;予約受付中&gt;</div>"
            "]]></description></item>\n";
  }
  return feed + "</channel></rss>\n";
}

// What the fetch does with a body, apart from the network.
std::string ReadFeed(const std::string& body) {
  std::string charset;
  if (!vx::FindXmlEncoding(body, charset)) charset = "UTF-8";
  std::wstring items;
  vx::ExtractFeedItems(vx::MultiByteToUnicode(vx::CharsetToCodePage(charset), body), items);
  return vx::WideToAnsi(items);
}

// The nine patterns of the feed parser and its declaration pattern.
void CompileEveryPattern() {
  const wchar_t* const widePatterns[] = {
      L"<item[^>]*?>.*?<title[^>]*?>(.*?)</title>.*?<description[^>]*?>(.*?)</description>"
      L".*?</item>",
      L"<rdf:Description[^>]*?dc:title=(\"[^\"]*\"|'[^']*'|[^ \\t>]+)[^>]*?"
      L"dc:description=(\"[^\"]*\"|'[^']*'|[^ \\t>]+)[^>]*?>",
      L"<entry[^>]*?>.*?<title[^>]*?>(.*?)</title>.*?<content[^>]*?>(.*?)</content>.*?</entry>",
      L"<entry[^>]*?>.*?<title[^>]*?>(.*?)</title>.*?<summary[^>]*?>(.*?)</summary>.*?</entry>",
      L"<p[^>]*?>|<div[^>]*?>",
      L"<br[^>]*?>|</br>",
      L"<[^>]*?>",
      L"&lt;?",
      L"&gt;?",
  };
  for (const wchar_t* pattern : widePatterns) benchmark::DoNotOptimize(vx::MakeWRegex(pattern));
  benchmark::DoNotOptimize(vx::MakeRegex(
      R"(\A\s*<\?xml\s+version\s*=[^>]*?\s+encoding\s*=\s*("[^"]*"|'[^']*'|[^\s>?]+))"));
}

using Clock = std::chrono::steady_clock;

// The last run's figures, printed after the benchmark's own table.
struct Summary {
  double feedMicroseconds = 0;
  double baselineMicroseconds = 0;
} summary;

void BM_ReadFeed(benchmark::State& state) {
  const std::string body = SampleFeed();
  double feedSeconds = 0;
  double baselineSeconds = 0;
  std::size_t textBytes = 0;
  for (auto _ : state) {
    const Clock::time_point start = Clock::now();
    textBytes = ReadFeed(body).size();
    feedSeconds += std::chrono::duration<double>(Clock::now() - start).count();
    state.PauseTiming();
    const Clock::time_point baselineStart = Clock::now();
    CompileEveryPattern();
    benchmark::DoNotOptimize(ReadFeed(body));
    baselineSeconds += std::chrono::duration<double>(Clock::now() - baselineStart).count();
    state.ResumeTiming();
  }
  const double runs = static_cast<double>(state.iterations());
  const double ratio = baselineSeconds > 0 ? feedSeconds / baselineSeconds : 0;
  state.counters["feed_us"] = feedSeconds * 1e6 / runs;
  state.counters["compiled_each_time_us"] = baselineSeconds * 1e6 / runs;
  state.counters["ratio"] = ratio;
  state.counters["text_bytes"] = static_cast<double>(textBytes);
  summary = {feedSeconds * 1e6 / runs, baselineSeconds * 1e6 / runs};
}
BENCHMARK(BM_ReadFeed)->Unit(benchmark::kMicrosecond)->MinTime(1.0);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  const double ratio = summary.baselineMicroseconds > 0
                           ? summary.feedMicroseconds / summary.baselineMicroseconds
                           : 0;
  std::printf(
      "feed read: %.1f us per feed; baseline (patterns compiled per feed) %.1f us; "
      "ratio %.2f; goal <= %.2f\n",
      summary.feedMicroseconds, summary.baselineMicroseconds, ratio, kGoalRatio);
  return 0;
}
