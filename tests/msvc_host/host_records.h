// The host's objects as an MSVC-ABI host implements them: file records, the file source behind
// the Find File list, and the workspace with its per-file entries (tag records are the other
// tests' own). They record what the module asks of them so that the host can check it.
#pragma once

#include "checks.h"
#include "support/fake_tag_record.h"
#include "tolvane/host_objects.h"

namespace host {

using namespace tolvane;
using TagRecord = testing::FakeTagRecord;

class FileRecord final : public HostFileRecord {
 public:
  FileRecord(const char* title, const char* extension, const char* path)
      : title_(title), extension_(extension), path_(path) {}
  const char* Title() override { return title_; }
  const char* Extension() override { return extension_; }
  const char* Path() override { return path_; }

 private:
  const char* title_;
  const char* extension_;
  const char* path_;
};

// Key i + 100 is record i; any other key has none.
class FileSource final : public HostFileSource {
 public:
  FileSource(HostFileRecord** records, uint32_t count) : records_(records), count_(count) {}
  HostFileRecord* Record(uint32_t key) override {
    return key >= 100 && key - 100 < count_ ? records_[key - 100] : nullptr;
  }

 private:
  HostFileRecord** records_;
  uint32_t count_;
};

// One of the host's per-file objects, counting the module's flag changes.
class FileEntryObject final : public HostFileEntry {
 public:
  FileEntryObject(const char* entryName, bool firstFlag, bool secondFlag)
      : name(entryName), first(firstFlag), second(secondFlag) {}
  bool FirstFlag() override { return first; }
  void SetFirstFlag(bool value) override {
    first = value;
    ++firstSets;
  }
  void SetSecondFlag(bool value) override {
    second = value;
    ++secondSets;
  }

  const char* name;
  bool first;
  bool second;
  int firstSets = 0;
  int secondSets = 0;
};

class FileEntrySet final : public HostFileEntrySet {
 public:
  FileEntrySet(FileEntryObject** entries, int count) : entries_(entries), count_(count) {}
  HostFileEntry* Find(const char* name) override {
    for (int i = 0; i < count_; ++i) {
      if (Same(entries_[i]->name, name)) return entries_[i];
    }
    return nullptr;
  }

 private:
  FileEntryObject** entries_;
  int count_;
};

// The workspace: the file-list path, the entry set, and what the project export handed over
// (the path, and the file's text as it was during the call: the module deletes it afterwards).
class Workspace final : public HostWorkspace {
 public:
  Workspace(const char* listPath, HostFileEntrySet& entries)
      : listPath_(listPath), entries_(entries) {}
  HostFileEntrySet* FileEntrySet() override { return &entries_; }
  const char* FileListPath() override { return listPath_; }
  void LoadProjectFile(const char* path) override {
    ++projectLoads;
    projectPath = Text(path);
    projectText = Text();
    HANDLE file = ::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    char bytes[256];
    DWORD read = 0;
    while (::ReadFile(file, bytes, sizeof bytes, &read, nullptr) && read > 0) {
      projectText.AddBytes(bytes, read);
    }
    ::CloseHandle(file);
  }

  int projectLoads = 0;
  Text projectPath;
  Text projectText;

 private:
  const char* listPath_;
  HostFileEntrySet& entries_;
};

}  // namespace host
