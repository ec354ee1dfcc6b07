#include "runtime/script_component.h"

#include <QCoreApplication>
#include <QJSEngine>
#include <QJSValue>
#include <QString>

#include "runtime/codepage.h"

namespace panscout {
namespace {

QString ToQString(const Text& gbk) { return QString::fromStdU16String(GbkToUtf16(gbk)); }

Text ToGbk(const QString& text) { return Utf16ToGbk(text.toStdU16String()); }

// QJSValue::call hands back a thrown value as if it had been returned, so the
// call runs inside a script that tells the two apart.
constexpr const char* kGuardedCall =
    "(function (f, args) {"
    "  try { return { ok: true, value: f.apply(null, args) }; }"
    "  catch (e) { return { ok: false }; }"
    "})";

Text CreationFailure() { return Gbk("脚本组件创建失败,请检查msscript.ocx是否注册!"); }

}  // namespace

ScriptComponent::ScriptComponent() {
  // The engine needs an application object; lacking one counts as a failed
  // creation instead of ending the process.
  if (QCoreApplication::instance()) engine_ = std::make_unique<QJSEngine>();
  if (!engine_) errorText_ = CreationFailure();
}

ScriptComponent::ScriptComponent(NoEngine) : errorText_(CreationFailure()) {}

ScriptComponent::~ScriptComponent() = default;

bool ScriptComponent::created() const { return engine_ != nullptr; }

const Text& ScriptComponent::errorText() const { return errorText_; }

bool ScriptComponent::AddCode(const Text& code) {
  if (!engine_) return false;
  if (!code.empty()) lastCode_ = code;
  return !engine_->evaluate(ToQString(lastCode_)).isError();
}

Text ScriptComponent::Run(const Text& functionName, const TextArray& arguments) {
  if (!engine_) return {};
  QJSValue function = engine_->globalObject().property(ToQString(functionName));
  if (!function.isCallable()) return {};
  QJSValue argumentArray = engine_->newArray(static_cast<quint32>(arguments.size()));
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    argumentArray.setProperty(static_cast<quint32>(i), ToQString(arguments[i]));
  }
  QJSValue outcome = engine_->evaluate(kGuardedCall).call({function, argumentArray});
  if (!outcome.property("ok").toBool()) return {};
  QJSValue value = outcome.property("value");
  // No result at all reads as the empty text, not as the word "undefined".
  if (value.isUndefined() || value.isNull()) return {};
  return ToGbk(value.toString());
}

}  // namespace panscout
