#include "platform/automation/object_catalogue.h"

#include "platform/base/error.h"
#include "platform/base/text.h"

namespace platform {

const ObjectCatalogue::Entry* ObjectCatalogue::find(std::u16string_view progId) const {
  for (const Entry& entry : entries_) {
    if (equalsIgnoreCase(entry.progId, progId)) return &entry;
  }
  return nullptr;
}

void ObjectCatalogue::add(std::u16string_view progId, Factory factory) {
  for (Entry& entry : entries_) {
    if (equalsIgnoreCase(entry.progId, progId)) {
      entry.factory = std::move(factory);
      return;
    }
  }
  entries_.push_back({std::u16string(progId), std::move(factory)});
}

bool ObjectCatalogue::contains(std::u16string_view progId) const {
  return find(progId) != nullptr;
}

ObjectPtr ObjectCatalogue::create(std::u16string_view progId, const StopCheck& stop) const {
  const Entry* entry = find(progId);
  if (entry == nullptr) raise(ErrorCode::kCannotCreateObject);
  return entry->factory(stop);
}

}  // namespace platform
