// Fakes of the host's workspace objects that record every operation, in order, in one log:
//   "workspace.1", "workspace.6", "workspace.11 PATH", "set.2 NAME",
//   "NAME.1", "NAME.6 0|1", "NAME.8 0|1".
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tolvane/host_objects.h"

namespace tolvane::testing {

using CallLog = std::vector<std::string>;

class FakeFileEntry final : public HostFileEntry {
 public:
  FakeFileEntry(std::string name, CallLog& log, bool firstFlag, bool secondFlag)
      : name_(std::move(name)), log_(log), first(firstFlag), second(secondFlag) {}
  bool FirstFlag() override;
  void SetFirstFlag(bool value) override;
  void SetSecondFlag(bool value) override;

 private:
  std::string name_;
  CallLog& log_;

 public:
  bool first;
  bool second;
};

class FakeFileEntrySet final : public HostFileEntrySet {
 public:
  explicit FakeFileEntrySet(CallLog& log) : log_(log) {}
  HostFileEntry* Find(const char* name) override;
  FakeFileEntry& Add(const std::string& name, bool first = false, bool second = false);
  FakeFileEntry& at(const std::string& name) { return *entries_.at(name); }

 private:
  CallLog& log_;
  std::map<std::string, std::unique_ptr<FakeFileEntry>> entries_;
};

class FakeWorkspace final : public HostWorkspace {
 public:
  explicit FakeWorkspace(std::string fileListPath) : path_(std::move(fileListPath)) {}
  HostFileEntrySet* FileEntrySet() override;
  const char* FileListPath() override;
  void LoadProjectFile(const char* projectFilePath) override;

  CallLog calls;
  FakeFileEntrySet entrySet{calls};
  bool hasEntrySet = true;
  bool hasPath = true;  // false: operation 6 gives null
  // Runs inside operation 11, while the project file exists.
  std::function<void(const std::string&)> onLoadProjectFile;

 private:
  std::string path_;
};

}  // namespace tolvane::testing
