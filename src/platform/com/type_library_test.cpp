#include "platform/com/type_library.h"

#include <gtest/gtest.h>

namespace {

using platform::ParamDirection;
using platform::ParamType;

const platform::InterfaceDescription kInterface{
    u"_thing",
    {0xAAAAAAAA, 0xBBBB, 0xCCCC, {0xDD, 0xDD, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0x01}},
    {
        {u"Second",
         0x60030002,
         {{u"sName", ParamType::kString, ParamDirection::kInOut},
          {u"oWnd", ParamType::kObject},
          {u"nIdx", ParamType::kLong, ParamDirection::kInOut}},
         ParamType::kBoolean},
        {u"First", 0x60030001, {}, ParamType::kVariant},
    }};

// The IDL with every run of white space made one space.
std::string squeezedIdl() {
  const std::string text = platform::typeLibraryIdl(
      {u"things",
       {0x11111111, 0x2222, 0x3333, {0x44, 0x44, 0x55, 0x55, 0x55, 0x55, 0x55, 0xAB}},
       1,
       0,
       0x0409,
       u"Things for tests",
       &kInterface,
       u"thing",
       {0x0000000F, 0x1, 0x2, {0, 0, 0, 0, 0, 0, 0, 3}}});
  std::string out;
  for (char c : text) {
    if (c != ' ' && c != '\n') {
      out += c;
    } else if (!out.empty() && out.back() != ' ') {
      out += ' ';
    }
  }
  return out;
}

TEST(TypeLibrary, DeclaresLibraryInterfaceInTableOrderAndClass) {
  const std::string idl = squeezedIdl();
  size_t at = 0;
  for (const char* part :
       {"uuid(11111111-2222-3333-4444-5555555555ab)", "version(1.0)", "lcid(0x0409)",
        "helpstring(\"Things for tests\")", "library things {", "importlib(\"stdole2.tlb\");",
        "uuid(aaaaaaaa-bbbb-cccc-dddd-eeeeeeeeee01)", "hidden", "dual", "nonextensible",
        "oleautomation", "interface _thing : IDispatch {",
        "[id(0x60030002)] HRESULT Second( [in, out] BSTR* sName, [in] IDispatch* oWnd, "
        "[in, out] long* nIdx, [out, retval] VARIANT_BOOL* pRetVal);",
        "[id(0x60030001)] HRESULT First( [out, retval] VARIANT* pRetVal);",
        "uuid(0000000f-0001-0002-0000-000000000003)", "coclass thing {",
        "[default] interface _thing;"}) {
    const size_t next = idl.find(part, at);
    ASSERT_NE(next, std::string::npos) << "missing or out of order: " << part << "\nin:\n" << idl;
    at = next;
  }
  EXPECT_EQ(idl.substr(idl.size() - 3), "}; ");
}

}  // namespace
