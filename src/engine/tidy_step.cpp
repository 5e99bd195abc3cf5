#include "engine/tidy_step.h"

#include "platform/base/text.h"
#include "platform/ui/ui.h"

namespace juvo {

std::u16string tidyStep(std::shared_ptr<platform::TidyDocument>& otidy,
                        std::u16string_view document,
                        std::function<void(const platform::TidyMessage&)> onMessage) {
  // Held here too: a box shown for a message may let another tidy step replace `otidy` while
  // libtidy still works on this one.
  const auto kept = std::make_shared<platform::TidyDocument>();
  otidy = kept;
  platform::TidyDocument& tidy = *kept;
  tidy.onMessage = std::move(onMessage);
  // The classic step set output-xml, add-xml-decl, input-xml and doctype omit by number after
  // the parse. With HTML Tidy 5 that order drops the XML declaration, keeps the document type
  // (input-xml turns the cleaning off) and writes nothing for a page with errors, while what
  // getXML relies on is the result: a declaration, no document type, XML a parser accepts,
  // and output for a broken page too. So the options go by name before the parse, input-xml
  // is left alone, and three more make the result hold: force-output for broken pages,
  // numeric-entities for &nbsp; and its kin, which XML does not know, and tidy-mark no so no
  // generator element is added. wrap 0 keeps element texts on one line, as the page had them.
  tidy.setOption("output-xml", "yes");
  tidy.setOption("add-xml-decl", "yes");
  tidy.setOption("doctype", "omit");
  tidy.setOption("force-output", "yes");
  tidy.setOption("numeric-entities", "yes");
  tidy.setOption("tidy-mark", "no");
  tidy.setOption("wrap", "0");
  tidy.parseString(document);
  tidy.cleanAndRepair();
  return tidy.saveString();
}

void otidyMessageBox(platform::Ui& ui, int32_t level, int32_t line, std::u16string_view message) {
  if (level != platform::kTidyErrorLevel) return;
  ui.messageBox(message, platform::Buttons::kOk, platform::Icon::kNone, platform::decimal(line));
}

}  // namespace juvo
