#include "platform/automation/variant.h"

namespace platform {

VarType Variant::type() const {
  static constexpr VarType kByIndex[] = {
      VarType::kEmpty,  VarType::kNull,   VarType::kBoolean,  VarType::kInteger, VarType::kLong,
      VarType::kSingle, VarType::kDouble, VarType::kCurrency, VarType::kDate,    VarType::kString,
      VarType::kObject, VarType::kError,  VarType::kByte,     VarType::kArray};
  return kByIndex[value_.index()];
}

bool Variant::isNumeric() const {
  switch (type()) {
    case VarType::kInteger:
    case VarType::kLong:
    case VarType::kSingle:
    case VarType::kDouble:
    case VarType::kCurrency:
    case VarType::kDate:
    case VarType::kByte:
      return true;
    default:
      return false;
  }
}

}  // namespace platform
