// ObjectCatalogue: the objects a script may create by name (CreateObject in VBScript,
// new ActiveXObject in JScript), as the system's class registry is on Windows. It is the only
// way a script creates an object: a name it does not hold fails with error 429, so a script
// reaches no file system, process or network object that nobody put here.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/automation/automation_object.h"
#include "platform/base/stop_check.h"

namespace platform {

class ObjectCatalogue {
 public:
  // Makes a new object. `stop` tells it when the script that asked must stop, for work that
  // blocks (an XML document's load of an address gives up then).
  using Factory = std::function<ObjectPtr(const StopCheck& stop)>;

  // Makes `progId` (compared without regard to case) create its objects with `factory`,
  // replacing an earlier entry of that name.
  void add(std::u16string_view progId, Factory factory);

  // Whether `progId` is in the catalogue.
  bool contains(std::u16string_view progId) const;

  // A new object of `progId`, for a script whose stop `stop` tells. Raises kCannotCreateObject
  // (429, "ActiveX component can't create object") for a name not in the catalogue, or the
  // factory's own error.
  ObjectPtr create(std::u16string_view progId, const StopCheck& stop = {}) const;

 private:
  struct Entry {
    std::u16string progId;
    Factory factory;
  };
  const Entry* find(std::u16string_view progId) const;

  std::vector<Entry> entries_;
};

}  // namespace platform
