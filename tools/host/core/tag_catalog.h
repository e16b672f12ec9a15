// The tags of a tags file as host records for the Find Tag list and for going to a tag.
#pragma once

#include <cstdint>
#include <deque>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "ctags_tag.h"
#include "tolvane/host_objects.h"
#include "workspace_file.h"

namespace tolvane::host {

class TagRecord final : public HostTagRecord {
 public:
  TagRecord(const CtagsTag* tag, std::string fullPath, HostFileRecord* file)
      : tag_(tag), fullPath_(std::move(fullPath)), file_(file) {}

  // A copy that reports no line number, so that going to it searches for its pattern.
  TagRecord WithoutLine() const {
    TagRecord copy = *this;
    copy.withholdLine_ = true;
    return copy;
  }
  void SetParent(HostTagRecord* parent) { parent_ = parent; }

  int32_t Kind() override { return tag_->kind; }
  const char* Name() override { return tag_->name.c_str(); }
  const char* FileName() override { return fullPath_.c_str(); }
  const char* Pattern() override { return tag_->pattern.c_str(); }
  const char* ParentName() override { return tag_->parent.c_str(); }
  int32_t Line() override { return withholdLine_ ? -1 : tag_->line; }
  const char* Namespace() override { return tag_->nameSpace.c_str(); }
  HostTagRecord* Parent() override { return parent_; }
  HostFileRecord* File() override { return file_; }

 private:
  const CtagsTag* tag_;
  std::string fullPath_;
  HostFileRecord* file_;
  HostTagRecord* parent_ = nullptr;
  bool withholdLine_ = false;
};

class TagCatalog {
 public:
  // Takes the tags of a tags file. A relative file name is resolved against the first of
  // `folders` in which it exists (ctags writes names relative to the tags file's folder or to
  // the folder it ran in), or against the first folder when it exists in none.
  void Assign(std::vector<CtagsTag> tags, const std::vector<std::filesystem::path>& folders);

  const std::vector<CtagsTag>& Tags() const { return tags_; }
  TagRecord* Record(std::size_t index) { return &records_[index]; }
  std::size_t Size() const { return tags_.size(); }
  std::optional<std::size_t> FirstNamed(const std::string& name) const;

 private:
  std::vector<CtagsTag> tags_;
  std::deque<FileRecord> fileRecords_;
  std::deque<TagRecord> records_;
};

}  // namespace tolvane::host
