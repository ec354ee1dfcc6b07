#include "net/http_engine.h"

#include <curl/curl.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "net/url_parts.h"

namespace panscout {
namespace {

const Text kUserAgent = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";
const Text kAcceptLine =
    "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, application/x-shockwave-flash, "
    "application/vnd.ms-excel, application/vnd.ms-powerpoint, application/msword, */*\r\n";
const Text kLanguageLine = "Accept-Language: zh-cn\r\n";
const Text kContentTypeLine = "Content-Type: application/x-www-form-urlencoded\r\n";
const Text kCookieLinePrefix = "Set-Cookie: ";
// Headers curl would add of its own; an empty value keeps them out, so only
// the composed header text goes to the server.
constexpr const char* kCurlOwnHeaders[] = {"Accept:", "Expect:", "Content-Type:", "Content-Length:"};
// A hostile server must not fill memory through its header block either.
constexpr std::size_t kMaxHeaderBytes = std::size_t{1} << 20;
constexpr int kMaxRedirects = 20;

// Header bytes are split as bytes, so a lead byte at the end of a value never
// swallows the line end.
std::vector<std::string> SplitLines(const std::string& text, const std::string& lineEnd) {
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = std::min(text.find(lineEnd, start), text.size());
    lines.push_back(text.substr(start, end - start));
    start = end + lineEnd.size();
  }
  return lines;
}

using CurlHandle = std::unique_ptr<CURL, decltype(&curl_easy_cleanup)>;
using CurlList = std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)>;

bool CurlReady() {
  // Never cleaned up: an abandoned worker may still be inside curl at exit.
  static const bool ready = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
  return ready;
}

bool Given(const Text& text) { return !RemoveAllSpaces(text).empty(); }

// The caller's lines first, then each default line whose prefix appears
// nowhere in the text so far, appended without a separator.
Text ComposeHeaderText(const HttpRequest& request, bool sendsBody) {
  Text text = request.extraHeaders;
  auto appendUnlessPresent = [&text](const Text& prefix, const Text& line) {
    if (FindText(text, prefix, 1, true) == kNotFound) text += line;
  };
  appendUnlessPresent("Accept: ", kAcceptLine);
  appendUnlessPresent("Referer: ", "Referer: " + request.url + "\r\n");
  appendUnlessPresent("Accept-Language: ", kLanguageLine);
  if (sendsBody) {
    appendUnlessPresent("Content-Type: ", kContentTypeLine);
    text += "Content-Length: " + ToText(static_cast<std::int32_t>(TextLength(request.postData))) +
            "\r\n";
  }
  return text;
}

// One request of an exchange; a redirect leads to the next one.
struct Hop {
  Text url, method;
  bool sendsBody = false;
  Text headerText;
};

// What the callbacks of one exchange fill.
struct Transfer {
  const std::atomic<bool>* stop = nullptr;
  std::string headerBlock;
  std::string body;
  CURLcode result = CURLE_OK;
  char error[CURL_ERROR_SIZE] = {};
  Text refusedDowngrade;  // an http address an https response redirected to

  bool Stopped() const { return stop && stop->load(); }
};

std::size_t OnHeaderLine(char* data, std::size_t size, std::size_t count, void* user) {
  auto& transfer = *static_cast<Transfer*>(user);
  std::string_view line(data, size * count);
  // Interim (1xx) responses come first; only the last response's block counts.
  if (line.starts_with("HTTP/")) transfer.headerBlock.clear();
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
  if (transfer.headerBlock.size() + line.size() + 2 > kMaxHeaderBytes) return 0;
  transfer.headerBlock.append(line).append("\r\n");
  return size * count;
}

std::size_t OnBodyBytes(char* data, std::size_t size, std::size_t count, void* user) {
  auto& transfer = *static_cast<Transfer*>(user);
  if (transfer.Stopped()) return 0;
  std::size_t taken = std::min(size * count, kMaxBodyBytes - transfer.body.size());
  transfer.body.append(data, taken);
  return taken;  // fewer than offered ends the read
}

int OnProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  return static_cast<Transfer*>(user)->Stopped() ? 1 : 0;
}

// The protocol version sets the two kinds of exchange apart.
constexpr long kBrowserVersion = CURL_HTTP_VERSION_1_1;
constexpr long kPlainVersion = CURL_HTTP_VERSION_1_0;

bool IsHttps(const Text& url) { return LowerCase(LeftText(url, 8)) == "https://"; }

// The address parts are read as of an http address; cookies go by host and path alone.
Text AsHttp(const Text& url) { return IsHttps(url) ? "http://" + RightText(url, TextLength(url) - 8) : url; }

