#include "vbscript/value.h"

#include <memory>

#include "platform/base/error.h"
#include "vbscript/class_instance.h"

namespace vbscript {

namespace {

using platform::ErrorCode;

// Arrays nested deeper than this do not cross to host objects.
constexpr int kMaxNesting = 64;

// Frees an array whose last reference went, and every array that only it held, without
// recursion: arrays may nest as deep as a script cares to make them.
void freeArrays(ArrayRep* first) {
  std::vector<ArrayRep*> pending{first};
  while (!pending.empty()) {
    ArrayRep* rep = pending.back();
    pending.pop_back();
    for (Value& element : rep->elements) {
      if (element.isArray()) {
        ArrayRep* inner = element.arrayRep();
        if (--inner->refs == 0) pending.push_back(inner);
        // The element gives up its reference without releasing it a second time.
        new (&element) Value();
      }
    }
    delete rep;
  }
}

platform::Variant toVariantAt(const Value& value, int depth);

platform::ArrayPtr toVariantArray(const ArrayRep& rep, int depth) {
  if (depth > kMaxNesting) platform::raise(ErrorCode::kOutOfStackSpace);
  auto array = std::make_shared<platform::VariantArray>();
  array->bounds = rep.bounds;
  array->elements.reserve(rep.elements.size());
  for (const Value& element : rep.elements)
    array->elements.push_back(toVariantAt(element, depth + 1));
  return array;
}

platform::Variant toVariantAt(const Value& value, int depth) {
  const Value& v = value.deref();
  switch (v.type()) {
    case Type::kEmpty:
      return {};
    case Type::kNull:
      return platform::Variant::null();
    case Type::kBoolean:
      return platform::Variant(v.asBoolean());
    case Type::kInteger:
      return platform::Variant(v.asInteger());
    case Type::kLong:
      return platform::Variant(v.asLong());
    case Type::kSingle:
      return platform::Variant(v.asSingle());
    case Type::kDouble:
      return platform::Variant(v.asDouble());
    case Type::kCurrency:
      return platform::Variant(platform::Currency{v.asCurrency()});
    case Type::kDate:
      return platform::Variant(platform::Date{v.asDouble()});
    case Type::kByte:
      return platform::Variant(v.asByte());
    case Type::kError:
      return platform::Variant(platform::ErrorValue{v.asError()});
    case Type::kString:
      return platform::Variant(v.asString());
    case Type::kObject:
      return v.objectRep() ? platform::Variant(v.objectRep()->object)
                           : platform::Variant::nothing();
    case Type::kArray:
      return platform::Variant(toVariantArray(*v.arrayRep(), depth));
    case Type::kRef:
      break;
  }
  return {};
}

Value fromVariantAt(const platform::Variant& value, int depth);

Value fromVariantArray(const platform::VariantArray& array, int depth) {
  if (depth > kMaxNesting) platform::raise(ErrorCode::kOutOfStackSpace);
  auto rep = std::make_unique<ArrayRep>();
  rep->bounds = array.bounds;
  rep->elements.reserve(array.elements.size());
  for (const platform::Variant& element : array.elements)
    rep->elements.push_back(fromVariantAt(element, depth + 1));
  return Value::array(rep.release());
}

Value fromVariantAt(const platform::Variant& value, int depth) {
  using platform::VarType;
  switch (value.type()) {
    case VarType::kEmpty:
      return {};
    case VarType::kNull:
      return Value::null();
    case VarType::kBoolean:
      return Value::boolean(value.boolean());
    case VarType::kInteger:
      return Value::integer(value.integer());
    case VarType::kLong:
      return Value::longValue(value.longValue());
    case VarType::kSingle:
      return Value::single(value.single());
    case VarType::kDouble:
      return Value::dbl(value.dbl());
    case VarType::kCurrency:
      return Value::currency(value.currency().scaled);
    case VarType::kDate:
      return Value::date(value.date().days);
    case VarType::kString:
      return Value::string(value.string());
    case VarType::kObject:
      return Value::object(value.object());
    case VarType::kError:
      return Value::error(value.error().scode);
    case VarType::kByte:
      return Value::byte(value.byte());
    case VarType::kArray:
      return value.array() ? fromVariantArray(*value.array(), depth) : Value();
    default:
      return {};
  }
}

}  // namespace

Value Value::string(std::u16string text) {
  Value v(Type::kString);
  if (!text.empty()) v.s_ = new StringRep{1, std::move(text)};
  return v;
}

Value Value::object(platform::ObjectPtr object) {
  Value v(Type::kObject);
  if (!object) return v;
  auto* rep = new ObjectRep;
  rep->instance = dynamic_cast<ClassInstance*>(object.get());
  if (!rep->instance) rep->procedure = dynamic_cast<ProcedureRef*>(object.get());
  rep->object = std::move(object);
  v.o_ = rep;
  return v;
}

void Value::release() {
  switch (type_) {
    case Type::kString:
      if (--s_->refs == 0) delete s_;
      break;
    case Type::kObject:
      if (--o_->refs == 0) delete o_;
      break;
    default:
      if (--a_->refs == 0) freeArrays(a_);
      break;
  }
}

ArrayRep& Value::ownArray() {
  if (a_->refs > 1) {
    auto* copy = new ArrayRep{1, a_->bounds, a_->elements, nullptr};
    --a_->refs;
    a_ = copy;
  }
  a_->asVariant.reset();  // the caller writes
  return *a_;
}

std::u16string& Value::ownString() {
  if (s_ == nullptr) {
    s_ = new StringRep;
  } else if (s_->refs > 1) {
    auto* copy = new StringRep{1, s_->text};
    --s_->refs;
    s_ = copy;
  }
  return s_->text;
}

uint16_t varType(const Value& value) {
  using platform::VarType;
  static constexpr VarType kByType[] = {
      VarType::kEmpty,  VarType::kNull,   VarType::kBoolean,  VarType::kInteger, VarType::kLong,
      VarType::kSingle, VarType::kDouble, VarType::kCurrency, VarType::kDate,    VarType::kByte,
      VarType::kError,  VarType::kString, VarType::kObject};
  const Value& v = value.deref();
  if (v.isArray())
    return static_cast<uint16_t>(VarType::kArray) | static_cast<uint16_t>(VarType::kVariant);
  return static_cast<uint16_t>(kByType[static_cast<size_t>(v.type())]);
}

Value makeArray(std::vector<platform::VariantArray::Bound> bounds) {
  size_t count = 1;
  for (const auto& bound : bounds) {
    if (bound.count < 0) platform::raise(ErrorCode::kSubscriptOutOfRange);
    count *= static_cast<size_t>(bound.count);
    if (count > kMaxArrayElements) platform::raise(ErrorCode::kOutOfMemoryVb);
  }
  auto rep = std::make_unique<ArrayRep>();
  // No dimensions: the array of a dynamic array variable before its first ReDim.
  if (bounds.empty()) count = 0;
  rep->bounds = std::move(bounds);
  rep->elements.resize(count);
  return Value::array(rep.release());
}

void checkStringLength(size_t length) {
  if (length > kMaxStringLength) platform::raise(ErrorCode::kOutOfMemoryVb);
}

platform::Variant toVariant(const Value& value) {
  return toVariantAt(value, 0);
}

platform::Variant toSharedVariant(const Value& value) {
  const Value& v = value.deref();
  if (!v.isArray()) return toVariantAt(v, 0);
  const ArrayRep& rep = *v.arrayRep();
  if (!rep.asVariant) rep.asVariant = toVariantArray(rep, 0);
  return platform::Variant(rep.asVariant);
}

Value fromVariant(const platform::Variant& value) {
  return fromVariantAt(value, 0);
}

Value fromVariant(platform::Variant&& value) {
  if (value.isString()) return Value::string(std::move(value.string()));
  return fromVariantAt(value, 0);
}

bool sameValue(const Value& a, const Value& b) {
  if (a.type() != b.type()) return false;
  switch (a.type()) {
    case Type::kEmpty:
    case Type::kNull:
      return true;
    case Type::kBoolean:
      return a.asBoolean() == b.asBoolean();
    case Type::kInteger:
      return a.asInteger() == b.asInteger();
    case Type::kLong:
      return a.asLong() == b.asLong();
    case Type::kSingle:
      return a.asSingle() == b.asSingle();
    case Type::kDouble:
    case Type::kDate:
      return a.asDouble() == b.asDouble();
    case Type::kCurrency:
      return a.asCurrency() == b.asCurrency();
    case Type::kByte:
      return a.asByte() == b.asByte();
    case Type::kError:
      return a.asError() == b.asError();
    case Type::kString:
      return a.asString() == b.asString();
    case Type::kObject:
      return (a.objectRep() ? a.objectRep()->object.get() : nullptr) ==
             (b.objectRep() ? b.objectRep()->object.get() : nullptr);
    case Type::kArray:
      return a.arrayRep() == b.arrayRep();
    case Type::kRef:
      return a.target() == b.target();
  }
  return false;
}

}  // namespace vbscript
