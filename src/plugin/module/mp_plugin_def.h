// MPPluginDef: the host's plug-in contract as a class of its own, kept to document what the
// host calls and with which types (Long, String, object, Boolean, Variant). Every member
// does nothing and answers false or an empty Variant; nothing creates it. juvo_main is the one
// implementation, and offers the members on _juvo_main.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/automation/variant.h"
#include "platform/com/interfaces.h"

namespace juvo {

class MPPluginDef {
 public:
  bool Initialize(int32_t /*nVersion*/, std::u16string_view /*sUserEmail*/,
                  IDispatch* /*oMessenger*/) {
    return false;
  }
  platform::Variant Uninitialize() { return {}; }
  platform::Variant Configure() { return {}; }
  bool GetPublishInfo(std::u16string& /*sPluginName*/, int32_t& /*nCommandCount*/,
                      int32_t& /*nTagCount*/) {
    return false;
  }
  platform::Variant GetPublishCommandInfo(int32_t /*nCommandIdx*/, std::u16string& /*sName*/,
                                          std::u16string& /*sValue*/, std::u16string& /*sHelp*/) {
    return {};
  }
  platform::Variant GetPublishTagInfo(int32_t /*nTagIdx*/, std::u16string& /*sName*/,
                                      std::u16string& /*sValue*/) {
    return {};
  }
  bool ParseCommand(std::u16string_view /*sCommand*/, std::u16string_view /*sCommandArg*/,
                    IDispatch* /*oConversationWnd*/, std::u16string& /*sResult*/) {
    return false;
  }
  bool ParseTag(std::u16string_view /*sTag*/, IDispatch* /*oConversationWnd*/,
                std::u16string& /*sResult*/) {
    return false;
  }
  bool ReceiveNotify(std::u16string_view /*sNotifyCode*/, std::u16string_view /*sText*/,
                     std::u16string_view /*sContactName*/, IDispatch* /*oConversationWnd*/,
                     std::u16string& /*sTextToSend*/) {
    return false;
  }

 private:
  MPPluginDef() = default;  // never created
};

}  // namespace juvo
