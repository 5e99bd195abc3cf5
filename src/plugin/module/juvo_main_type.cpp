#include "plugin/module/juvo_main_type.h"

#include "plugin/module/juvo_ids.h"
#include "plugin/module/juvo_main_interface.h"

namespace juvo {

namespace {

using platform::ParamType;
constexpr auto kInOut = platform::ParamDirection::kInOut;

}  // namespace

const platform::InterfaceDescription& juvoMainInterface() {
  static const platform::InterfaceDescription description{
      kInterfaceName,
      IID__juvo_main,
      {
          {u"Initialize",
           kDispidInitialize,
           {{u"nVersion", ParamType::kLong},
            {u"sUserEmail", ParamType::kString},
            {u"oMessenger", ParamType::kObject}},
           ParamType::kBoolean},
          {u"Uninitialize", kDispidUninitialize, {}, ParamType::kVariant},
          {u"Configure", kDispidConfigure, {}, ParamType::kVariant},
          {u"GetPublishInfo",
           kDispidGetPublishInfo,
           {{u"sPluginName", ParamType::kString, kInOut},
            {u"nCommandCount", ParamType::kLong, kInOut},
            {u"nTagCount", ParamType::kLong, kInOut}},
           ParamType::kBoolean},
          {u"GetPublishCommandInfo",
           kDispidGetPublishCommandInfo,
           {{u"nCommandIdx", ParamType::kLong},
            {u"sName", ParamType::kString, kInOut},
            {u"sValue", ParamType::kString, kInOut},
            {u"sHelp", ParamType::kString, kInOut}},
           ParamType::kVariant},
          {u"GetPublishTagInfo",
           kDispidGetPublishTagInfo,
           {{u"nTagIdx", ParamType::kLong},
            {u"sName", ParamType::kString, kInOut},
            {u"sValue", ParamType::kString, kInOut}},
           ParamType::kVariant},
          {u"ParseCommand",
           kDispidParseCommand,
           {{u"sCommand", ParamType::kString},
            {u"sCommandArg", ParamType::kString},
            {u"oConversationWnd", ParamType::kObject},
            {u"sResult", ParamType::kString, kInOut}},
           ParamType::kBoolean},
          {u"ParseTag",
           kDispidParseTag,
           {{u"sTag", ParamType::kString},
            {u"oConversationWnd", ParamType::kObject},
            {u"sResult", ParamType::kString, kInOut}},
           ParamType::kBoolean},
          {u"ReceiveNotify",
           kDispidReceiveNotify,
           {{u"sNotifyCode", ParamType::kString},
            {u"sText", ParamType::kString},
            {u"sContactName", ParamType::kString},
            {u"oConversationWnd", ParamType::kObject},
            {u"sTextToSend", ParamType::kString, kInOut}},
           ParamType::kBoolean},
      }};
  return description;
}

const platform::TypeLibraryDescription& juvoTypeLibrary() {
  static const platform::TypeLibraryDescription library{
      kLibraryName, LIBID_juvo,     1, 0, 0x0409, kLibraryHelp, &juvoMainInterface(),
      kClassName,   CLSID_juvo_main};
  return library;
}

platform::ServerRegistration juvoRegistration(const std::filesystem::path& modulePath) {
  platform::ServerRegistration server;
  server.clsid = CLSID_juvo_main;
  server.className = kClassName;
  server.progId = kProgId;
  server.iid = IID__juvo_main;
  server.interfaceName = kInterfaceName;
  server.libid = LIBID_juvo;
  server.libraryVersion = u"1.0";
  server.helpString = kLibraryHelp;
  server.threadingModel = u"Apartment";
  server.modulePath = modulePath;
  return server;
}

}  // namespace juvo
