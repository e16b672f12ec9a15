#include "support/fake_com_object.h"

#include <cstdio>

namespace tolvane::testing {

std::string GuidText(const GUID& iid) {
  char text[40];
  std::snprintf(text, sizeof text, "{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                static_cast<unsigned long>(iid.Data1), static_cast<unsigned>(iid.Data2),
                static_cast<unsigned>(iid.Data3), iid.Data4[0], iid.Data4[1], iid.Data4[2],
                iid.Data4[3], iid.Data4[4], iid.Data4[5], iid.Data4[6], iid.Data4[7]);
  return text;
}

std::string NarrowText(const WideChar* text) {
  if (text == nullptr) return "<null>";
  std::string narrow;
  for (; *text != 0; ++text) {
    const auto code = static_cast<uint32_t>(*text);
    narrow += code < 0x80 ? static_cast<char>(code) : '?';
  }
  return narrow;
}

std::string TruthText(VARIANT_BOOL value) {
  if (value == kAutomationTrue) return "true";
  if (value == kAutomationFalse) return "false";
  return std::to_string(value);
}

void FakeObjectRegistry::RecordRelease(const std::string& objectName, bool held) {
  releases_.push_back(objectName);
  if (!held) ++overReleases_;
}

bool FakeObjectRegistry::Called(const std::string& call) const {
  for (const std::string& made : calls_) {
    if (made == call) return true;
  }
  return false;
}

void FakeObjectRegistry::ClearCalls() {
  calls_.clear();
  releases_.clear();
}

std::map<std::string, long> FakeObjectRegistry::ReferenceSnapshot() const {
  std::map<std::string, long> snapshot;
  for (const FakeCounted* object : objects_) snapshot[object->name] = object->references;
  return snapshot;
}

std::string FakeObjectRegistry::ReferenceChangesSince(
    const std::map<std::string, long>& snapshot) const {
  std::string changes;
  for (const FakeCounted* object : objects_) {
    const auto before = snapshot.find(object->name);
    const long was = before == snapshot.end() ? 0 : before->second;
    if (object->references != was) {
      changes += object->name + ": " + std::to_string(was) + " -> " +
                 std::to_string(object->references) + "\n";
    }
  }
  return changes;
}

}  // namespace tolvane::testing
