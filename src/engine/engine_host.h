// EngineHost: what the engine object needs of the window it runs in, and nothing more: calling
// a procedure of the script now loaded, fetching a web document, and tidying one. The
// configuration window is the one that lends them (its script host, transfer control and tidy
// object); tests lend their own.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "platform/automation/variant.h"
#include "platform/base/stop_check.h"

namespace juvo {

class EngineHost {
 public:
  virtual ~EngineHost() = default;

  // Calls the procedure `name` of the script now loaded, through the script host, and returns
  // its result; its failure goes to the caller.
  virtual platform::Variant runProcedure(std::u16string_view name,
                                         std::span<platform::Variant> args) = 0;

  // Fetches `url` and returns the document as text; raises when it cannot be fetched.
  virtual std::u16string fetch(std::u16string_view url) = 0;

  // Tells work done for the running script (a document's load of an address) that the script
  // must stop.
  virtual platform::StopCheck scriptStop() = 0;

  // The tidied text of `document`: well-formed XML with an XML declaration and no document
  // type. Raises when the tidy component fails.
  virtual std::u16string tidy(std::u16string_view document) = 0;
};

}  // namespace juvo
