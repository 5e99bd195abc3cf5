// A host object for the script host's tests: properties, methods with optional arguments,
// callbacks into the control, and failures on request.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/automation/dispatch_object.h"
#include "platform/automation/variant_convert.h"
#include "platform/base/error.h"
#include "platform/base/text.h"
#include "platform/script/script_control.h"

namespace platform {

// Readable Variants in test failures.
inline void PrintTo(const Variant& value, std::ostream* out) {
  *out << "<type " << static_cast<int>(value.type());
  try {
    *out << " " << toUtf8(toText(value));
  } catch (const Error&) {
  }
  *out << ">";
}

}  // namespace platform

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
    defineProperty(u"value", [](auto) { return Variant(u"default value"); });
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
        u"fail",
        [](std::span<Variant> args) -> Variant {
          throw Error(toInt32(args[0]), toText(args[1]),
                      args[2].isMissing() ? std::u16string() : toText(args[2]));
        },
        2, 3);
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
  std::function<void()> action;  // what act() does

 private:
  ScriptControl* control_;
};

// The number of a platform::Error that `body` throws, or 0.
inline int32_t errorNumberOf(const std::function<void()>& body) {
  try {
    body();
  } catch (const Error& error) {
    return error.number();
  }
  return 0;
}

inline int32_t number(ErrorCode code) {
  return static_cast<int32_t>(code);
}

}  // namespace platform::testing
