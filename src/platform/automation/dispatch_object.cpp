#include "platform/automation/dispatch_object.h"

#include "platform/base/error.h"
#include "platform/base/text.h"

namespace platform {

namespace {

// The collection shortcut: what the property gives, asked with the arguments through its
// default member.
Variant throughDefaultMember(const Variant& value, uint16_t kind, std::span<Variant> args) {
  if (!value.isObject()) raise(ErrorCode::kBadParamCount);
  if (!value.object()) raise(ErrorCode::kObjectVariableNotSet);
  return value.object()->invoke(kDefaultMember, kind, args);
}

}  // namespace

Variant invokeByName(AutomationObject& object, std::u16string_view name, uint16_t kind,
                     std::span<Variant> args) {
  std::optional<MemberId> id = object.memberId(name);
  if (!id) raise(ErrorCode::kUnknownName, u"Unknown name: " + std::u16string(name));
  return object.invoke(*id, kind, args);
}

std::optional<MemberId> MemberTable::find(std::u16string_view name) const {
  for (size_t i = 0; i < members_.size(); ++i) {
    if (equalsIgnoreCase(members_[i].name, name)) return static_cast<MemberId>(i + 1);
  }
  return std::nullopt;
}

const MemberTable::Member* MemberTable::at(MemberId id) const {
  if (id == kDefaultMember) id = default_;
  if (id < 1 || static_cast<size_t>(id) > members_.size()) return nullptr;
  return &members_[static_cast<size_t>(id) - 1];
}

void MemberTable::setDefault(std::u16string_view name) {
  default_ = find(name).value_or(-1);
}

std::optional<MemberId> DispatchObject::memberId(std::u16string_view name) {
  return members_.find(name);
}

bool DispatchObject::readsWithoutArguments(MemberId id) {
  const MemberTable::Member* m = members_.at(id);
  return m == nullptr || m->minArgs == 0;
}

Variant DispatchObject::call(const MemberTable::Member& m, std::span<Variant> args) {
  if (args.size() < m.minArgs || args.size() > m.maxArgs) raise(ErrorCode::kBadParamCount);
  if (args.size() == m.maxArgs) return m.call(*this, args);
  std::vector<Variant> padded(args.begin(), args.end());
  padded.resize(m.maxArgs, Variant::missing());
  Variant result = m.call(*this, padded);
  std::copy(padded.begin(), padded.begin() + static_cast<std::ptrdiff_t>(args.size()),
            args.begin());
  return result;
}

Variant DispatchObject::invoke(MemberId id, uint16_t kind, std::span<Variant> args) {
  const MemberTable::Member* m = members_.at(id);
  if (m == nullptr) raise(ErrorCode::kMemberNotFound);
  if (kind & (kPropertyPut | kPropertyPutRef)) {
    if (args.empty()) raise(ErrorCode::kBadParamCount);
    if (m->isMethod()) raise(ErrorCode::kMemberNotFound);
    const std::span<Variant> index = args.first(args.size() - 1);
    if (index.size() != m->minArgs) {
      if (m->minArgs == 0 && m->get) return throughDefaultMember(m->get(*this, {}), kind, args);
      raise(ErrorCode::kBadParamCount);
    }
    const MemberTable::Setter& setter = (kind & kPropertyPutRef) && m->set ? m->set
                                        : m->let                           ? m->let
                                                                           : m->set;
    if (!setter) raise(ErrorCode::kMemberNotFound);
    setter(*this, index, args.back());
    return {};
  }
  if (!(kind & (kMethod | kPropertyGet))) raise(ErrorCode::kMemberNotFound);
  if (m->isMethod()) return call(*m, args);
  if (!m->get) raise(ErrorCode::kMemberNotFound);
  if (args.size() == m->minArgs) return m->get(*this, args);
  if (m->minArgs == 0) {
    return throughDefaultMember(m->get(*this, {}), kMethod | kPropertyGet, args);
  }
  raise(ErrorCode::kBadParamCount);
}

}  // namespace platform
