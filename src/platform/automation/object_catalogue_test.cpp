#include "platform/automation/object_catalogue.h"

#include <gtest/gtest.h>

#include "error_testing.h"
#include "platform/automation/dispatch_object.h"

namespace platform {
namespace {

using juvo::testing::errorNumberOf;
using juvo::testing::numberOf;

class Thing : public DispatchObject {
 public:
  explicit Thing(int kind) : DispatchObject(members()), kind(kind) {}
  std::u16string typeName() const override { return u"Thing"; }
  int kind;

 private:
  static const MemberTable& members() {
    static const auto table = Members<Thing>();
    return table;
  }
};

TEST(ObjectCatalogue, CreatesByNameWithoutRegardToCaseAndRefusesEveryOtherName) {
  ObjectCatalogue catalogue;
  catalogue.add(u"Test.Thing", [](const StopCheck&) { return std::make_shared<Thing>(1); });
  const ObjectPtr made = catalogue.create(u"TEST.thing");
  ASSERT_TRUE(made);
  EXPECT_EQ(static_cast<Thing&>(*made).kind, 1);
  EXPECT_NE(catalogue.create(u"Test.Thing"), made);  // a new object each time

  catalogue.add(u"test.THING", [](const StopCheck&) { return std::make_shared<Thing>(2); });
  EXPECT_EQ(static_cast<Thing&>(*catalogue.create(u"Test.Thing")).kind, 2);

  for (std::u16string_view name : {u"Scripting.FileSystemObject", u"WScript.Shell", u""}) {
    EXPECT_FALSE(catalogue.contains(name));
    try {
      catalogue.create(name);
      ADD_FAILURE() << "created an object no one registered";
    } catch (const Error& error) {
      EXPECT_EQ(error.number(), numberOf(ErrorCode::kCannotCreateObject));
      EXPECT_EQ(error.description(), u"ActiveX component can't create object");
    }
  }
}

}  // namespace
}  // namespace platform
