// The script host that parsers run in, made in one place so that no owner forgets a language:
// a ScriptControl with the platform's script time-out and services and every engine registered,
// and the catalogue of objects parsers may create.
#pragma once

#include <memory>

#include "platform/platform.h"
#include "platform/script/script_control.h"

namespace juvo {

// The services engines get from `platform`: its object catalogue, user interface, clock and
// locale.
platform::ScriptServices scriptServicesOf(platform::Platform& platform);

// Fills `catalogue` with what parsers may create by name: the XML document (its load() fetching
// through `web`, never reading files), Scripting.Dictionary and VBScript.RegExp. Nothing else:
// no file system, shell or network object exists for a parser.
void registerParserObjects(platform::ObjectCatalogue& catalogue, platform::WebTransfer& web);

// Registers every script language beside the built-in JScript: VBScript, our interpreter.
void registerScriptEngines(platform::ScriptControl& script);

// A script host, language "VBScript", with JScript and VBScript available.
std::unique_ptr<platform::ScriptControl> makeScriptHost(platform::Platform& platform);

}  // namespace juvo
