// The registry profile against the real (Wine) registry.
#include "framework/registry_profile.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

#include "harness/import_patch.h"

namespace tolvane {
namespace {

using testing::ImportPatch;

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

// Widths are written at every close: a value of another type or size (another program's) reads
// as absent and stays, since it was not read.
TEST_F(RegistryProfileTest, AnIntegerIsNeverWrittenOverAValueOfAnotherTypeOrSize) {
  const std::string section = std::string(kRoot) + "\\S";
  const struct {
    DWORD type;
    std::string bytes;
  } others[] = {{REG_SZ, std::string("wide\0", 5)},
                {REG_DWORD, std::string("\x05\0", 2)},
                {REG_DWORD, std::string("\x05\0\0\0\0\0\0\0", 8)},
                {REG_BINARY, std::string("\x05\0\0\0", 4)}};
  for (const auto& other : others) {
    ASSERT_EQ(::RegSetKeyValueA(HKEY_CURRENT_USER, section.c_str(), "Width", other.type,
                                other.bytes.data(), DWORD(other.bytes.size())),
              ERROR_SUCCESS);
    EXPECT_EQ(profile.GetInt("S", "Width", -1), -1) << other.type;
    profile.WriteInt("S", "Width", 5);
    DWORD type = 0;
    std::string bytes;
    ASSERT_TRUE(ReadRaw("S", "Width", type, bytes));
    EXPECT_EQ(type, other.type);
    EXPECT_EQ(bytes, other.bytes);
  }
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

// The registry getting in the way of one of the profile's calls: refusing it (access rules that
// let the profile read but not write, or not even read), or another writer deleting the value or
// storing a number under its name just before the profile reads it, after it asked its size.
enum class Call { kOpen, kCreate, kSizeQuery, kDataQuery };
enum class Meddling { kRefused, kDeleted, kRetyped };

struct Interference {
  Call call;
  Meddling how;
  bool done = false;  // once: a retry meets the registry as it is
  const void* open = nullptr;
  const void* create = nullptr;
  const void* query = nullptr;
} g_in{Call::kOpen, Meddling::kRefused};

bool Meets(Call call) {
  if (g_in.done || g_in.call != call) return false;
  g_in.done = true;
  return true;
}

LSTATUS WINAPI OpenMeddling(HKEY key, LPCSTR path, DWORD options, REGSAM access, PHKEY opened) {
  if (Meets(Call::kOpen)) return ERROR_ACCESS_DENIED;
  return reinterpret_cast<decltype(&::RegOpenKeyExA)>(g_in.open)(key, path, options, access,
                                                                 opened);
}

LSTATUS WINAPI CreateMeddling(HKEY key, LPCSTR path, DWORD reserved, LPSTR keyClass, DWORD options,
                              REGSAM access, const LPSECURITY_ATTRIBUTES security, PHKEY opened,
                              LPDWORD disposition) {
  if (Meets(Call::kCreate)) return ERROR_ACCESS_DENIED;
  return reinterpret_cast<decltype(&::RegCreateKeyExA)>(g_in.create)(
      key, path, reserved, keyClass, options, access, security, opened, disposition);
}

LSTATUS WINAPI QueryMeddling(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data,
                             LPDWORD size) {
  if (Meets(data == nullptr ? Call::kSizeQuery : Call::kDataQuery)) {
    // The other writer opens the key for itself: the profile's handle may only read.
    const std::string path = std::string(kRoot) + "\\S";
    const DWORD number = 9;
    switch (g_in.how) {
      case Meddling::kRefused:
        return ERROR_ACCESS_DENIED;
      case Meddling::kDeleted:
        ::RegDeleteKeyValueA(HKEY_CURRENT_USER, path.c_str(), name);
        break;
      case Meddling::kRetyped:
        ::RegSetKeyValueA(HKEY_CURRENT_USER, path.c_str(), name, REG_DWORD, &number, sizeof number);
        break;
    }
  }
  return reinterpret_cast<decltype(&::RegQueryValueExA)>(g_in.query)(key, name, reserved, type,
                                                                     data, size);
}

// Each row meets one call of one operation on value S\K, stored beforehand as the operation's
// type: a read reports what it found or its fallback, and no write changes what is stored.
TEST_F(RegistryProfileTest, ARefusedOrRacedCallReadsAsUnreadableOrAbsentAndWritesNothing) {
  enum class Operation { kReadString, kGetInt, kWriteString, kWriteInt };
  const struct {
    Operation operation;
    Call call;
    Meddling how;
    ProfileRead read = ProfileRead::kRead;  // kReadString
  } rows[] = {
      {Operation::kReadString, Call::kOpen, Meddling::kRefused, ProfileRead::kFailed},
      {Operation::kReadString, Call::kSizeQuery, Meddling::kRefused, ProfileRead::kFailed},
      {Operation::kReadString, Call::kDataQuery, Meddling::kRefused, ProfileRead::kFailed},
      {Operation::kReadString, Call::kDataQuery, Meddling::kDeleted, ProfileRead::kAbsent},
      {Operation::kReadString, Call::kDataQuery, Meddling::kRetyped, ProfileRead::kFailed},
      {Operation::kGetInt, Call::kOpen, Meddling::kRefused},
      {Operation::kGetInt, Call::kDataQuery, Meddling::kRefused},
      {Operation::kWriteString, Call::kCreate, Meddling::kRefused},
      {Operation::kWriteInt, Call::kCreate, Meddling::kRefused},
      {Operation::kWriteInt, Call::kSizeQuery, Meddling::kRefused},
  };
  for (const auto& row : rows) {
    const bool text =
        row.operation == Operation::kReadString || row.operation == Operation::kWriteString;
    ::RegDeleteTreeA(HKEY_CURRENT_USER, kRoot);
    text ? profile.WriteString("S", "K", "stored") : profile.WriteInt("S", "K", 7);
    const std::string before = [] {
      DWORD type = 0;
      std::string bytes;
      ReadRaw("S", "K", type, bytes);
      return std::to_string(type) + ":" + bytes;
    }();
    const std::string label = std::to_string(&row - rows);

    ImportPatch open(::GetModuleHandleA(nullptr), "advapi32.dll", "RegOpenKeyExA",
                     reinterpret_cast<const void*>(&OpenMeddling));
    ImportPatch create(::GetModuleHandleA(nullptr), "advapi32.dll", "RegCreateKeyExA",
                       reinterpret_cast<const void*>(&CreateMeddling));
    ImportPatch query(::GetModuleHandleA(nullptr), "advapi32.dll", "RegQueryValueExA",
                      reinterpret_cast<const void*>(&QueryMeddling));
    ASSERT_TRUE(open.Active() && create.Active() && query.Active());
    g_in = {row.call, row.how, false, open.Original(), create.Original(), query.Original()};
    std::string value = "untouched";
    ProfileRead read = ProfileRead::kRead;
    int32_t number = 0;
    switch (row.operation) {
      case Operation::kReadString:
        read = profile.ReadString("S", "K", value);
        break;
      case Operation::kGetInt:
        number = profile.GetInt("S", "K", -1);
        break;
      case Operation::kWriteString:
        profile.WriteString("S", "K", "new");
        break;
      case Operation::kWriteInt:
        profile.WriteInt("S", "K", 8);
        break;
    }
    EXPECT_TRUE(g_in.done) << label;
    if (row.operation == Operation::kReadString) {
      EXPECT_EQ(read, row.read) << label;
      EXPECT_EQ(value, "untouched") << label;
    }
    if (row.operation == Operation::kGetInt) {
      EXPECT_EQ(number, -1) << label;
    }
    if (row.how == Meddling::kRefused) {
      DWORD type = 0;
      std::string bytes;
      ASSERT_TRUE(ReadRaw("S", "K", type, bytes)) << label;
      EXPECT_EQ(std::to_string(type) + ":" + bytes, before) << label;
    }
  }
}

}  // namespace
}  // namespace tolvane
