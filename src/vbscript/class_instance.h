// Instances of script classes and references to script procedures (GetRef): automation
// objects, so that host objects and built-ins use them as they use any other object. While
// their interpreter lives they answer calls; once it is reset they raise 424 Object required.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/automation/automation_object.h"
#include "vbscript/value.h"

namespace vbscript {

class Interpreter;
struct ClassInfo;

// Lets objects that outlive a reset find out that their interpreter is gone.
struct InterpreterLink {
  Interpreter* interpreter = nullptr;
};

class ClassInstance final : public platform::AutomationObject {
 public:
  ClassInstance(std::shared_ptr<InterpreterLink> link, std::shared_ptr<const ClassInfo> cls);
  ~ClassInstance() override;

  std::u16string typeName() const override;
  std::optional<platform::MemberId> memberId(std::u16string_view name) override;
  platform::Variant invoke(platform::MemberId id, uint16_t kind,
                           std::span<platform::Variant> args) override;
  bool readsWithoutArguments(platform::MemberId id) override;

  const ClassInfo& cls() const { return *cls_; }
  // The interpreter that made it, or null once that is gone.
  Interpreter* interpreter() const { return link_->interpreter; }

  std::vector<Value> fields;

  // The interpreter's list of its live instances, for breaking cycles when it is reset.
  ClassInstance* previous = nullptr;
  ClassInstance* next = nullptr;

 private:
  std::shared_ptr<InterpreterLink> link_;
  std::shared_ptr<const ClassInfo> cls_;
};

struct Procedure;

class ProcedureRef final : public platform::AutomationObject {
 public:
  ProcedureRef(std::shared_ptr<InterpreterLink> link, const Procedure* procedure)
      : link_(std::move(link)), procedure_(procedure) {}

  std::u16string typeName() const override { return u"Object"; }
  std::optional<platform::MemberId> memberId(std::u16string_view) override { return std::nullopt; }
  // The default member calls the procedure.
  platform::Variant invoke(platform::MemberId id, uint16_t kind,
                           std::span<platform::Variant> args) override;

  const Procedure* procedure() const { return procedure_; }
  Interpreter* interpreter() const { return link_->interpreter; }

 private:
  std::shared_ptr<InterpreterLink> link_;
  const Procedure* procedure_;
};

}  // namespace vbscript
