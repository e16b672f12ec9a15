#include "support/fake_workspace.h"

namespace tolvane::testing {

namespace {
const char* Bit(bool value) {
  return value ? "1" : "0";
}
}  // namespace

bool FakeFileEntry::FirstFlag() {
  log_.push_back(name_ + ".1");
  return first;
}

void FakeFileEntry::SetFirstFlag(bool value) {
  log_.push_back(name_ + ".6 " + Bit(value));
  first = value;
}

void FakeFileEntry::SetSecondFlag(bool value) {
  log_.push_back(name_ + ".8 " + Bit(value));
  second = value;
}

HostFileEntry* FakeFileEntrySet::Find(const char* name) {
  log_.push_back("set.2 " + std::string(name));
  auto found = entries_.find(name);
  return found == entries_.end() ? nullptr : found->second.get();
}

FakeFileEntry& FakeFileEntrySet::Add(const std::string& name, bool first, bool second) {
  auto& slot = entries_[name];
  slot = std::make_unique<FakeFileEntry>(name, log_, first, second);
  return *slot;
}

HostFileEntrySet* FakeWorkspace::FileEntrySet() {
  calls.push_back("workspace.1");
  return hasEntrySet ? &entrySet : nullptr;
}

const char* FakeWorkspace::FileListPath() {
  calls.push_back("workspace.6");
  return hasPath ? path_.c_str() : nullptr;
}

void FakeWorkspace::LoadProjectFile(const char* projectFilePath) {
  calls.push_back("workspace.11 " + std::string(projectFilePath));
  if (onLoadProjectFile) onLoadProjectFile(projectFilePath);
}

}  // namespace tolvane::testing
