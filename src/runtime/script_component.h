#pragma once
// A small script host: code is added to a global module and functions are run
// by name with text arguments. Used to percent-encode keywords exactly as
// ECMAScript's encodeURIComponent does.

#include <memory>

#include "runtime/text.h"

class QJSEngine;

namespace panscout {

class ScriptComponent {
 public:
  // Creates the engine; needs a QCoreApplication (or QApplication) to exist.
  // On failure the component has none.
  ScriptComponent();
  // A component whose engine could not be created, as on a machine without one.
  struct NoEngine {};
  explicit ScriptComponent(NoEngine);
  ~ScriptComponent();
  ScriptComponent(const ScriptComponent&) = delete;
  ScriptComponent& operator=(const ScriptComponent&) = delete;

  bool created() const;
  const Text& errorText() const;

  // An empty code text re-adds the last non-empty one.
  bool AddCode(const Text& code);
  // GBK arguments in, the result as GBK text; empty on any error.
  Text Run(const Text& functionName, const TextArray& arguments);

 private:
  std::unique_ptr<QJSEngine> engine_;
  Text lastCode_;
  Text errorText_;
};

}  // namespace panscout
