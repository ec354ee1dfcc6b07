#include "app/gui/desktop_program.h"

#include "app/gui/web_engine_viewer.h"
#include "search/search_controller.h"

namespace panscout {

DesktopProgram::DesktopProgram(Hosts hosts, ShellOpener& shell, DesktopTimeouts timeouts)
    : session_(std::move(hosts)),
      pages_(pump_, session_.cookies, timeouts.pageSeconds),
      hitPages_(timeouts.hitPageSeconds),
      window_(std::make_unique<StartWindow>(StartWindowServices{
          session_.state, session_.results, shell, hitPages_, session_.realAddress,
          session_.hosts.blog})),
      viewer_(new WebEngineViewer(window_->automationViewer())),
      controller_(std::make_unique<SearchController>(
          SearchContext{session_.state, session_.results, *window_, pump_, pages_, *viewer_,
                        session_.script, session_.hosts})) {
  window_->SetStartStopHandler([this] { controller_->OnStartStopClick(); });
}

DesktopProgram::~DesktopProgram() = default;

void DesktopProgram::Start() {
  window_->show();
  window_->OnStartWindowCreated();
}

}  // namespace panscout
