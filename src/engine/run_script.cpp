#include "engine/run_script.h"

#include <memory>
#include <vector>

#include "engine/cengine.h"
#include "engine/chunks.h"
#include "platform/files/files.h"

namespace juvo {

std::u16string_view scriptLanguageFor(std::u16string_view path) {
  const std::size_t dot = path.rfind(u'.');
  const std::u16string_view extension =
      dot == std::u16string_view::npos ? path : path.substr(dot + 1);
  return extension == u"js" ? u"javascript" : u"VBScript";
}

std::u16string readParserSource(std::u16string_view path) {
  const std::vector<std::u16string> lines = platform::files::readLines(path);
  std::size_t length = 0;
  for (const std::u16string& line : lines)
    length += 2 + line.size();
  std::u16string source;
  source.reserve(length);
  for (const std::u16string& line : lines) {
    source += u"\r\n";
    source += line;
  }
  return source;
}

std::u16string runScript(platform::ScriptControl& script, SharedObjects& shared, EngineHost& host,
                         std::u16string_view filename, std::u16string_view argument) {
  script.Reset();
  script.setLanguage(scriptLanguageFor(filename));
  const std::u16string source = readParserSource(filename);
  script.AddCode(source);
  auto engine = std::make_shared<cengine>(shared, host);
  engine->setArgument(std::u16string(argument));
  script.AddObject(u"engine", engine);
  script.Run(u"run");
  script.Reset();
  return chunkResult(engine->ret());
}

}  // namespace juvo
