// PluginClient: the host's side of the plug-in contract. It calls the plug-in's members late
// bound, through IDispatch (GetIDsOfNames, then Invoke by DISPID), as a scripting host would;
// the host needs no header of the plug-in's.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "chat.h"
#include "platform/com/interfaces.h"

namespace host {

class PluginClient : public CommandPlugin {
 public:
  explicit PluginClient(platform::ComPtr<IDispatch> plugin);

  struct PublishInfo {
    std::u16string pluginName;
    int32_t commandCount = 0;
    int32_t tagCount = 0;
  };
  struct CommandInfo {
    std::u16string name;   // what the host shows
    std::u16string value;  // the command word, without the slash
    std::u16string help;
  };

  // Each call raises platform::Error with the member's HRESULT when it fails.
  bool initialize();
  PublishInfo publishInfo();
  CommandInfo commandInfo(int32_t index);
  void configure();
  Result parseCommand(std::u16string_view command, std::u16string_view argument) override;

 private:
  DISPID idOf(const char16_t* name);
  // Invokes a method with `args` in call order; returns the result.
  VARIANT call(const char16_t* name, std::vector<VARIANT>& args);

  platform::ComPtr<IDispatch> plugin_;
};

}  // namespace host
