// MsgBox and InputBox through the engine's user interface, RGB, and the script engine's name
// and version.
#include "platform/ui/ui.h"
#include "vbscript/runtime/arguments.h"
#include "vbscript/runtime/families.h"

namespace vbscript {

namespace {

using platform::Variant;
using Args = std::span<Variant>;

// The title of a box the script gave none: the Script Control shows the title of the
// application that hosts it.
constexpr std::u16string_view kApplicationTitle = u"Juvo";

std::u16string titleArgument(const BuiltinContext& context, const Variant& value) {
  return given(value) ? textArgument(context, value) : std::u16string(kApplicationTitle);
}

// MsgBox(prompt[, buttons[, title[, helpfile, context]]]): the buttons argument adds a button
// set (0-5), an icon (16, 32, 48, 64), a default button (256, 512, 768) and a modality (4096);
// the user interface chooses the default button and modality itself. Gives the button taken
// (vbOK 1 ... vbNo 7).
Variant msgBox(BuiltinContext& context, Args args) {
  const std::u16string prompt = textArgument(context, args[0]);
  const int32_t style = optionalLong(context, args[1], 0);
  const std::u16string title = titleArgument(context, args[2]);
  static constexpr platform::Buttons kButtons[] = {platform::Buttons::kOk,
                                                   platform::Buttons::kOkCancel,
                                                   platform::Buttons::kAbortRetryIgnore,
                                                   platform::Buttons::kYesNoCancel,
                                                   platform::Buttons::kYesNo,
                                                   platform::Buttons::kRetryCancel};
  static constexpr platform::Icon kIcons[] = {
      platform::Icon::kNone, platform::Icon::kCritical, platform::Icon::kQuestion,
      platform::Icon::kExclamation, platform::Icon::kInformation};
  const int32_t buttons = style & 0xF;
  const int32_t icon = (style >> 4) & 0xF;
  if (style < 0 || buttons > 5 || icon > 4) invalidArgument();
  const platform::Answer answer =
      context.services.ui.messageBox(prompt, kButtons[buttons], kIcons[icon], title);
  return Variant(static_cast<int16_t>(answer));
}

// InputBox(prompt[, title[, default[, xpos, ypos[, helpfile, context]]]]): the text typed, or
// the zero-length string when the user cancels, as the language reference says.
Variant inputBox(BuiltinContext& context, Args args) {
  const std::u16string prompt = textArgument(context, args[0]);
  const std::u16string title = titleArgument(context, args[1]);
  const std::u16string preset = given(args[2]) ? textArgument(context, args[2]) : u"";
  const std::optional<std::u16string> typed = context.services.ui.inputBox(prompt, title, preset);
  return Variant(typed.value_or(u""));
}

// RGB(red, green, blue): each part above 255 counts as 255; a negative one is an error.
Variant rgb(BuiltinContext& context, Args args) {
  int32_t colour = 0;
  for (int i = 2; i >= 0; --i) {
    const int32_t part = longArgument(context, args[static_cast<size_t>(i)]);
    if (part < 0) invalidArgument();
    colour = colour * 256 + (part > 255 ? 255 : part);
  }
  return Variant(colour);
}

Variant scriptEngine(BuiltinContext&, Args) {
  return Variant(u"VBScript");
}

Variant majorVersion(BuiltinContext&, Args) {
  return Variant(int32_t{5});
}

Variant minorVersion(BuiltinContext&, Args) {
  return Variant(int32_t{8});
}

Variant buildVersion(BuiltinContext&, Args) {
  return Variant(int32_t{16384});
}

constexpr Builtin kFunctions[] = {
    {u"InputBox", 1, 7, inputBox},
    {u"MsgBox", 1, 5, msgBox},
    {u"RGB", 3, 3, rgb},
    {u"ScriptEngine", 0, 0, scriptEngine},
    {u"ScriptEngineBuildVersion", 0, 0, buildVersion},
    {u"ScriptEngineMajorVersion", 0, 0, majorVersion},
    {u"ScriptEngineMinorVersion", 0, 0, minorVersion},
};

}  // namespace

std::span<const Builtin> interactionFunctions() {
  return kFunctions;
}

}  // namespace vbscript
