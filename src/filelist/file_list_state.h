// The file-list subsystem's module-wide state: the one list the module keeps for its whole life
// and the host workspace it serves.
#pragma once

#include "filelist/file_system.h"
#include "tolvane/file_entry_list.h"
#include "tolvane/host_objects.h"

namespace tolvane {

struct FileListState {
  FileEntryList list{10};                        // empty from load to unload; cleared at unload
  HostWorkspace* workspace = nullptr;            // given at creation; owned by the host
  FileSystem* fileSystem = &NativeFileSystem();  // tests put a fault-injecting one here
};

FileListState& TheFileListState();

}  // namespace tolvane
