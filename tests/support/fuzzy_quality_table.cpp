#include "support/fuzzy_quality_table.h"

namespace tolvane::testing {
namespace {

const char* const kPaths[] = {
#include "support/repository_paths.inc"
};

// Abbreviations, word starts and partial words, as people type them. Most name the extension
// where a header and its source share a name, as a tie between the two goes to the shorter
// name, the header.
const MeantFile kMeant[] = {
    {"fdlgcpp", "src/finddlg/win32/find_dialogs.cpp"},
    {"win32/list", "src/finddlg/win32/find_list_ctrl.cpp"},
    {"gototag.cpp", "src/navigate/go_to_tag.cpp"},
    {"flreader.h", "src/filelist/file_list_reader.h"},
    {"flwritercpp", "src/filelist/file_list_writer.cpp"},
    {"module.h", "src/dll/module.h"},
    {"hcombo.cpp", "src/history/history_combo.cpp"},
    {"colwidths.h", "src/finddlg/column_widths.h"},
    {"keyrouting.cpp", "src/finddlg/key_routing.cpp"},
    {"wintable.cpp", "src/framework/window_table.cpp"},
    {"regprof.h", "src/framework/registry_profile.h"},
    {"pretrans.cpp", "src/framework/pre_translate_hook.cpp"},
    {"bodymask.cpp", "src/filelist/body_mask.cpp"},
    {"projexp.h", "src/filelist/project_export.h"},
    {"tagcell.cpp", "src/finddlg/tag_cell_text.cpp"},
    {"filecelltext.h", "src/finddlg/file_cell_text.h"},
    {"widetext.cpp", "src/navigate/wide_text.cpp"},
    {"editordoc.h", "src/navigate/editor_document.h"},
    {"olewide.cpp", "src/navigate/win32/ole_wide_strings.cpp"},
    {"helperwin.cpp", "src/dll/helper_window.cpp"},
    {"tableentries", "src/dll/table_entries.cpp"},
    {"dllmain", "src/dll/dll_main.cpp"},
    {"benchgoals", "bench/bench_goals.h"},
    {"makeseeds", "fuzz/make-seeds.py"},
    {"listformat.md", "docs/file-list-format.md"},
    {"archmd", "docs/ARCHITECTURE.md"},
    {"tvef/main", "tools/tvef/main.cpp"},
    {"nameescape.cpp", "tools/tvef/name_escape.cpp"},
    {"ctagstag.cpp", "tools/host/core/ctags_tag.cpp"},
    {"findfiledlg.cpp", "tools/host/win32/find_file_dialog.cpp"},
    {"scenarioact", "tests/win32/scenario/scenario_actions.cpp"},
    {"faultyfs.h", "tests/support/faulty_file_system.h"},
    {"storedform.cpp", "src/history/history_stored_form.cpp"},
    {"sdkcmake", "cmake/TolvaneSdk.cmake"},
    {"runwin32", "bench/run-win32"},
    {"fakeide.cpp", "tests/support/fake_ide.cpp"},
    {"wsscan", "tools/host/core/workspace_scan.h"},
    {"codepin.h", "src/framework/code_pin.h"},
    {"textfilter.cpp", "tools/host/core/text_filter.cpp"},
    {"lowmem", "src/dll/low_memory_exceptions.h"},
    {"fdlg", "src/finddlg/win32/find_dialogs.h"},
    {"fel", "include/tolvane/file_entry_list.h"},
    {"hostobj", "include/tolvane/host_objects.h"},
    {"notifrefl", "src/framework/notification_reflection.h"},
    {"cbex", "src/framework/combo_box_ex.h"},
    {"rune2e", "tools/host/e2e/run-e2e"},
    {"scenmain", "tests/win32/scenario/scenario_main.cpp"},
    {"wineprefix", "cmake/wine-prefix"},
    {"importpatch.h", "tests/win32/harness/import_patch.h"},
    {"fuzzymatch", "include/tolvane/fuzzy_match.h"},
    {"mingw64", "cmake/mingw-x86_64.cmake"},
    {"oom", "tests/unit/reliability/out_of_memory_test.cpp"},
    // Words separated by spaces, each matched on its own, in any order.
    {"win32 list cpp", "src/finddlg/win32/find_list_ctrl.cpp"},
    {"combo history cpp", "src/history/history_combo.cpp"},
    {"dll main", "src/dll/dll_main.cpp"},
    {"main tvef", "tools/tvef/main.cpp"},
    {"list reader h", "src/filelist/file_list_reader.h"},
    {"tag cell h", "src/finddlg/tag_cell_text.h"},
    {"scenario main", "tests/win32/scenario/scenario_main.cpp"},
    {"oom test", "tests/unit/reliability/out_of_memory_test.cpp"},
    {"routing key cpp", "src/finddlg/key_routing.cpp"},
};

}  // namespace

const char* const* RepositoryPaths(std::size_t* count) {
  *count = sizeof(kPaths) / sizeof(kPaths[0]);
  return kPaths;
}

const MeantFile* MeantFiles(std::size_t* count) {
  *count = sizeof(kMeant) / sizeof(kMeant[0]);
  return kMeant;
}

}  // namespace tolvane::testing
