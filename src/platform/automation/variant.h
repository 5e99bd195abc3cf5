// Variant: the value type that crosses between script engines and host objects, the C++
// mirror of the COM VARIANT (the raw VARIANT struct appears only at the module boundary).
// Copies share a text rather than copy it (SharedText).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "platform/automation/shared_text.h"

namespace platform {

class AutomationObject;
using ObjectPtr = std::shared_ptr<AutomationObject>;

// The VARTYPE numbers of COM, so that VarType() in scripts reports the familiar values.
enum class VarType : uint16_t {
  kEmpty = 0,
  kNull = 1,
  kInteger = 2,
  kLong = 3,
  kSingle = 4,
  kDouble = 5,
  kCurrency = 6,
  kDate = 7,
  kString = 8,
  kObject = 9,
  kError = 10,
  kBoolean = 11,
  kVariant = 12,
  kByte = 17,
  kArray = 0x2000,
};

// A currency amount, scaled by 10,000 (CY).
struct Currency {
  int64_t scaled = 0;
  friend bool operator==(Currency, Currency) = default;
};

// An OLE automation date: days since 30 December 1899, the time as the fraction.
struct Date {
  double days = 0;
  friend bool operator==(Date, Date) = default;
};

// VT_ERROR: an SCODE. A missing optional argument arrives as kMissingArgument.
struct ErrorValue {
  int32_t scode = 0;
  friend bool operator==(ErrorValue, ErrorValue) = default;
};
inline constexpr int32_t kMissingArgument =
    static_cast<int32_t>(0x80020004);  // DISP_E_PARAMNOTFOUND

class Variant;

// A SAFEARRAY of Variants: dimensions with lower bounds, elements in column-major order as
// COM keeps them. Shared between Variants; script engines copy on assignment where their
// language gives arrays value semantics.
struct VariantArray {
  struct Bound {
    int32_t lower = 0;
    int32_t count = 0;
  };
  std::vector<Bound> bounds;
  std::vector<Variant> elements;
};
using ArrayPtr = std::shared_ptr<VariantArray>;

class Variant {
 public:
  struct NullTag {
    friend bool operator==(NullTag, NullTag) = default;
  };

  Variant() = default;  // Empty
  Variant(bool value) : value_(value) {}
  Variant(int16_t value) : value_(value) {}
  Variant(int32_t value) : value_(value) {}
  Variant(float value) : value_(value) {}
  Variant(double value) : value_(value) {}
  Variant(Currency value) : value_(value) {}
  Variant(Date value) : value_(value) {}
  Variant(std::u16string value) : value_(SharedText(std::move(value))) {}
  Variant(std::u16string_view value) : value_(SharedText(std::u16string(value))) {}
  Variant(const char16_t* value) : value_(SharedText(std::u16string(value))) {}
  Variant(SharedText value) : value_(std::move(value)) {}  // shares the text, no copy
  Variant(ObjectPtr value) : value_(std::move(value)) {}
  Variant(ErrorValue value) : value_(value) {}
  Variant(uint8_t value) : value_(value) {}
  Variant(ArrayPtr value) : value_(std::move(value)) {}
  // Narrowing guards: say which integer type is meant.
  Variant(int64_t) = delete;
  Variant(const char*) = delete;

  static Variant null() {
    Variant v;
    v.value_ = NullTag{};
    return v;
  }
  static Variant nothing() { return Variant(ObjectPtr()); }
  static Variant missing() { return Variant(ErrorValue{kMissingArgument}); }

  VarType type() const;
  bool isEmpty() const { return value_.index() == 0; }
  bool isNull() const { return std::holds_alternative<NullTag>(value_); }
  bool isString() const { return std::holds_alternative<SharedText>(value_); }
  bool isObject() const { return std::holds_alternative<ObjectPtr>(value_); }
  bool isArray() const { return std::holds_alternative<ArrayPtr>(value_); }
  bool isMissing() const {
    auto* e = std::get_if<ErrorValue>(&value_);
    return e && e->scode == kMissingArgument;
  }
  // True for the integer, floating, currency, byte and date kinds.
  bool isNumeric() const;

  // Direct access to the held value; the caller has checked type().
  bool boolean() const { return std::get<bool>(value_); }
  int16_t integer() const { return std::get<int16_t>(value_); }
  int32_t longValue() const { return std::get<int32_t>(value_); }
  float single() const { return std::get<float>(value_); }
  double dbl() const { return std::get<double>(value_); }
  Currency currency() const { return std::get<Currency>(value_); }
  Date date() const { return std::get<Date>(value_); }
  const std::u16string& string() const { return std::get<SharedText>(value_).str(); }
  const SharedText& sharedText() const { return std::get<SharedText>(value_); }
  const ObjectPtr& object() const { return std::get<ObjectPtr>(value_); }
  ErrorValue error() const { return std::get<ErrorValue>(value_); }
  uint8_t byte() const { return std::get<uint8_t>(value_); }
  const ArrayPtr& array() const { return std::get<ArrayPtr>(value_); }

  // Same kind and same value; texts compare by content, objects by identity.
  friend bool operator==(const Variant& a, const Variant& b) { return a.value_ == b.value_; }

 private:
  std::variant<std::monostate, NullTag, bool, int16_t, int32_t, float, double, Currency, Date,
               SharedText, ObjectPtr, ErrorValue, uint8_t, ArrayPtr>
      value_;
};

}  // namespace platform