// The address as curl takes it: https when it says so, plain http for
// everything else, without a port that is the scheme's default.
Text CurlUrl(const Text& url) {
  if (IsHttps(url)) return "https://" + UrlHost(AsHttp(url), true) + UrlPath(AsHttp(url));
  int port = UrlPort(url);
  Text portText = port == kDefaultHttpPort || port == 0 ? Text() : ":" + std::to_string(port);
  return "http://" + UrlHost(url, false) + portText + UrlPath(url);
}

// The host that cookies are filed under and chosen for.
Text CookieHost(const Text& url) { return UrlHost(AsHttp(url), false); }

// What the store takes a request's address as: its scheme decides Secure cookies.
Text CookieAddress(const Text& url) { return (IsHttps(url) ? "https://" : "http://") + CookieHost(url); }

void TrustAuthorities(CURL* easy, const NetworkSettings& network) {
  if (!network.caFile.empty()) {
    curl_easy_setopt(easy, CURLOPT_CAINFO, network.caFile.c_str());
    curl_easy_setopt(easy, CURLOPT_PROXY_CAINFO, network.caFile.c_str());
  }
  if (network.extraCas) {
    // curl copies the blob; OpenSSL loads it beside the CA file.
    curl_blob blob{const_cast<char*>(network.extraCas->data()), network.extraCas->size(), CURL_BLOB_COPY};
    curl_easy_setopt(easy, CURLOPT_CAINFO_BLOB, &blob);
    curl_easy_setopt(easy, CURLOPT_PROXY_CAINFO_BLOB, &blob);
  }
}

// The caller's proxy wins, for every hop; otherwise the run's for the hop's scheme.
void ChooseProxy(CURL* easy, const Text& url, const HttpRequest& request, const NetworkSettings& network) {
  // An empty proxy also keeps curl from taking one from the environment.
  Text proxy = Given(request.proxy) ? "http://" + request.proxy : network.ProxyFor(IsHttps(url));
  curl_easy_setopt(easy, CURLOPT_PROXY, proxy.c_str());
  curl_easy_setopt(easy, CURLOPT_NOPROXY, Given(request.proxy) ? "" : network.noProxy.c_str());
}

void ConfigureExchange(CURL* easy, Transfer& transfer, int silenceSeconds, int totalSeconds, long httpVersion,
                       const NetworkSettings& network) {
  curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
  if (silenceSeconds > 0) {
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT, static_cast<long>(silenceSeconds));
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, static_cast<long>(silenceSeconds));
  }
  // A server that trickles its answer is not silent, yet must not hold a request longer.
  curl_easy_setopt(easy, CURLOPT_TIMEOUT, static_cast<long>(std::max(totalSeconds, 0)));
  curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, httpVersion);
  curl_easy_setopt(easy, CURLOPT_PATH_AS_IS, 1L);
  curl_easy_setopt(easy, CURLOPT_USERAGENT, kUserAgent.c_str());
  TrustAuthorities(easy, network);
  curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, OnHeaderLine);
  curl_easy_setopt(easy, CURLOPT_HEADERDATA, &transfer);
  curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, OnBodyBytes);
  curl_easy_setopt(easy, CURLOPT_WRITEDATA, &transfer);
  curl_easy_setopt(easy, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(easy, CURLOPT_XFERINFOFUNCTION, OnProgress);
  curl_easy_setopt(easy, CURLOPT_XFERINFODATA, &transfer);
  curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, transfer.error);
}

CurlList HeaderList(const Text& headerText, const Text& cookieLine) {
  CurlList list(nullptr, curl_slist_free_all);
  auto append = [&list](const std::string& line) {
    if (curl_slist* grown = curl_slist_append(list.get(), line.c_str())) {
      list.release();
      list.reset(grown);
    }
  };
  for (const std::string& line : SplitLines(headerText, "\r\n"))
    if (!line.empty()) append(line);
  if (!cookieLine.empty()) append("Cookie: " + cookieLine);
  for (const char* header : kCurlOwnHeaders) append(header);
  return list;
}

bool SameServer(const Text& a, const Text& b) {
  return IsHttps(a) == IsHttps(b) && UrlHost(AsHttp(a), false) == UrlHost(AsHttp(b), false) &&
         UrlPort(AsHttp(a)) == UrlPort(AsHttp(b));
}

