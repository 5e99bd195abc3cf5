#include "engine/script_host.h"

#include "platform/dictionary/dictionary.h"
#include "platform/regexp/regexp.h"
#include "platform/xml/xml_document.h"
#include "vbscript/vbscript_engine.h"

namespace juvo {

void registerParserObjects(platform::ObjectCatalogue& catalogue, platform::WebTransfer& web) {
  platform::xml::registerDocuments(catalogue, web);
  platform::registerDictionary(catalogue);
  platform::registerRegExp(catalogue);
}

platform::ScriptServices scriptServicesOf(platform::Platform& platform) {
  return {platform.objects, platform.ui, platform.clock, platform.locale};
}

void registerScriptEngines(platform::ScriptControl& script) {
  script.registerEngine(u"VBScript", vbscript::makeVBScriptEngine);
}

std::unique_ptr<platform::ScriptControl> makeScriptHost(platform::Platform& platform) {
  auto script =
      std::make_unique<platform::ScriptControl>(platform.scriptTimeout, scriptServicesOf(platform));
  registerScriptEngines(*script);
  return script;
}

}  // namespace juvo
