// The registry profile against the real (Wine) registry.
#include "framework/registry_profile.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace tolvane {
namespace {

constexpr const char* kRoot = RegistryProfile::kRoot;

class RegistryProfileTest : public ::testing::Test {
 protected:
  void SetUp() override { ::RegDeleteTreeA(HKEY_CURRENT_USER, kRoot); }
  void TearDown() override { ::RegDeleteTreeA(HKEY_CURRENT_USER, kRoot); }

  // Type and bytes of a value read straight from the registry.
  static bool ReadRaw(const std::string& subKey, const std::string& name, DWORD& type,
                      std::string& bytes) {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, (std::string(kRoot) + "\\" + subKey).c_str(), 0,
                        KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
      return false;
    }
    char buffer[256] = {};
    DWORD size = sizeof buffer;
    LONG status = ::RegQueryValueExA(key, name.c_str(), nullptr, &type,
                                     reinterpret_cast<BYTE*>(buffer), &size);
    ::RegCloseKey(key);
    bytes.assign(buffer, size);
    return status == ERROR_SUCCESS;
  }

  // A string value that must be there and readable.
  std::string Read(const std::string& section, const std::string& key) {
    std::string value;
    EXPECT_EQ(profile.ReadString(section, key, value), ProfileRead::kRead) << key;
    return value;
  }

  RegistryProfile profile;
};

TEST_F(RegistryProfileTest, StringsAreStoredAsRegSzUnderTheSectionKey) {
  profile.WriteString("Config", "FilenameEditList", "a|b|");
  DWORD type = 0;
  std::string bytes;
  ASSERT_TRUE(ReadRaw("Config", "FilenameEditList", type, bytes));
  EXPECT_EQ(type, DWORD(REG_SZ));
  EXPECT_EQ(bytes, std::string("a|b|\0", 5));
  EXPECT_EQ(Read("Config", "FilenameEditList"), "a|b|");
}

TEST_F(RegistryProfileTest, ABackslashInTheSectionNestsKeys) {
  profile.WriteInt("WindowPositions\\ID=0x0000abcd", "Sub1", 135);
  DWORD type = 0;
  std::string bytes;
  ASSERT_TRUE(ReadRaw("WindowPositions\\ID=0x0000abcd", "Sub1", type, bytes));
  EXPECT_EQ(type, DWORD(REG_DWORD));
  ASSERT_EQ(bytes.size(), 4u);
  EXPECT_EQ(bytes, std::string("\x87\0\0\0", 4));

  HKEY parent = nullptr;
  ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, (std::string(kRoot) + "\\WindowPositions").c_str(),
                            0, KEY_READ, &parent),
            ERROR_SUCCESS);
  char child[64] = {};
  EXPECT_EQ(::RegEnumKeyA(parent, 0, child, sizeof child), ERROR_SUCCESS);
  ::RegCloseKey(parent);
  EXPECT_STREQ(child, "ID=0x0000abcd");
  EXPECT_EQ(profile.GetInt("WindowPositions\\ID=0x0000abcd", "Sub1", -1), 135);
}

TEST_F(RegistryProfileTest, AbsentValuesAndSectionsAreTellableFromUnreadableOnes) {
  std::string value = "untouched";
  EXPECT_EQ(profile.ReadString("Config", "TagEditList", value), ProfileRead::kAbsent);
  EXPECT_EQ(profile.GetInt("Nowhere\\Deeper", "Sub2", 77), 77);
  profile.WriteString("Config", "Other", "v");
  EXPECT_EQ(profile.ReadString("Config", "TagEditList", value), ProfileRead::kAbsent);
  EXPECT_EQ(value, "untouched");

  profile.WriteString("S", "Width", "120");
  profile.WriteInt("S", "Text", 5);
  EXPECT_EQ(profile.GetInt("S", "Width", -1), -1);
  EXPECT_EQ(profile.ReadString("S", "Text", value), ProfileRead::kFailed);
}

// Widths are written at every close: a value of another type stays, since it was not read.
TEST_F(RegistryProfileTest, AnIntegerIsNeverWrittenOverAValueOfAnotherType) {
  profile.WriteString("S", "Width", "wide");
  profile.WriteInt("S", "Width", 5);
  EXPECT_EQ(Read("S", "Width"), "wide");
  profile.WriteInt("S", "Fresh", 5);
  profile.WriteInt("S", "Fresh", 6);
  EXPECT_EQ(profile.GetInt("S", "Fresh", -1), 6);
}

TEST_F(RegistryProfileTest, NegativeIntegersAndEmptyStringsRoundTrip) {
  profile.WriteInt("S", "N", -5);
  profile.WriteString("S", "E", "");
  EXPECT_EQ(profile.GetInt("S", "N", 0), -5);
  EXPECT_EQ(Read("S", "E"), "");
}

TEST_F(RegistryProfileTest, RewritingReplacesTheValue) {
  profile.WriteString("Config", "K", "first|");
  profile.WriteString("Config", "K", "second|third|");
  EXPECT_EQ(Read("Config", "K"), "second|third|");
}

}  // namespace
}  // namespace tolvane
