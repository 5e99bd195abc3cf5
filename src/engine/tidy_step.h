// The tidy step of getXML, shared by every EngineHost: a web page made into well-formed XML
// that the XML document accepts, and the window's handling of the tidy object's messages.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/tidy/tidy_document.h"

namespace platform {
class Ui;
}

namespace juvo {

// Makes a new tidy document whose messages go to `onMessage`, puts it into `otidy` (letting go
// of the one there, which until now kept the last tidied document) and returns `document` tidied:
// an XML declaration first, no document type, well-formed XML with characters rather than
// named entities, written even when the page has errors (which `onMessage` hears of). Lines are
// not wrapped, so an element's text has no line break the page did not have. The statuses of
// parse, clean and save are not looked at; a call that fails outright raises.
std::u16string tidyStep(std::shared_ptr<platform::TidyDocument>& otidy,
                        std::u16string_view document,
                        std::function<void(const platform::TidyMessage&)> onMessage);

// What the window does with a tidy message (otidy_OnMessage): an error (level 4) is shown in
// a box with OK, no icon and `line` in decimal as its title, until the user closes it; every
// other level is ignored, and `col` is not used.
void otidyMessageBox(platform::Ui& ui, int32_t level, int32_t line, std::u16string_view message);

}  // namespace juvo
