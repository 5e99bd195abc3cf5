// The registry: the five ANSI calls the program uses, plus the few that registration needs,
// with their Windows semantics (handles, typed values stored as raw bytes, missing parent
// keys created, errors as return codes), over a per-user hive file in REGEDIT4 format.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>

// The Windows types and constants, under their Windows names, as <windows.h> gives them.
using LONG = int32_t;
using DWORD = uint32_t;
using BYTE = uint8_t;
struct HKEY__;
using HKEY = HKEY__*;

#define HKEY_CLASSES_ROOT (reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x80000000)))
#define HKEY_CURRENT_USER (reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x80000001)))
#define HKEY_LOCAL_MACHINE (reinterpret_cast<HKEY>(static_cast<uintptr_t>(0x80000002)))

inline constexpr LONG ERROR_SUCCESS = 0;
inline constexpr LONG ERROR_FILE_NOT_FOUND = 2;
inline constexpr LONG ERROR_ACCESS_DENIED = 5;
inline constexpr LONG ERROR_INVALID_HANDLE = 6;
inline constexpr LONG ERROR_INVALID_PARAMETER = 87;
inline constexpr LONG ERROR_MORE_DATA = 234;
inline constexpr LONG ERROR_CANTWRITE = 1013;
inline constexpr LONG ERROR_KEY_DELETED = 1018;

inline constexpr DWORD REG_NONE = 0;
inline constexpr DWORD REG_SZ = 1;
inline constexpr DWORD REG_EXPAND_SZ = 2;
inline constexpr DWORD REG_BINARY = 3;
inline constexpr DWORD REG_DWORD = 4;
inline constexpr DWORD REG_MULTI_SZ = 7;

namespace platform {

// The hive is read at the first call and again whenever the file has changed on disk since
// (another Registry or process wrote it). Every change is written at once, atomically, with the
// folder made if need be; a change that leaves the content as it was writes nothing. Where the
// file cannot be written, changes live on in this process only and the calls still succeed. A
// damaged file is renamed aside (reported once on standard error) and an empty hive is used.
//
// Handles are numbers, not pointers: a closed or unknown handle gives ERROR_INVALID_HANDLE,
// and one whose key has been deleted ERROR_KEY_DELETED. One mutex guards each Registry.
class Registry {
 public:
  // A registry over the hive file at `hiveFile`; the file need not exist yet.
  explicit Registry(std::filesystem::path hiveFile);
  ~Registry();
  Registry(const Registry&) = delete;
  Registry& operator=(const Registry&) = delete;

  // The process's registry: $XDG_CONFIG_HOME/juvo/registry.reg (~/.config when unset).
  static Registry& user();

  const std::filesystem::path& hiveFile() const;

  // As their Windows namesakes. Key paths are '\'-separated, matched without regard to case;
  // names keep the case they were created with. HKEY_CLASSES_ROOT stands for
  // HKEY_CURRENT_USER\Software\Classes. A null or empty sub-key or value name means the key
  // itself or its default value; every successful open or create gives a new handle to close.
  // Values are stored as exactly the bytes given, with the type given. Names holding a CR or LF
  // cannot be created (ERROR_INVALID_PARAMETER) and so are never found.
  LONG RegOpenKeyA(HKEY key, const char* subKey, HKEY* result);
  LONG RegCreateKeyA(HKEY key, const char* subKey, HKEY* result);
  LONG RegQueryValueExA(HKEY key, const char* valueName, DWORD* reserved, DWORD* type, BYTE* data,
                        DWORD* dataSize);
  LONG RegSetValueExA(HKEY key, const char* valueName, DWORD reserved, DWORD type, const BYTE* data,
                      DWORD dataSize);
  LONG RegCloseKey(HKEY key);
  // Deletes the sub-key and everything below it; with a null or empty sub-key, everything
  // below `key` (the key itself stays).
  LONG RegDeleteTreeA(HKEY key, const char* subKey);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace platform
