// The host's Find File dialog: combo box 1021 and the two-column list 1020 of workspace files.
#pragma once

#include <filesystem>
#include <vector>

#include "editor_pane.h"
#include "file_catalog.h"
#include "find_dialog.h"
#include "row_ranking.h"

namespace tolvane::host {

class FindFileDialog final : public FindDialog {
 public:
  static constexpr int kList = 1020;
  static constexpr int kCombo = 1021;
  static constexpr uint32_t kDialogId = 0x00F11E00;

  FindFileDialog(const ModuleLink& module, HWND owner, FileCatalog& files, EditorPane& pane,
                 std::filesystem::path root)
      : FindDialog(module, owner), files_(files), pane_(pane), root_(std::move(root)) {}

  const char* Name() const override { return "find-file"; }
  int ListId() const override { return kList; }
  int MainComboId() const override { return kCombo; }

 protected:
  DialogTemplate BuildTemplate() const override;
  void AttachModule() override;
  void DetachModule() override;
  void Refilter() override;
  void Confirm() override;

 private:
  FileCatalog& files_;
  EditorPane& pane_;
  std::filesystem::path root_;
  FileRanking ranking_;
  std::vector<uint32_t> keys_;
  HostFileKeyArray keyArray_{nullptr};
  HostFileSource* source_ = nullptr;  // the word through which the module reaches the source
};

}  // namespace tolvane::host
