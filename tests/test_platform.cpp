#include "test_platform.h"

#include "config/frm_config.h"
#include "engine/script_host.h"
#include "platform/base/clock.h"
#include "platform/base/text.h"

namespace juvo::testing {

TestPlatform::TestPlatform() : TestPlatform(std::filesystem::path()) {}

TestPlatform::TestPlatform(std::filesystem::path hiveFile)
    : registry(hiveFile.empty() ? hiveFolder.path() / "registry.reg" : std::move(hiveFile)),
      platform{.registry = registry,
               .ui = ui,
               .shell = shell,
               .messages = messages,
               .web = webSwitch_,
               .clock = platform::systemClock(),
               .objects = objects,
               .locale = locale,
               .moduleFolder = moduleFolder.text(),
               .portalBase = u"http://127.0.0.1:1",
               .scriptTimeout = std::chrono::milliseconds(20000)},
      shared(platform, [](SharedObjects& s) { return std::make_shared<frmConfig>(s); }) {
  registerParserObjects(objects, webSwitch_);
}

// The string table and anything else in `shared` go before the platform they use.
TestPlatform::~TestPlatform() = default;

std::filesystem::path TestPlatform::writeParser(std::string_view fileName,
                                                std::string_view code) const {
  return moduleFolder.write("JUVO/Parsers/" + std::string(fileName), code);
}

std::filesystem::path TestPlatform::writeLanguage(std::string_view fileName,
                                                  std::string_view xml) const {
  return moduleFolder.write("JUVO/Languages/" + std::string(fileName), xml);
}

std::filesystem::path TestPlatform::installShippedLanguage(std::string_view fileName) const {
  std::filesystem::path target = moduleFolder.path() / "JUVO" / "Languages" / fileName;
  std::filesystem::create_directories(target.parent_path());
  std::filesystem::copy_file(std::filesystem::path(JUVO_EXAMPLES_DIR) / "languages" / fileName,
                             target, std::filesystem::copy_options::overwrite_existing);
  return target;
}

std::filesystem::path TestPlatform::writeModuleFile(std::string_view relative,
                                                    std::string_view bytes) const {
  return moduleFolder.write(relative, bytes);
}

std::u16string TestPlatform::modulePath(std::string_view relative) const {
  return moduleFolder.text() + u"/" + platform::fromUtf8(relative);
}

}  // namespace juvo::testing
