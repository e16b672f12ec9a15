// The host's workspace object handed to the module: where the file-list file lives, the host's
// per-file objects with their two flags, and what it learnt from the last project fragment.
#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "tolvane/host_objects.h"

namespace tolvane::host {

class FileFlags final : public HostFileEntry {
 public:
  bool FirstFlag() override { return first_; }
  void SetFirstFlag(bool value) override { first_ = value; }
  void SetSecondFlag(bool value) override { second_ = value; }
  bool InProject() const { return first_; }
  bool SecondFlag() const { return second_; }

 private:
  bool first_ = false;
  bool second_ = false;
};

class FileFlagSet final : public HostFileEntrySet {
 public:
  HostFileEntry* Find(const char* name) override;  // a null name is the empty one
  void Add(const std::string& name) { entries_.try_emplace(name); }
  void Clear() { entries_.clear(); }
  std::size_t Size() const { return entries_.size(); }
  const FileFlags* Get(std::string_view name) const;

 private:
  // Looked up by a view of the name: finding one allocates nothing and so cannot fail.
  std::map<std::string, FileFlags, std::less<>> entries_;
};

class WorkspaceModel final : public HostWorkspace {
 public:
  // The file-list file is WORKSPACE/.tolvane/files.tvef.
  explicit WorkspaceModel(const std::filesystem::path& root);

  HostFileEntrySet* FileEntrySet() override { return &flags_; }
  const char* FileListPath() override { return fileListPath_.c_str(); }
  // Reads the fragment now (the module deletes the file as soon as this returns) and makes a
  // per-file object for every file it names, as an IDE does when it loads a project. Nothing
  // escapes it: a fragment it cannot read or take in leaves ProjectFileCount() at -1.
  void LoadProjectFile(const char* projectFilePath) override;

  const std::filesystem::path& Root() const { return root_; }
  std::filesystem::path StateFolder() const { return root_ / ".tolvane"; }
  FileFlagSet& Flags() { return flags_; }
  // Files named by the last project fragment; -1 when none was handed over (or unreadable).
  int ProjectFileCount() const { return projectFileCount_; }

 private:
  std::filesystem::path root_;
  std::string fileListPath_;
  FileFlagSet flags_;
  int projectFileCount_ = -1;
};

}  // namespace tolvane::host
