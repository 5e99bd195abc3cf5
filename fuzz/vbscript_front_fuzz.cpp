// Any source text through the VBScript front end: tokens, syntax tree and compiled nodes.
// It compiles or raises a compile error; it never crashes, hangs or leaks. Nothing runs.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "platform/automation/object_catalogue.h"
#include "platform/base/clock.h"
#include "platform/base/error.h"
#include "platform/base/text.h"
#include "platform/locale/locale.h"
#include "platform/ui/scripted_ui.h"
#include "vbscript/compiler.h"
#include "vbscript/diagnostics.h"
#include "vbscript/interpreter.h"
#include "vbscript/parser.h"

namespace {

class Site final : public platform::ScriptSite {
 public:
  bool shouldStop() override { return false; }
  platform::StopCheck stopCheck() override { return {}; }
  platform::Variant enter(const std::function<platform::Variant()>& call) override {
    return call();
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static platform::ObjectCatalogue objects;
  static platform::ScriptedUi ui;
  static const platform::Locale locale = platform::Locale::english();
  static const platform::ScriptServices services{objects, ui, platform::systemClock(), locale};
  static Site site;
  const std::u16string source =
      platform::fromUtf8(std::string(reinterpret_cast<const char*>(data), size));
  vbscript::Interpreter vm(site, services);
  vbscript::Interpreter::Entry entry(vm);
  try {
    vbscript::compileProgram(vm, source);
  } catch (const vbscript::CompileError&) {
  } catch (const platform::Error&) {
  }
  try {
    vbscript::parseExpression(source);
  } catch (const vbscript::CompileError&) {
  }
  return 0;
}
