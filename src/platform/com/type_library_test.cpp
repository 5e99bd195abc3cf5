#include "platform/com/type_library.h"

#include <gtest/gtest.h>

namespace {

using platform::ParamDirection;
using platform::ParamType;

constexpr GUID kLibid = {
    0x11111111, 0x2222, 0x3333, {0x44, 0x44, 0x55, 0x55, 0x55, 0x55, 0x55, 0xAB}};
constexpr GUID kIid = {
    0xAAAAAAAA, 0xBBBB, 0xCCCC, {0xDD, 0xDD, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0x01}};
constexpr GUID kClsid = {0x0000000F, 0x1, 0x2, {0, 0, 0, 0, 0, 0, 0, 3}};

const platform::InterfaceDescription kInterface{
    u"_thing",
    kIid,
    {
        {u"Second",
         0x60030002,
         {{u"sName", ParamType::kString, ParamDirection::kInOut},
          {u"oWnd", ParamType::kObject},
          {u"nIdx", ParamType::kLong, ParamDirection::kInOut}},
         ParamType::kBoolean},
        {u"First", 0x60030001, {}, ParamType::kVariant},
    }};

std::string idl() {
  return platform::typeLibraryIdl(
      {u"things", kLibid, 1, 0, 0x0409, u"Things for tests", &kInterface, u"thing", kClsid});
}

// `text` with every run of white space made one space.
std::string squeezed(const std::string& text) {
  std::string out;
  for (char c : text) {
    bool space = c == ' ' || c == '\n';
    if (!space) {
      out += c;
    } else if (!out.empty() && out.back() != ' ') {
      out += ' ';
    }
  }
  return out;
}

// The position of `text` in `in`, failing the test when it is not there.
size_t at(const std::string& in, const std::string& text) {
  size_t pos = in.find(text);
  EXPECT_NE(pos, std::string::npos) << "missing: " << text << "\nin:\n" << in;
  return pos;
}

TEST(TypeLibrary, LibraryHeaderCarriesItsAttributes) {
  const std::string text = idl();
  size_t uuid = at(text, "uuid(11111111-2222-3333-4444-5555555555ab)");
  size_t version = at(text, "version(1.0)");
  size_t lcid = at(text, "lcid(0x0409)");
  size_t help = at(text, "helpstring(\"Things for tests\")");
  size_t library = at(text, "library things");
  size_t import = at(text, "importlib(\"stdole2.tlb\");");
  EXPECT_LT(uuid, library);
  EXPECT_LT(version, library);
  EXPECT_LT(lcid, library);
  EXPECT_LT(help, library);
  EXPECT_LT(library, import);
}

TEST(TypeLibrary, InterfaceListsItsMembersInVtableOrder) {
  const std::string text = idl();
  size_t attributes = at(text, "uuid(aaaaaaaa-bbbb-cccc-dddd-eeeeeeeeee01)");
  for (const char* flag : {"hidden", "dual", "nonextensible", "oleautomation"}) {
    size_t pos = at(text, std::string("      ") + flag);
    EXPECT_GT(pos, attributes) << flag;
  }
  size_t head = at(text, "interface _thing : IDispatch {");
  size_t second = at(text, "[id(0x60030002)]");
  size_t first = at(text, "[id(0x60030001)]");
  EXPECT_LT(attributes, head);
  EXPECT_LT(head, second);
  EXPECT_LT(second, first);  // table order, not id order
  const std::string flat = squeezed(text);
  at(flat,
     "HRESULT Second( [in, out] BSTR* sName, [in] IDispatch* oWnd, [in, out] long* nIdx, "
     "[out, retval] VARIANT_BOOL* pRetVal);");
  at(flat, "HRESULT First( [out, retval] VARIANT* pRetVal);");
}

TEST(TypeLibrary, ClassNamesItsDefaultInterface) {
  const std::string text = idl();
  size_t uuid = at(text, "uuid(0000000f-0001-0002-0000-000000000003)");
  size_t coclass = at(text, "coclass thing {");
  size_t member = at(text, "[default] interface _thing;");
  EXPECT_LT(uuid, coclass);
  EXPECT_LT(coclass, member);
  EXPECT_EQ(text.substr(text.size() - 3), "};\n");
}

}  // namespace
