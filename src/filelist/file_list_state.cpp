#include "filelist/file_list_state.h"

namespace tolvane {

FileListState& TheFileListState() {
  static FileListState state;
  return state;
}

}  // namespace tolvane