void Perform(CURL* easy, const Hop& hop, const HttpRequest& request, CookieStore& cookies,
             Transfer& transfer, const NetworkSettings& network) {
  Text url = CurlUrl(hop.url);
  CurlList headers = HeaderList(hop.headerText, cookies.CookieLineFor(CookieAddress(hop.url), UrlPath(AsHttp(hop.url))));
  curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
  ChooseProxy(easy, hop.url, request, network);
  curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headers.get());
  if (hop.sendsBody) {
    curl_easy_setopt(easy, CURLOPT_POSTFIELDS, request.postData.data());
    curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE,
                     static_cast<curl_off_t>(request.postData.size()));
  } else {
    curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
  }
  // The verb goes out exactly as given; none means GET.
  curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, hop.method.empty() ? nullptr : hop.method.c_str());
  // Credentials go only to the server they were given for, not to redirect targets.
  bool ownServer = SameServer(hop.url, request.url);
  bool user = ownServer && Given(request.userName), password = ownServer && Given(request.password);
  curl_easy_setopt(easy, CURLOPT_USERNAME, user ? request.userName.c_str() : nullptr);
  curl_easy_setopt(easy, CURLOPT_PASSWORD, password ? request.password.c_str() : nullptr);
  transfer.headerBlock.clear();
  transfer.body.clear();
  transfer.error[0] = '\0';
  transfer.result = curl_easy_perform(easy);
  curl_easy_setopt(easy, CURLOPT_HTTPHEADER, nullptr);
}

// The next request when the response redirects to a web address; a POST
// becomes a body-less GET after 301, 302 and 303, as browsers do. From https
// to http is refused: the page would travel in the clear.
std::optional<Hop> RedirectedHop(CURL* easy, const Hop& hop, const HttpRequest& request, Transfer& transfer) {
  long status = 0;
  char* target = nullptr;
  curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &status);
  curl_easy_getinfo(easy, CURLINFO_REDIRECT_URL, &target);
  bool redirect = status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
  if (!redirect || !target) return std::nullopt;
  std::string_view to(target);
  if (to.starts_with("http://") && IsHttps(hop.url)) {
    transfer.refusedDowngrade = target;
    return std::nullopt;
  }
  if (!to.starts_with("http://") && !to.starts_with("https://")) return std::nullopt;
  Hop next = hop;
  next.url = target;
  if (status != 307 && status != 308 && UpperCase(hop.method) == "POST") {
    next.method = "GET";
    next.sendsBody = false;
    next.headerText = ComposeHeaderText(request, false);
  }
  return next;
}

// Files every "Set-Cookie: " line of a header block under "http://" + host:
// the name before the first "=", the value and its attributes after it.
void StoreCookies(CookieStore& cookies, const Text& headerText, const Text& host) {
  if (FindText(headerText, kCookieLinePrefix, 1, true) == kNotFound) return;
  Text text = headerText;
  std::replace(text.begin(), text.end(), '\x1a', '\n');  // also ends a line
  for (Text line : SplitLines(text, "\n")) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (FindText(line, kCookieLinePrefix, 1, true) == kNotFound) continue;
    Text rest = ReplaceAt(line, 1, TextLength(kCookieLinePrefix));
    int e = FindText(rest, "=", 1, false);
    Text name = e == kNotFound ? Text() : LeftText(rest, e - 1);
    Text data = e == kNotFound ? rest : RightText(rest, TextLength(rest) - e);
    cookies.Store("http://" + host, name, data);
  }
}

// curl's message, begun in lower case like the program's own reasons.
std::string CurlWords(const Transfer& transfer) {
  std::string words = transfer.error[0] ? transfer.error : curl_easy_strerror(transfer.result);
  if (!words.empty()) words[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(words[0])));
  return words;
}

// What is left of curl's message on a refused certificate once the TLS prefix is gone.
std::string CertificateProblem(const Transfer& transfer) {
  std::string words = transfer.error;
  for (std::string_view prefix : {"SSL certificate problem: ", "SSL: "}) {
    if (words.starts_with(prefix)) return words.substr(prefix.size());
  }
  return words;
}

// How the last hop ended, in the program's words.
FetchStatus StatusOf(CURL* easy, const Transfer& transfer, const Hop& hop, int silenceSeconds) {
  FetchStatus status;
  long code = 0;
  curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &code);
  status.httpCode = static_cast<int>(code);
  switch (transfer.result) {
    case CURLE_OK:
    case CURLE_WRITE_ERROR:  // the body reached its cap
      if (code >= 400) status.kind = FetchStatus::kHttpError;
      break;
    case CURLE_COULDNT_RESOLVE_HOST:
      status.kind = FetchStatus::kUnresolved;
      status.detail = UrlHost(AsHttp(hop.url), false);
      break;
    case CURLE_COULDNT_CONNECT:
      status.kind = FetchStatus::kUnconnected;
      break;
    case CURLE_OPERATION_TIMEDOUT:
      status.kind = FetchStatus::kTimedOut;
      status.seconds = silenceSeconds;
      break;
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_CERTPROBLEM:
      status.kind = FetchStatus::kTlsRefused;
      status.detail = CertificateProblem(transfer);
      break;
    case CURLE_SSL_CONNECT_ERROR:
      status.kind = FetchStatus::kFailed;
      status.detail = "secure connection failed: " + CertificateProblem(transfer);
      break;
    case CURLE_PARTIAL_FILE:
    case CURLE_RECV_ERROR:
    case CURLE_GOT_NOTHING:
    case CURLE_SEND_ERROR:
      status.kind = FetchStatus::kCutShort;
      break;
    case CURLE_ABORTED_BY_CALLBACK:
      status.kind = FetchStatus::kStopped;
      break;
    default:
      status.kind = FetchStatus::kFailed;
      status.detail = CurlWords(transfer);
  }
  if (!transfer.refusedDowngrade.empty()) {
    status.kind = FetchStatus::kFailed;
    status.detail = "refused the redirect from https to " + transfer.refusedDowngrade;
  }
  if (transfer.Stopped()) status.kind = FetchStatus::kStopped;
  return status;
}

