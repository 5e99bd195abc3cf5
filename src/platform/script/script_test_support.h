// A host object for the script host's tests: properties, methods with optional arguments,
// callbacks into the control, and an action of the test's own.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "error_testing.h"
#include "platform/automation/dispatch_object.h"
#include "platform/automation/variant_convert.h"
#include "platform/base/error.h"
#include "platform/base/text.h"
#include "platform/script/script_control.h"

namespace platform::testing {

class TestHost : public DispatchObject {
 public:
  explicit TestHost(ScriptControl* control = nullptr) : control_(control) {
    defineProperty(
        u"text", [this](auto) { return Variant(text); },
        [this](auto, const Variant& value) { text = toText(value); });
    defineProperty(u"count", [this](auto) { return Variant(count); });
    defineProperty(
        u"held", [this](auto) { return Variant(held); }, {},
        [this](auto, const Variant& value) { held = value.object(); });
    defineProperty(u"child", [this](auto) {
      if (!child) child = std::make_shared<TestHost>(control_);
      return Variant(ObjectPtr(child));
    });
    defineProperty(u"value", [](auto) { return Variant(u"value"); });
    setDefaultMember(u"value");
    defineMethod(
        u"add",
        [](std::span<Variant> args) {
          return Variant(toInt32(args[0]) + (args[1].isMissing() ? 0 : toInt32(args[1])));
        },
        1, 2);
    defineMethod(
        u"output",
        [this](std::span<Variant> args) {
          outputs.push_back(toText(args[0]));
          return Variant();
        },
        1, 1);
    defineMethod(
        u"next", [this](auto) { return Variant(++count); }, 0, 0);
    defineMethod(
        u"echo", [this](std::span<Variant> args) { return echoed = args[0]; }, 1, 1);
    defineMethod(
        u"callback",
        [this](std::span<Variant> args) {
          std::vector<Variant> forwarded(args.begin() + 1, args.end());
          while (!forwarded.empty() && forwarded.back().isMissing())
            forwarded.pop_back();
          return control_->Run(toText(args[0]), forwarded);
        },
        1, 3);
    defineMethod(
        u"act",
        [this](auto) {
          if (action) action();
          return Variant();
        },
        0, 0);
  }

  std::u16string typeName() const override { return u"TestHost"; }

  // A collection of the texts output so far.
  std::unique_ptr<Enumerator> enumerate() override {
    struct Items : Enumerator {
      std::vector<std::u16string> items;
      size_t next_ = 0;
      std::optional<Variant> next() override {
        if (next_ == items.size()) return std::nullopt;
        return Variant(items[next_++]);
      }
    };
    auto items = std::make_unique<Items>();
    items->items = outputs;
    return items;
  }

  std::u16string text;
  int32_t count = 0;
  ObjectPtr held;
  std::shared_ptr<TestHost> child;
  std::vector<std::u16string> outputs;
  Variant echoed;
  std::function<void()> action;  // what act() does, failures included

 private:
  ScriptControl* control_;
};

using juvo::testing::errorNumberOf;
using juvo::testing::numberOf;

}  // namespace platform::testing
