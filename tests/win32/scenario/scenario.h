// Random host scenarios against the real TolvaneReg.dll: a list of actions a host may legally
// take (creations, unloads, the Find dialogs and their keys, history adds, the file list, go to
// tag, the host's own failures), drawn from a seed, played by a test host that checks a model of
// what must hold after every action.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tolvane::testing::scenario {

enum class Op : uint8_t {
  kCreate,      // a: 0 plain, 1 the IDE has no main window
  kDestroy,     // a: which of the host's live tables (none: a null table)
  kUnload,      // FreeLibrary, whatever is open
  kInit,        // a: dialog (0 Find File, 1 Find Tag); b: 0 the host's dialog as it is, 1 a new
                // ANSI one, 2 a new Unicode one
  kClose,       // a: dialog; b: 0 the host then ends its dialog, 1 it keeps it
  kEndDialog,   // a: dialog, destroyed by the host without a close
  kAdd,         // a: history (0 file name, 1 tag parent, 2 tag); b: text (8: a null one)
  kKey,         // a: combo box (0 Find File, 1 tag parent, 2 tag); b: key
  kChar,        // a: combo box; b: letter
  kShow,        // a: dialog * 2 + Unicode; b: row + 16 * column
  kRows,        // a: dialog; b: row count
  kSubclass,    // a: host window (see kWindowNames)
  kUnsubclass,  // a: host window
  kLoad,        // a: the export byte
  kSave,
  kGet,
  kSet,       // a: which host list
  kGoTo,      // a: which tag (5: none); the last tag is read back
  kRegistry,  // a: history; b: 0 deleted, 1 a number, 2.. a text
  kBadWidth,  // a: dialog: a column width stored as a text
  kFile,      // a: 0 garbage, 1 truncated, 2 deleted, 3 locked, 4 unlocked, 5 read-only,
              //    6 writable, 7 a good list written by another instance, 8 the ".old" name
              //    taken (a read-only file there, else a folder), 9 the workspace's path null
              //    (or given again)
  kMark,      // a: dialog; b: 0 the host takes the highlighting property off its dialog, 1 sets it
  kPaint,     // a: dialog: its list painted into a bitmap (custom draw and display requests)
  kCount
};

// A failure of the host's side during one action, from its `after`-th call on, or at that call
// only (`once`: the module's fallbacks and retries meet no failure). kGrowing: another writer
// lengthens each registry value between the module's size query and its read; kHook: the system
// refuses the module's window hooks.
enum class Fault : uint8_t { kNone, kHeap, kMalloc, kDiskFull, kGrowing, kHook };

struct Action {
  Op op = Op::kCreate;
  int a = 0;
  int b = 0;
  Fault fault = Fault::kNone;
  int after = 0;
  bool once = false;
};

// "init:1:2 add:0:3!h2 save!D0 ..." and back (an upper-case fault letter: once); false for a
// text that is no action list.
std::string Format(const std::vector<Action>& actions);
std::string Format(const Action& action);
bool Parse(const std::string& text, std::vector<Action>& actions);

// The same seed gives the same actions on every machine.
std::vector<Action> Generate(uint32_t seed, int count);

struct Outcome {
  bool ok = true;
  int step = -1;     // the action after which the check failed
  std::string what;  // "check: detail"; a crash shows as the exit status
};

// How far a list plays: to its end, or (a fault sweep, whose steps fail the same action at ever
// later calls) until an action with a fault makes fewer calls than its fault waits for, as every
// later step would play the same.
enum class Until : uint8_t { kEnd, kUnfiredFault };

// Plays the actions in this process, checking after each one; stops at the first failure. An
// outcome that is ok tells in `step` how many actions were played.
Outcome Play(const std::vector<Action>& actions, Until until);

}  // namespace tolvane::testing::scenario
