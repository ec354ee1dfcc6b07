#pragma once
// The hidden page-automation viewer over Qt WebEngine: the search navigates
// it, waits for ready state 4 and reads the root element's markup back.

#include <QObject>
#include <QPointer>

#include "browser/html_viewer.h"

class QWebEngineView;

namespace panscout {

class WebEngineViewer : public QObject, public HtmlViewer {
  Q_OBJECT
 public:
  // Ready states as the search sees them.
  static constexpr int kReadyUninitialized = 0;
  static constexpr int kReadyLoading = 1;

  explicit WebEngineViewer(QWebEngineView* view);

  void Navigate(const Text& url) override;
  int ReadyState() override { return readyState_; }
  std::shared_ptr<Completion> LoadCompletion() override { return loaded_; }
  std::shared_ptr<HtmlDocument> Document() override;

 private:
  QPointer<QWebEngineView> view_;
  int readyState_ = kReadyUninitialized;
  bool awaitingStart_ = false;
  std::shared_ptr<Completion> loaded_ = std::make_shared<Completion>();
  std::shared_ptr<bool> loadFailed_ = std::make_shared<bool>(false);
};

}  // namespace panscout
