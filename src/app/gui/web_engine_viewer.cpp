#include "app/gui/web_engine_viewer.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>
#include <QVariant>
#include <QWebEnginePage>
#include <QWebEngineView>

#include "app/gui/qt_text.h"
#include "net/qt_event_pump.h"
#include "net/worker_wait.h"

namespace panscout {

namespace {

// A script that never answers must not hold the search forever.
constexpr std::chrono::seconds kScriptTimeout(30);

// Reads whatever page the view shows at the time of each read.
class WebEngineDocument : public HtmlDocument {
 public:
  WebEngineDocument(QPointer<QWebEngineView> view, std::shared_ptr<const bool> loadFailed)
      : view_(std::move(view)), loadFailed_(std::move(loadFailed)) {}

  std::optional<Text> RootElementProperty(const Text& name) override {
    return ReadString("document.documentElement", name);
  }
  std::optional<Text> DocumentProperty(const Text& name) override {
    return ReadString("document", name);
  }

 private:
  std::optional<Text> ReadString(const char* object, const Text& name) {
    // A failed load shows the engine's own error page, which is no page of the site.
    if (!view_ || *loadFailed_) return std::nullopt;
    // The name goes in as a quoted string, never as script text.
    QString quoted = QString::fromUtf8(
        QJsonDocument(QJsonArray{QJsonValue(ToQString(name))}).toJson(QJsonDocument::Compact));
    QString script = QString("(function(){var v=%1[%2[0]];return typeof v==='string'?v:null;})()")
                         .arg(QString::fromLatin1(object), quoted);
    auto answer = std::make_shared<std::optional<QVariant>>();
    auto answered = std::make_shared<Completion>();
    view_->page()->runJavaScript(script, [answer, answered](const QVariant& v) {
      *answer = v;
      answered->Signal();
    });
    QtEventPump pump;
    const auto deadline = std::chrono::steady_clock::now() + kScriptTimeout;
    auto late = [deadline] { return std::chrono::steady_clock::now() >= deadline; };
    if (WaitWhileDispatching(pump, answered, kScriptTimeout, late) != WaitEnd::kDone) return std::nullopt;
    const QVariant& value = **answer;
    if (value.typeId() != QMetaType::QString) return std::nullopt;
    return FromQString(value.toString());
  }

  QPointer<QWebEngineView> view_;
  std::shared_ptr<const bool> loadFailed_;
};

}  // namespace

WebEngineViewer::WebEngineViewer(QWebEngineView* view) : QObject(view), view_(view) {
  connect(view, &QWebEngineView::loadStarted, this, [this] { awaitingStart_ = false; });
  // A failed load is finished too, with no document to read. The end of a
  // load that a new navigation cut short does not count.
  connect(view, &QWebEngineView::loadFinished, this, [this](bool ok) {
    if (awaitingStart_) return;
    *loadFailed_ = !ok;
    readyState_ = kReadyComplete;
    loaded_->Signal();
  });
}

void WebEngineViewer::Navigate(const Text& url) {
  if (!view_) return;
  // Set before the load starts, so a wait never sees the previous page as done.
  readyState_ = kReadyLoading;
  awaitingStart_ = true;
  *loadFailed_ = false;
  loaded_->Signal();
  loaded_ = std::make_shared<Completion>();
  view_->load(QUrl(ToQString(url)));
}

std::shared_ptr<HtmlDocument> WebEngineViewer::Document() {
  if (!view_) return nullptr;
  return std::make_shared<WebEngineDocument>(view_, loadFailed_);
}

}  // namespace panscout
