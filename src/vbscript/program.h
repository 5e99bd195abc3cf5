// What compiled code is made of besides its nodes: procedures with their frame layout,
// classes with their members, and the global names every piece of code shares.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "vbscript/ast.h"
#include "vbscript/nodes.h"
#include "vbscript/source_text.h"

namespace vbscript {

struct ClassInfo;

inline constexpr uint32_t kNoSlot = UINT32_MAX;

// A Sub, Function or Property, or the top-level code of one piece of source.
//
// Frame layout: the parameters first, then one temporary per parameter (a by-reference
// parameter given no variable points at its own), then the result, then locals.
struct Procedure {
  std::u16string name;  // as declared
  ast::ProcedureKind kind = ast::ProcedureKind::kSub;
  bool isTopLevel = false;
  bool optionExplicit = false;  // of the source it came from
  ClassInfo* owner = nullptr;   // the class of a method
  std::vector<bool> byRef;      // per parameter
  uint32_t frameSize = 0;
  uint32_t resultSlot = kNoSlot;
  // Local arrays declared with sizes: made fresh on every call.
  struct FixedArray {
    uint32_t slot;
    std::vector<int32_t> upperBounds;
  };
  std::vector<FixedArray> fixedArrays;
  // Every local by its lower-case name, for code that Execute and Eval run inside the frame.
  struct Local {
    uint32_t slot;
    bool byRef;
    // A name the procedure assigns without declaring it: the global of that name when one
    // exists, as in the procedure's own code.
    bool implicit = false;
  };
  std::unordered_map<std::u16string, Local> locals;
  Block body;
  std::shared_ptr<const SourceText> source;
  ast::Position at;

  size_t parameterCount() const { return byRef.size(); }
  uint32_t temporary(size_t parameter) const {
    return static_cast<uint32_t>(byRef.size() + parameter);
  }
};

// A class: its fields and the members the outside reaches by name.
struct ClassInfo {
  std::u16string name;
  struct Field {
    std::u16string name;
    bool isArray = false;
    std::vector<int32_t> upperBounds;  // a fixed array's sizes
  };
  std::vector<Field> fields;
  // A name of the class: a field or the procedures that answer it. Member ids are index + 1.
  struct Member {
    std::u16string name;
    bool isPublic = true;
    int32_t field = -1;
    Procedure* get = nullptr;  // Function or Property Get
    Procedure* let = nullptr;
    Procedure* set = nullptr;
    Procedure* sub = nullptr;
  };
  std::vector<Member> members;
  std::unordered_map<std::u16string, size_t> memberIndex;  // by lower-case name
  int32_t defaultMember = -1;
  Procedure* initialize = nullptr;
  Procedure* terminate = nullptr;

  const Member* find(std::u16string_view lowerName) const {
    auto it = memberIndex.find(std::u16string(lowerName));
    return it == memberIndex.end() ? nullptr : &members[it->second];
  }
};

// A global name, shared by every piece of code added to the engine.
struct Global {
  enum class Kind : uint8_t {
    kUndeclared,  // named by code, never declared or assigned yet
    kVariable,
    kConstant,
    kProcedure,
    kClass,
    kNamedObject,  // added by the host; read only
  };
  std::u16string name;
  Kind kind = Kind::kUndeclared;
  bool fixedArray = false;  // declared with sizes: ReDim refuses it
  Value value;
  Procedure* procedure = nullptr;
  std::shared_ptr<ClassInfo> cls;
};

}  // namespace vbscript
