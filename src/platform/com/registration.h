// Self-registration of an in-process server with one class: the keys under
// HKEY_CLASSES_ROOT by which a client finds the class by its programmatic identifier, the
// module that serves it, and its type library.
#pragma once

#include <filesystem>
#include <string_view>

#include "platform/com/guid.h"
#include "platform/registry/registry.h"

namespace platform {

struct ServerRegistration {
  CLSID clsid;
  std::u16string_view className;  // "juvo_main"
  std::u16string_view progId;     // "library.class"
  IID iid;                        // the class's default interface
  std::u16string_view interfaceName;
  GUID libid;
  std::u16string_view libraryVersion = u"1.0";
  std::u16string_view helpString;  // the type library's
  std::u16string_view threadingModel = u"Apartment";
  std::filesystem::path modulePath;  // the module file, absolute
};

// Writes
//   CLSID\{clsid} = className, with InprocServer32 = modulePath (ThreadingModel),
//     ProgID = progId, TypeLib = {libid}, VERSION = libraryVersion;
//   <progId> = progId, with CLSID = {clsid};
//   TypeLib\{libid}\<libraryVersion> = helpString, with 0\win32 = modulePath, FLAGS = 0 and
//     HELPDIR = the module's folder;
//   Interface\{iid} = interfaceName, with the automation marshaler as proxy/stub and TypeLib.
// Texts are stored in the ANSI code page. Raises the registry's error as an HRESULT.
void registerServer(Registry& registry, const ServerRegistration& server);

// Removes those keys; the programmatic identifier only while it still names this class.
// Missing keys are no failure.
void unregisterServer(Registry& registry, const ServerRegistration& server);

}  // namespace platform
