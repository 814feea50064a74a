#include "web/HttpErrorText.h"

#include <curl/curl.h>

#include <array>
#include <cstdio>
#include <span>

#include "platform/CodePage.h"

namespace vx {
namespace {

struct Phrase {
  int code;
  const char* text;
};

constexpr std::array<Phrase, 23> kStatusPhrases{{
    {400, "Bad Request"},
    {401, "Unauthorized"},
    {402, "Payment Required"},
    {403, "Forbidden"},
    {404, "Not Found"},
    {405, "Method Not Allowed"},
    {406, "Not Acceptable"},
    {407, "Proxy Authentication Required"},
    {408, "Request Timeout"},
    {409, "Conflict"},
    {410, "Gone"},
    {411, "Length Required"},
    {412, "Precondition Failed"},
    {413, "Request Entity Too Large"},
    {414, "Request-URI Too Long"},
    {415, "Unsupported Media Type"},
    {449, "RETRY_WITH"},
    {500, "Internal Server Error"},
    {501, "Not Implemented"},
    {502, "Bad Gateway"},
    {503, "Service Unavailable"},
    {504, "Gateway Timeout"},
    {505, "HTTP Version Not Supported"},
}};

// What the user is told for the transport failures met in practice; UTF-8.
constexpr std::array<Phrase, 19> kTransportMessages{{
    {CURLE_UNSUPPORTED_PROTOCOL, "http または https 以外のアドレスには接続できません"},
    {CURLE_URL_MALFORMAT, "アドレスの形式が正しくありません"},
    {CURLE_COULDNT_RESOLVE_PROXY, "プロキシサーバーの名前を解決できません"},
    {CURLE_COULDNT_RESOLVE_HOST, "サーバーの名前を解決できません"},
    {CURLE_COULDNT_CONNECT, "サーバーに接続できません"},
    {CURLE_WEIRD_SERVER_REPLY, "サーバーの応答が正しくありません"},
    {CURLE_PARTIAL_FILE, "受信中に接続が切れ、データが途中までしか届きませんでした"},
    {CURLE_WRITE_ERROR, "受信したデータを保存できません"},
    {CURLE_OPERATION_TIMEDOUT, "サーバーの応答がないため中断しました"},
    {CURLE_SSL_CONNECT_ERROR, "サーバーと安全な接続を確立できません"},
    {CURLE_TOO_MANY_REDIRECTS, "転送の回数が多すぎます"},
    {CURLE_GOT_NOTHING, "サーバーから応答がありません"},
    {CURLE_SEND_ERROR, "送信中に接続が切れました"},
    {CURLE_RECV_ERROR, "受信中に接続が切れました"},
    {CURLE_PEER_FAILED_VERIFICATION,
     "サーバー証明書を確認できません(発行元が信頼できない、名前が違う、または期限切れです)"},
    {CURLE_FILESIZE_EXCEEDED, "受信データが大きすぎます"},
    {CURLE_SSL_CACERT_BADFILE, "証明書ファイルを読み込めません"},
    {CURLE_ABORTED_BY_CALLBACK, "中止しました"},
    {CURLE_FAILED_INIT, "通信を準備できません"},
}};

const char* FindPhrase(std::span<const Phrase> table, int code) {
  for (const Phrase& phrase : table) {
    if (phrase.code == code) return phrase.text;
  }
  return nullptr;
}

constexpr std::array<Phrase, 2> kRedirectMessages{{
    {kInsecureRedirectCode - kTransportErrorBase,
     "サーバーが安全でない (http の) アドレスへ転送しようとしたため、通信を中止しました"},
    {kBodyRedirectCode - kTransportErrorBase,
     "サーバーが送信データを別のサーバーへ転送しようとしたため、通信を中止しました"},
}};

}  // namespace

std::string FailureMessage(std::uint32_t code) {
  if (code >= kTransportErrorBase && code < kTransportErrorBase + CURL_LAST) {
    const int curlCode = static_cast<int>(code - kTransportErrorBase);
    if (const char* text = FindPhrase(kTransportMessages, curlCode)) return Sjis(text);
    return curl_easy_strerror(static_cast<CURLcode>(curlCode));
  }
  if (code >= kTransportErrorBase) {
    const int redirect = static_cast<int>(code - kTransportErrorBase);
    if (const char* text = FindPhrase(kRedirectMessages, redirect)) return Sjis(text);
  }
  if (code == kDownloadFailureCode) return Sjis("ページをダウンロードできません");
  return Sjis("未知のエラーコード");
}

std::uint32_t TransportErrorCode(int curlCode) {
  return kTransportErrorBase + static_cast<std::uint32_t>(curlCode);
}

std::string HttpErrorText(std::string_view prefix, std::uint32_t code) {
  std::string text(prefix);
  char number[16];
  if (static_cast<std::int32_t>(code) <= 0) {
    std::snprintf(number, sizeof number, ":%08x:", code);
    return text + number + FailureMessage(code);
  }
  const char* phrase = FindPhrase(kStatusPhrases, static_cast<int>(code));
  std::snprintf(number, sizeof number, ":%u", code);
  return text + ":" + (phrase != nullptr ? phrase : "Other Error") + number;
}

}  // namespace vx
