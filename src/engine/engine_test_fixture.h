// Test support for the engine's tests: a test platform with the English string table, and a
// script host of the tests' own, every language registered, with the engine's event handlers
// wired on. The fixture lends the engine object what the configuration window would
// (engine_host.h): its script host's Run, the platform's web transfer and the tidy step with its
// boxes.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/engine_host.h"
#include "engine/script_events.h"
#include "engine/script_host.h"
#include "engine/tidy_step.h"
#include "error_testing.h"
#include "language/c_language.h"
#include "platform/base/error.h"
#include "platform/base/text.h"
#include "platform/inet/web_transfer.h"
#include "platform/script/script_control.h"
#include "platform/ui/scripted_ui.h"
#include "test_platform.h"

namespace juvo::testing {

using Shown = platform::ScriptedUi::Shown;

// Long enough for any honest parser on a busy machine; the time-out cases make their own.
inline constexpr std::chrono::milliseconds kRoomyTimeout{10000};
inline constexpr std::chrono::milliseconds kShortTimeout{300};

class EngineTest : public ::testing::Test, public EngineHost {
 protected:
  explicit EngineTest(std::chrono::milliseconds timeout = kRoomyTimeout)
      : script(timeout, scriptServicesOf(test.platform)) {
    registerScriptEngines(script);
    test.shared.lang = std::make_unique<cLanguage>(test.shared);
    wireScriptEvents(script, test.shared);
  }

  // The path of parser `fileName` after writing `code` into it.
  std::u16string parser(std::string_view fileName, std::string_view code) {
    test.writeParser(fileName, code);
    return parserPath(fileName);
  }
  std::u16string parserPath(std::string_view fileName) const {
    return test.modulePath("JUVO/Parsers/" + std::string(fileName));
  }

  const std::vector<Shown>& shown() const { return test.ui.shown(); }
  // The texts of the boxes titled `title` shown so far.
  std::vector<std::u16string> boxTexts(std::u16string_view title) const {
    std::vector<std::u16string> texts;
    for (const Shown& box : shown()) {
      if (box.title == title) texts.push_back(box.text);
    }
    return texts;
  }

  platform::Variant runProcedure(std::u16string_view name,
                                 std::span<platform::Variant> args) override {
    return script.Run(name, args);
  }
  std::u16string fetch(std::u16string_view url) override {
    return test.platform.web.openUrl(url, script.stopCheck()).text;
  }
  platform::StopCheck scriptStop() override { return script.stopCheck(); }
  std::u16string tidy(std::u16string_view document) override {
    return tidyStep(otidy, document, [this](const platform::TidyMessage& message) {
      otidyMessageBox(test.ui, message.level, message.line, message.text);
    });
  }

  TestPlatform test;
  platform::ScriptControl script;
  std::shared_ptr<platform::TidyDocument> otidy;
};

// Checks that `box` is a message box with these texts, the OK button only and `icon`.
inline void expectOkBox(const Shown& box, std::u16string_view text, std::u16string_view title,
                        platform::Icon icon = platform::Icon::kNone) {
  EXPECT_EQ(box.kind, Shown::Kind::kMessageBox);
  EXPECT_EQ(platform::toUtf8(box.text), platform::toUtf8(text));
  EXPECT_EQ(platform::toUtf8(box.title), platform::toUtf8(title));
  EXPECT_EQ(box.buttons, platform::Buttons::kOk);
  EXPECT_EQ(box.icon, icon);
}

inline std::string utf8(std::u16string_view text) {
  return platform::toUtf8(text);
}

}  // namespace juvo::testing
