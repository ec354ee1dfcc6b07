#include "search/sources.h"

#include <algorithm>

namespace panscout {

const SourceRule* SourceTable::Find(int number) const {
  for (const SourceRule& source : sources_) {
    if (source.number == number) return &source;
  }
  return nullptr;
}

const SourceRule* SourceTable::Named(const std::string& name) const {
  for (const SourceRule& source : sources_) {
    if (source.id == name) return &source;
    bool builtIn = source.number >= 1 && source.number <= kBuiltInSourceCount;
    if (builtIn && std::to_string(source.number) == name) return &source;
  }
  return nullptr;
}

std::vector<const SourceRule*> SourceTable::Buttons() const {
  std::vector<const SourceRule*> buttons;
  for (const SourceRule& source : sources_) {
    if (source.slot >= 0 && source.step != StepKind::kTorrent) buttons.push_back(&source);
  }
  std::stable_sort(buttons.begin(), buttons.end(),
                   [](const SourceRule* a, const SourceRule* b) { return a->slot < b->slot; });
  return buttons;
}

}  // namespace panscout
