#include "platform/automation/dispatch_object.h"

#include "platform/base/error.h"
#include "platform/base/text.h"

namespace platform {

Variant invokeByName(AutomationObject& object, std::u16string_view name, uint16_t kind,
                     std::span<Variant> args) {
  std::optional<MemberId> id = object.memberId(name);
  if (!id) raise(ErrorCode::kUnknownName, u"Unknown name: " + std::u16string(name));
  return object.invoke(*id, kind, args);
}

std::optional<MemberId> DispatchObject::memberId(std::u16string_view name) {
  for (size_t i = 0; i < members_.size(); ++i) {
    if (equalsIgnoreCase(members_[i].name, name)) return static_cast<MemberId>(i + 1);
  }
  return std::nullopt;
}

const DispatchObject::Member& DispatchObject::member(MemberId id) const {
  if (id == kDefaultMember && defaultMember_ > 0) id = defaultMember_;
  if (id < 1 || static_cast<size_t>(id) > members_.size()) raise(ErrorCode::kMemberNotFound);
  return members_[static_cast<size_t>(id) - 1];
}

Variant DispatchObject::invoke(MemberId id, uint16_t kind, std::span<Variant> args) {
  const Member& m = member(id);
  if (kind & (kPropertyPut | kPropertyPutRef)) {
    if (args.empty()) raise(ErrorCode::kBadParamCount);
    const Setter& setter = (kind & kPropertyPutRef) && m.putRef ? m.putRef
                           : m.put                              ? m.put
                                                                : m.putRef;
    if (!setter) raise(ErrorCode::kMemberNotFound);
    setter(args.first(args.size() - 1), args.back());
    return {};
  }
  if (m.call && (kind & (kMethod | kPropertyGet))) {
    if (args.size() < m.minArgs || args.size() > m.maxArgs) raise(ErrorCode::kBadParamCount);
    if (args.size() == m.maxArgs) return m.call(args);
    std::vector<Variant> padded(args.begin(), args.end());
    padded.resize(m.maxArgs, Variant::missing());
    Variant result = m.call(padded);
    std::copy(padded.begin(), padded.begin() + static_cast<std::ptrdiff_t>(args.size()),
              args.begin());
    return result;
  }
  if (m.get && (kind & (kPropertyGet | kMethod))) return m.get(args);
  raise(ErrorCode::kMemberNotFound);
}

void DispatchObject::defineProperty(std::u16string name, Getter get, Setter put, Setter putRef) {
  members_.push_back(
      Member{std::move(name), std::move(get), std::move(put), std::move(putRef), {}, 0, 0});
}

void DispatchObject::defineMethod(std::u16string name, Body body, size_t minArgs, size_t maxArgs) {
  members_.push_back(Member{std::move(name), {}, {}, {}, std::move(body), minArgs, maxArgs});
}

void DispatchObject::setDefaultMember(std::u16string_view name) {
  defaultMember_ = memberId(name).value_or(-1);
}

}  // namespace platform
