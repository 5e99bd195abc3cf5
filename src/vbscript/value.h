// Value: the interpreter's own Variant. Sixteen bytes, copied cheaply: numbers inline, texts,
// objects and arrays behind reference counts of their own (one thread, no atomics). Arrays have
// value semantics: a copy shares the elements until one side writes (copy on write). Values
// that cross to host objects and built-ins become platform::Variant and back (toVariant,
// fromVariant).
#pragma once

#include <bit>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/automation/variant.h"

namespace vbscript {

class ClassInstance;
class ProcedureRef;

// The kinds a Value holds. The counted kinds come last; kRef only ever sits in the slot of a
// by-reference parameter and points at the caller's storage.
enum class Type : uint8_t {
  kEmpty,
  kNull,
  kBoolean,
  kInteger,
  kLong,
  kSingle,
  kDouble,
  kCurrency,
  kDate,
  kByte,
  kError,
  kString,
  kObject,
  kArray,
  kRef,
};

struct StringRep {
  uint32_t refs = 1;
  std::u16string text;
};

// An object reference. `instance` and `procedure` are set when the object is one of the
// interpreter's own class instances or procedure references, so that calls on them need no
// trip through the automation interface.
struct ObjectRep {
  uint32_t refs = 1;
  platform::ObjectPtr object;  // never null: Nothing is an Object value without a rep
  ClassInstance* instance = nullptr;
  ProcedureRef* procedure = nullptr;
};

class Value;

struct ArrayRep {
  uint32_t refs = 1;
  std::vector<platform::VariantArray::Bound> bounds;
  std::vector<Value> elements;  // column-major, as SAFEARRAYs keep them
  // The array as a Variant array, kept for the built-ins while nothing writes to it: a loop
  // that asks UBound(a) each round converts the array once, not every round.
  mutable platform::ArrayPtr asVariant;
};

class Value {
 public:
  Value() noexcept : type_(Type::kEmpty), bits_(0) {}
  ~Value() {
    if (counted()) release();
  }
  Value(const Value& other) noexcept : type_(other.type_), bits_(other.bits_) {
    if (counted()) retain();
  }
  Value(Value&& other) noexcept : type_(other.type_), bits_(other.bits_) {
    other.type_ = Type::kEmpty;
    other.bits_ = 0;
  }
  Value& operator=(const Value& other) noexcept {
    Value copy(other);
    swap(copy);
    return *this;
  }
  Value& operator=(Value&& other) noexcept {
    Value moved(std::move(other));
    swap(moved);
    return *this;
  }
  void swap(Value& other) noexcept {
    std::swap(type_, other.type_);
    std::swap(bits_, other.bits_);
  }

  static Value null() { return Value(Type::kNull); }
  // The constructors below write all eight bytes of the payload at once: a narrower write
  // followed by the eight-byte read of a copy stalls the processor's store forwarding.
  static Value boolean(bool b) { return Value(Type::kBoolean, b ? 1 : 0); }
  static Value integer(int16_t i) { return Value(Type::kInteger, static_cast<uint16_t>(i)); }
  static Value longValue(int32_t l) { return Value(Type::kLong, static_cast<uint32_t>(l)); }
  static Value single(float f) { return Value(Type::kSingle, std::bit_cast<uint32_t>(f)); }
  static Value dbl(double d) {
    Value v(Type::kDouble);
    v.d_ = d;
    return v;
  }
  static Value currency(int64_t scaled) {
    Value v(Type::kCurrency);
    v.cy_ = scaled;
    return v;
  }
  static Value date(double days) {
    Value v(Type::kDate);
    v.d_ = days;
    return v;
  }
  static Value byte(uint8_t b) { return Value(Type::kByte, b); }
  static Value error(int32_t scode) { return Value(Type::kError, static_cast<uint32_t>(scode)); }
  static Value missing() { return error(platform::kMissingArgument); }
  static Value string(std::u16string text);
  static Value string(std::u16string_view text) { return string(std::u16string(text)); }
  static Value nothing() { return Value(Type::kObject); }
  static Value object(platform::ObjectPtr object);
  static Value object(ObjectRep* rep) {  // takes over one reference
    Value v(Type::kObject);
    v.o_ = rep;
    return v;
  }
  static Value array(ArrayRep* rep) {  // takes over one reference
    Value v(Type::kArray);
    v.a_ = rep;
    return v;
  }
  static Value reference(Value* target) {
    Value v(Type::kRef);
    v.ref_ = target;
    return v;
  }

