#include "platform/com/guid.h"

#include <gtest/gtest.h>

namespace {

constexpr GUID kSample = {
    0x6B29FC40, 0xCA47, 0x1067, {0xB3, 0x1D, 0x00, 0xDD, 0x01, 0x06, 0x62, 0xDA}};

TEST(Guid, RegistryFormRoundTripsInEitherCase) {
  EXPECT_EQ(platform::formatGuid(kSample), "{6B29FC40-CA47-1067-B31D-00DD010662DA}");
  EXPECT_EQ(platform::parseGuid("{6b29fc40-ca47-1067-b31d-00dd010662da}"), kSample);
  EXPECT_EQ(platform::formatGuid(IID_IDispatch), "{00020400-0000-0000-C000-000000000046}");
  for (const char* text :
       {"", "6B29FC40-CA47-1067-B31D-00DD010662DA", "{6B29FC40-CA47-1067-B31D-00DD010662DA",
        "{6B29FC40-CA47-1067-B31D-00DD010662DA} ", "{6B29FC40CA47-1067-B31D-00DD010662DAX}",
        "{6B29FC40-CA47-1067-B31D-00DD010662DG}", "{+B29FC40-CA47-1067-B31D-00DD010662DA}"}) {
    EXPECT_FALSE(platform::parseGuid(text)) << text;
  }
}

TEST(Guid, EqualityAndBytesFollowTheWindowsLayout) {
  GUID other = kSample;
  other.Data4[7] ^= 1;
  EXPECT_FALSE(IsEqualGUID(other, kSample));
  const std::array<uint8_t, 16> expected = {0x40, 0xFC, 0x29, 0x6B, 0x47, 0xCA, 0x67, 0x10,
                                            0xB3, 0x1D, 0x00, 0xDD, 0x01, 0x06, 0x62, 0xDA};
  EXPECT_EQ(platform::guidBytes(kSample), expected);
}

}  // namespace
