// The one table of _juvo_main's members. It drives GetIDsOfNames and Invoke of the COM class,
// the type library text, and the registration, so that what the host reads and what the
// object does are the same thing.
#pragma once

#include <filesystem>

#include "platform/com/registration.h"
#include "platform/com/type_library.h"

namespace juvo {

// The nine members in vtable order, with their DISPIDs and parameters.
const platform::InterfaceDescription& juvoMainInterface();

// Library juvo 1.0 (lcid 0x0409) with _juvo_main and the class juvo_main.
const platform::TypeLibraryDescription& juvoTypeLibrary();

// What DllRegisterServer writes for the module at `modulePath`.
platform::ServerRegistration juvoRegistration(const std::filesystem::path& modulePath);

}  // namespace juvo