  Type type() const { return type_; }
  bool isEmpty() const { return type_ == Type::kEmpty; }
  bool isNull() const { return type_ == Type::kNull; }
  bool isString() const { return type_ == Type::kString; }
  bool isObject() const { return type_ == Type::kObject; }
  bool isNothing() const { return type_ == Type::kObject && o_ == nullptr; }
  bool isArray() const { return type_ == Type::kArray; }
  bool isRef() const { return type_ == Type::kRef; }
  bool isMissing() const { return type_ == Type::kError && scode_ == platform::kMissingArgument; }

  bool asBoolean() const { return b_; }
  int16_t asInteger() const { return i_; }
  int32_t asLong() const { return l_; }
  float asSingle() const { return f_; }
  double asDouble() const { return d_; }  // kDouble and kDate
  int64_t asCurrency() const { return cy_; }
  uint8_t asByte() const { return byte_; }
  int32_t asError() const { return scode_; }
  std::u16string_view asString() const {
    return s_ ? std::u16string_view(s_->text) : std::u16string_view();
  }
  StringRep* stringRep() const { return s_; }
  ObjectRep* objectRep() const { return o_; }  // null for Nothing
  ArrayRep* arrayRep() const { return a_; }
  Value* target() const { return ref_; }

  // The storage this slot stands for: the target of a reference, else the slot itself.
  Value& deref() { return type_ == Type::kRef ? *ref_ : *this; }
  const Value& deref() const { return type_ == Type::kRef ? *ref_ : *this; }

  // The array's elements, copied first when another value shares them; the caller writes.
  ArrayRep& ownArray();
  // The text, copied first when another value shares it, for appending in place.
  std::u16string& ownString();

 private:
  explicit Value(Type type) : type_(type), bits_(0) {}
  Value(Type type, uint64_t bits) : type_(type), bits_(bits) {}
  bool counted() const { return type_ >= Type::kString && type_ <= Type::kArray && bits_ != 0; }
  void retain() const {
    switch (type_) {
      case Type::kString:
        ++s_->refs;
        break;
      case Type::kObject:
        ++o_->refs;
        break;
      default:
        ++a_->refs;
        break;
    }
  }
  void release();

  Type type_;
  union {
    bool b_;
    int16_t i_;
    int32_t l_;
    float f_;
    double d_;
    int64_t cy_;
    uint8_t byte_;
    int32_t scode_;
    StringRep* s_;
    ObjectRep* o_;
    ArrayRep* a_;
    Value* ref_;
    uint64_t bits_;
  };
};

static_assert(sizeof(Value) == 16);

// The VarType number of a value (an array of Variants is 8204).
uint16_t varType(const Value& value);

// A new array with these bounds, every element Empty; with no bounds, the empty array of a
// dynamic array not yet dimensioned (Dim a()). Raises 7 Out of memory past the size limit.
Value makeArray(std::vector<platform::VariantArray::Bound> bounds);

// The most elements an array may have, and the longest text: past them, 7 Out of memory.
inline constexpr size_t kMaxArrayElements = size_t{1} << 23;
inline constexpr size_t kMaxStringLength = size_t{1} << 25;

// Raises 7 Out of memory when a text of `length` code units is too long.
void checkStringLength(size_t length);

platform::Variant toVariant(const Value& value);
// The same, arrays shared with the array's own Variant form: for callers that only read what
// they are given (the built-ins).
platform::Variant toSharedVariant(const Value& value);
Value fromVariant(const platform::Variant& value);
Value fromVariant(platform::Variant&& value);

// Same kind and value (texts by content, objects by identity): what copy-back compares.
bool sameValue(const Value& a, const Value& b);

}  // namespace vbscript
