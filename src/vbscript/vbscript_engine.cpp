#include "vbscript/vbscript_engine.h"

#include <string>
#include <vector>

#include "platform/base/error.h"
#include "vbscript/compiler.h"
#include "vbscript/interpreter.h"

namespace vbscript {

namespace {

class VBScriptEngine final : public platform::ScriptEngine {
 public:
  VBScriptEngine(platform::ScriptSite& site, const platform::ScriptServices& services)
      : vm_(site, services) {}

  void addCode(std::u16string_view source) override {
    Interpreter::Entry entry(vm_);
    try {
      const std::unique_ptr<Procedure> main = compileProgram(vm_, source);
      FrameSlots slots(vm_.stack(), main->frameSize);
      vm_.execute(*main, nullptr, slots.data());
      vm_.drainRetired();
    } catch (...) {
      const SourceText text{std::u16string(source)};
      throw vm_.failure(&text);
    }
  }

  void addObject(std::u16string_view name, platform::ObjectPtr object) override {
    Global& global = vm_.global(vm_.globalIndex(name));
    global.kind = Global::Kind::kNamedObject;
    global.value = Value::object(std::move(object));
    global.procedure = nullptr;
    global.cls.reset();
  }

  platform::Variant run(std::u16string_view name, std::span<platform::Variant> args) override {
    const std::optional<uint32_t> index = vm_.findGlobal(name);
    if (!index || vm_.global(*index).kind != Global::Kind::kProcedure)
      platform::raise(platform::ErrorCode::kUnknownName, u"Unknown name: " + std::u16string(name));
    const Procedure& procedure = *vm_.global(*index).procedure;
    Interpreter::Entry entry(vm_);
    try {
      std::vector<Value> values;
      values.reserve(args.size());
      for (const platform::Variant& arg : args)
        values.push_back(fromVariant(arg));
      const Value result = vm_.call(procedure, nullptr, values);
      vm_.drainRetired();
      for (size_t i = 0; i < args.size(); ++i)
        args[i] = toVariant(values[i]);
      return toVariant(result);
    } catch (...) {
      throw vm_.failure(nullptr);
    }
  }

  std::vector<platform::ScriptProcedure> procedures() override {
    std::vector<platform::ScriptProcedure> found;
    for (size_t i = 0; i < vm_.globalCount(); ++i) {
      const Global& global = vm_.global(static_cast<uint32_t>(i));
      if (global.kind != Global::Kind::kProcedure || !global.procedure) continue;
      found.push_back(
          {global.procedure->name, static_cast<int32_t>(global.procedure->parameterCount())});
    }
    return found;
  }

 private:
  Interpreter vm_;
};

}  // namespace

std::unique_ptr<platform::ScriptEngine> makeVBScriptEngine(
    platform::ScriptSite& site, const platform::ScriptServices& services) {
  return std::make_unique<VBScriptEngine>(site, services);
}

}  // namespace vbscript
