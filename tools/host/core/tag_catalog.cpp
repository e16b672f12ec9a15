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

fs::path Resolve(const std::string& name, const std::vector<fs::path>& folders) {
  fs::path path(name);
  if (!path.is_relative() || folders.empty()) return path.lexically_normal();
  for (const fs::path& folder : folders) {
    std::error_code error;
    if (fs::exists(folder / path, error)) return (folder / path).lexically_normal();
  }
  return (folders.front() / path).lexically_normal();
}

}  // namespace

void TagCatalog::Assign(std::vector<CtagsTag> tags, const std::vector<fs::path>& folders) {
  records_.clear();
  fileRecords_.clear();
  tags_ = std::move(tags);

  struct FileOfTag {
    HostFileRecord* record;
    std::string fullPath;
  };
  std::map<std::string, FileOfTag> fileByName;
  std::map<std::string, HostTagRecord*> encloserByQualifiedName;
  for (const CtagsTag& tag : tags_) {
    auto [it, added] = fileByName.try_emplace(tag.file, FileOfTag{nullptr, {}});
    if (added) {
      fileRecords_.emplace_back(WorkspaceFile{fs::path(tag.file).generic_string()});
      it->second = FileOfTag{&fileRecords_.back(), Resolve(tag.file, folders).string()};
    }
    records_.emplace_back(&tag, it->second.fullPath, it->second.record);
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
