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
#include "platform/automation/object_catalogue.h"
#include "platform/automation/variant_convert.h"
#include "platform/base/clock.h"
#include "platform/base/error.h"
#include "platform/base/text.h"
#include "platform/locale/locale.h"
#include "platform/script/script_control.h"
#include "platform/ui/scripted_ui.h"

namespace platform::testing {

// Services for engines under test, one set for the whole test program: an empty catalogue, a
// scripted user interface that takes every box's default answer, the system clock and US
// English.
inline const ScriptServices& testServices() {
  static ObjectCatalogue objects;
  static ScriptedUi ui;
  static const Locale locale = Locale::english();
  static const ScriptServices services{objects, ui, systemClock(), locale};
  return services;
}

class TestHost : public DispatchObject {
 public:
  explicit TestHost(ScriptControl* control = nullptr)
      : DispatchObject(members()), control_(control) {}

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
  static const MemberTable& members() {
    static const auto table =
        Members<TestHost>()
            .property(
                u"text", [](TestHost& h) { return Variant(h.text); },
                [](TestHost& h, const Variant& value) { h.text = toText(value); })
            .property(u"count", [](TestHost& h) { return Variant(h.count); })
            .property(
                u"held", [](TestHost& h) { return Variant(h.held); }, {},
                [](TestHost& h, const Variant& value) { h.held = value.object(); })
            .property(u"child",
                      [](TestHost& h) {
                        if (!h.child) h.child = std::make_shared<TestHost>(h.control_);
                        return Variant(ObjectPtr(h.child));
                      })
            .property(u"value", [](TestHost&) { return Variant(u"value"); })
            .defaultMember(u"value")
            .method(
                u"add", 1, 2,
                [](TestHost&, std::span<Variant> args) {
                  return Variant(toInt32(args[0]) + (args[1].isMissing() ? 0 : toInt32(args[1])));
                })
            .method(u"output", 1, 1,
                    [](TestHost& h, std::span<Variant> args) {
                      h.outputs.push_back(toText(args[0]));
                      return Variant();
                    })
            .method(u"next", 0, 0, [](TestHost& h, auto) { return Variant(++h.count); })
            .method(u"bump", 1, 1,
                    [](TestHost&, std::span<Variant> args) {
                      args[0] = Variant(toInt32(args[0]) + 1);  // a by-reference argument
                      return Variant();
                    })
            .method(u"echo", 1, 1,
                    [](TestHost& h, std::span<Variant> args) { return h.echoed = args[0]; })
            .method(u"callback", 1, 3,
                    [](TestHost& h, std::span<Variant> args) {
                      std::vector<Variant> forwarded(args.begin() + 1, args.end());
                      while (!forwarded.empty() && forwarded.back().isMissing())
                        forwarded.pop_back();
                      return h.control_->Run(toText(args[0]), forwarded);
                    })
            .method(u"act", 0, 0, [](TestHost& h, auto) {
              if (h.action) h.action();
              return Variant();
            });
    return table;
  }

  ScriptControl* control_;
};

using juvo::testing::errorNumberOf;
using juvo::testing::numberOf;

}  // namespace platform::testing
