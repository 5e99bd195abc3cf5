#include "plugin_client.h"

#include <algorithm>

#include "platform/base/error.h"
#include "platform/com/bstr.h"

namespace host {

namespace {

bool isTrue(const VARIANT& v) {
  return v.vt == VT_BOOL && v.boolVal != VARIANT_FALSE;
}

}  // namespace

PluginClient::PluginClient(platform::ComPtr<IDispatch> plugin) : plugin_(std::move(plugin)) {}

DISPID PluginClient::idOf(const char16_t* name) {
  std::u16string copy(name);
  LPOLESTR names[] = {copy.data()};
  DISPID id = DISPID_UNKNOWN;
  HRESULT hr = plugin_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(hr)) throw platform::Error(hr, u"The plug-in has no member " + copy);
  return id;
}

VARIANT PluginClient::call(const char16_t* name, std::vector<VARIANT>& args) {
  std::reverse(args.begin(), args.end());  // COM passes the last argument first
  DISPPARAMS params{args.data(), nullptr, static_cast<UINT>(args.size()), 0};
  VARIANT result;
  VariantInit(&result);
  EXCEPINFO exception{};
  UINT argError = 0;
  HRESULT hr = plugin_->Invoke(idOf(name), IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params,
                               &result, &exception, &argError);
  std::reverse(args.begin(), args.end());
  std::u16string description(platform::bstrView(exception.bstrDescription));
  SysFreeString(exception.bstrDescription);
  SysFreeString(exception.bstrSource);
  SysFreeString(exception.bstrHelpFile);
  if (FAILED(hr)) {
    if (description.empty()) description = std::u16string(name) + u" failed";
    throw platform::Error(hr == DISP_E_EXCEPTION && exception.scode ? exception.scode : hr,
                          description);
  }
  return result;
}

bool PluginClient::initialize() {
  platform::Bstr email(u"");
  std::vector<VARIANT> args{platform::longArgument(1), platform::textArgument(email.get()),
                            platform::objectArgument(nullptr)};
  VARIANT result = call(u"Initialize", args);
  bool ok = isTrue(result);
  VariantClear(&result);
  return ok;
}

PluginClient::PublishInfo PluginClient::publishInfo() {
  platform::Bstr name(u"");
  LONG commands = 0;
  LONG tags = 0;
  std::vector<VARIANT> args{platform::referenceArgument(VT_BSTR, name.address()),
                            platform::referenceArgument(VT_I4, &commands),
                            platform::referenceArgument(VT_I4, &tags)};
  VARIANT result = call(u"GetPublishInfo", args);
  VariantClear(&result);
  return PublishInfo{std::u16string(name.view()), commands, tags};
}

PluginClient::CommandInfo PluginClient::commandInfo(int32_t index) {
  platform::Bstr name(u"");
  platform::Bstr value(u"");
  platform::Bstr help(u"");
  std::vector<VARIANT> args{platform::longArgument(index),
                            platform::referenceArgument(VT_BSTR, name.address()),
                            platform::referenceArgument(VT_BSTR, value.address()),
                            platform::referenceArgument(VT_BSTR, help.address())};
  VARIANT result = call(u"GetPublishCommandInfo", args);
  VariantClear(&result);
  return CommandInfo{std::u16string(name.view()), std::u16string(value.view()),
                     std::u16string(help.view())};
}

void PluginClient::configure() {
  std::vector<VARIANT> args;
  VARIANT result = call(u"Configure", args);
  VariantClear(&result);
}

CommandPlugin::Result PluginClient::parseCommand(std::u16string_view command,
                                                 std::u16string_view argument) {
  platform::Bstr commandText(command);
  platform::Bstr argumentText(argument);
  platform::Bstr resultText(u"");
  std::vector<VARIANT> args{platform::textArgument(commandText.get()),
                            platform::textArgument(argumentText.get()),
                            platform::objectArgument(nullptr),
                            platform::referenceArgument(VT_BSTR, resultText.address())};
  VARIANT result = call(u"ParseCommand", args);
  bool handled = isTrue(result);
  VariantClear(&result);
  return Result{handled, std::u16string(resultText.view())};
}

}  // namespace host