// Runs the exchange with its redirects; cookies are filed for every host that
// set them. Returns the last response's header text and body.
struct Exchanged {
  Text headerText;
  Fetched fetched;
};

// `totalSeconds` 0: no limit but the silence.
Exchanged Exchange(CURL* easy, const HttpRequest& request, Hop hop, CookieStore& cookies,
                   const std::atomic<bool>* stop, int silenceSeconds, int totalSeconds, long httpVersion,
                   const NetworkSettings& network) {
  Transfer transfer;
  transfer.stop = stop;
  ConfigureExchange(easy, transfer, silenceSeconds, totalSeconds, httpVersion, network);
  Perform(easy, hop, request, cookies, transfer, network);
  for (int redirects = 0; redirects < kMaxRedirects && !transfer.Stopped(); ++redirects) {
    std::optional<Hop> next = RedirectedHop(easy, hop, request, transfer);
    if (!next) break;
    StoreCookies(cookies, ToText(Bytes(transfer.headerBlock)), CookieHost(hop.url));
    hop = std::move(*next);
    Perform(easy, hop, request, cookies, transfer, network);
  }
  // A refused redirect's own page is no answer to the request.
  if (!transfer.refusedDowngrade.empty()) transfer.body.clear();
  Text headerText = ToText(Bytes(transfer.headerBlock));
  Text host = CookieHost(request.url), finalHost = CookieHost(hop.url);
  if (finalHost != host) StoreCookies(cookies, headerText, finalHost);
  StoreCookies(cookies, headerText, host);
  // A total limit below the silence one is the one that can have ended it.
  const bool totalFirst = totalSeconds > 0 && totalSeconds < silenceSeconds;
  FetchStatus status = StatusOf(easy, transfer, hop, totalFirst ? totalSeconds : silenceSeconds);
  return {headerText, {Bytes(std::move(transfer.body)), std::move(status)}};
}

}  // namespace

bool RunHttpRequest(HandOffRecord* record, CookieStore& cookies, const std::atomic<bool>* stop,
                    int silenceSeconds, FetchStatus* status, const NetworkSettings& network, int totalSeconds) {
  if (!record) return false;
  record->Rewind();
  if (record->ReadText() != kRequestMarker) return false;
  HttpRequest request = ReadRequestTexts(*record);
  record->Clear();

  Text verb = UpperCase(request.method);
  if (!request.method.empty() && verb != "GET" && verb != "POST") return false;
  if (!CurlReady()) return false;
  CurlHandle easy(curl_easy_init(), curl_easy_cleanup);
  if (!easy) return false;

  bool sendsBody = verb == "POST" && !request.postData.empty();
  Hop hop{request.url, request.method, sendsBody, ComposeHeaderText(request, sendsBody)};
  Exchanged exchanged = Exchange(easy.get(), request, hop, cookies, stop, silenceSeconds, totalSeconds, kBrowserVersion, network);
  WriteResponseShape(*record, exchanged.headerText, exchanged.fetched.body);
  if (status) *status = std::move(exchanged.fetched.status);
  return true;
}

Fetched RunPlainGet(const Text& url, CookieStore& cookies, const std::atomic<bool>* stop, int silenceSeconds,
                    const NetworkSettings& network, int totalSeconds) {
  const bool web = LowerCase(LeftText(url, 7)) == "http://" || IsHttps(url);
  Fetched failed{{}, {FetchStatus::kFailed, 0, 0, web ? "the request engine cannot start" : "not a web address"}};
  if (!web || !CurlReady()) return failed;
  CurlHandle easy(curl_easy_init(), curl_easy_cleanup);
  if (!easy) return failed;
  HttpRequest request{url, "GET", {}, {}, {}, {}, {}};
  Hop hop{url, "GET", false, "Accept: */*\r\n"};
  return Exchange(easy.get(), request, hop, cookies, stop, silenceSeconds, totalSeconds, kPlainVersion, network).fetched;
}

}  // namespace panscout
