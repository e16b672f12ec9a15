// The host's Find Tag dialog: parent combo box 1051, tag combo box 1052 and the six-column list
// 1050 of tags. Enter goes to the selected tag through the module; F5 reloads the tags file.
#pragma once

#include <functional>
#include <vector>

#include "find_dialog.h"
#include "row_ranking.h"
#include "tag_catalog.h"

namespace tolvane::host {

class FindTagDialog final : public FindDialog {
 public:
  static constexpr int kList = 1050;
  static constexpr int kParentCombo = 1051;
  static constexpr int kTagCombo = 1052;
  static constexpr uint32_t kDialogId = 0x00F17A00;

  // `reload` reads the tags file again; `goToTag` runs the module's go-to-tag with a record and
  // says where the caret went.
  FindTagDialog(const ModuleLink& module, HWND owner, TagCatalog& tags,
                std::function<std::size_t()> reload,
                std::function<std::string(HostTagRecord*)> goToTag)
      : FindDialog(module, owner),
        tags_(tags),
        reload_(std::move(reload)),
        goToTag_(std::move(goToTag)) {}

  const char* Name() const override { return "find-tag"; }
  int ListId() const override { return kList; }
  int MainComboId() const override { return kTagCombo; }

 protected:
  DialogTemplate BuildTemplate() const override;
  void AttachModule() override;
  void DetachModule() override;
  void Refilter() override;
  void Confirm() override;
  bool HandleRequest(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  TagCatalog& tags_;
  std::function<std::size_t()> reload_;
  std::function<std::string(HostTagRecord*)> goToTag_;
  TagRanking ranking_;
  std::vector<HostTagRecord*> rows_;
  HostTagArray tagArray_{nullptr};
  HostTagRecord* picked_ = nullptr;
};

}  // namespace tolvane::host
