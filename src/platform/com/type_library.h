// The type library of a server with one class and its one dual interface, written as IDL
// text: what MIDL would compile into the TYPELIB resource, and what a reader of the module
// can see of its contract.
#pragma once

#include <string>
#include <string_view>

#include "platform/com/type_description.h"

namespace platform {

struct TypeLibraryDescription {
  std::u16string_view name;  // the library's name
  GUID libid;
  uint16_t majorVersion = 1;
  uint16_t minorVersion = 0;
  LCID lcid = 0x0409;
  std::u16string_view helpString;
  const InterfaceDescription* interface = nullptr;  // the class's one, default interface
  std::u16string_view className;
  CLSID clsid;
};

// The library in IDL: its attributes, the import of the standard OLE automation library, the
// interface (hidden, dual, nonextensible, oleautomation, as Visual Basic makes a class's
// interface) with its members in vtable order, and the creatable class.
std::string typeLibraryIdl(const TypeLibraryDescription& library);

}  // namespace platform
