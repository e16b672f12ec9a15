#include "tag_catalog.h"

namespace tolvane::host {

namespace fs = std::filesystem;

namespace {

std::string Qualified(const std::string& scope, const std::string& name) {
  if (scope.empty()) return name;
  return name.empty() ? scope : scope + "::" + name;
}

bool CanEnclose(int32_t kind) {
  return kind == kTagClass || kind == kTagStruct || kind == kTagUnion || kind == kTagEnum ||
         kind == kTagNSpace;
}

}  // namespace

void TagCatalog::Assign(std::vector<CtagsTag> tags, const fs::path& tagsFolder) {
  records_.clear();
  fileRecords_.clear();
  files_.clear();
  tags_ = std::move(tags);

  std::map<std::string, HostFileRecord*> fileByName;
  std::map<std::string, HostTagRecord*> encloserByQualifiedName;
  for (const CtagsTag& tag : tags_) {
    auto [it, added] = fileByName.try_emplace(tag.file, nullptr);
    if (added) {
      files_.push_back(WorkspaceFile{fs::path(tag.file).generic_string()});
      fileRecords_.emplace_back(&files_.back());
      it->second = &fileRecords_.back();
    }
    fs::path path(tag.file);
    if (path.is_relative()) path = tagsFolder / path;
    records_.emplace_back(&tag, path.lexically_normal().string(), it->second);
    // Qualified names (ctags --extras=+q) repeat a tag; the first, plain one is the parent.
    if (CanEnclose(tag.kind)) {
      encloserByQualifiedName.try_emplace(Qualified(Qualified(tag.nameSpace, tag.parent), tag.name),
                                          &records_.back());
    }
  }
  for (std::size_t i = 0; i < tags_.size(); ++i) {
    if (tags_[i].parent.empty()) continue;
    auto found = encloserByQualifiedName.find(Qualified(tags_[i].nameSpace, tags_[i].parent));
    if (found != encloserByQualifiedName.end()) records_[i].SetParent(found->second);
  }
}

std::optional<std::size_t> TagCatalog::FirstNamed(const std::string& name) const {
  for (std::size_t i = 0; i < tags_.size(); ++i) {
    if (tags_[i].name == name) return i;
  }
  return std::nullopt;
}

}  // namespace tolvane::host
