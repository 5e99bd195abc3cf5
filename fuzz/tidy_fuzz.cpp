// A web page as it comes over the wire, through what getXML does with it before parsing:
// decoding by its character set, then the tidy step with its options. Never crash or hang,
// whatever the page; and the step always writes something, since the page it makes begins
// with an XML declaration even when the input had nothing in it.
//
// libtidy 5.6 leaks a little on some pages (its own allocations, never freed by tidyRelease):
// run with ASAN_OPTIONS=detect_leaks=0, or LeakSanitizer reports them when the run ends.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>

#include "engine/tidy_step.h"
#include "platform/inet/charset.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The first byte picks a Content-Type, so the header's rule gets its share of inputs.
  static constexpr std::string_view kContentTypes[] = {"text/html",
                                                       "text/html; charset=utf-8",
                                                       "text/html; charset=iso-8859-2",
                                                       "text/xml; charset=utf-16",
                                                       "text/html; charset=shift_jis",
                                                       ""};
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::string_view contentType = kContentTypes[0];
  if (!bytes.empty()) {
    contentType = kContentTypes[static_cast<uint8_t>(bytes[0]) % std::size(kContentTypes)];
    bytes.remove_prefix(1);
  }
  const platform::inet::DecodedText page = platform::inet::decodeBody(bytes, contentType);

  std::shared_ptr<platform::TidyDocument> otidy;
  size_t messages = 0;
  const std::u16string xml =
      juvo::tidyStep(otidy, page.text, [&](const platform::TidyMessage&) { ++messages; });
  if (!xml.starts_with(u"<?xml")) std::abort();
  return 0;
}
