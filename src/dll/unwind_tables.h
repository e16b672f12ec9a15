// On i686 exceptions unwind with DWARF-2 tables, which the DLL's start-up code registers with
// libgcc before DllMain runs. In a process that already holds the shared libgcc (another
// add-in's MinGW-w64 runtime), that code hands the tables to the shared one, while the unwinder
// linked into this DLL searches only its own registry: the first throw inside the module would
// find no handler and end the process. On x86_64 the system finds the tables itself (SEH), and
// these do nothing.
#pragma once

namespace tolvane {

// Makes sure the DLL's own unwinder knows the DLL's tables. False when they cannot be found, in
// which case no exception may be thrown in the module.
bool RegisterUnwindTablesWithOwnUnwinder() noexcept;
// Gives back what the call above registered, if anything.
void DeregisterUnwindTablesFromOwnUnwinder() noexcept;

}  // namespace tolvane
