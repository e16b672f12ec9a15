// The host's objects, reached through numbered operations: operation N is virtual slot N of the
// interface. Unused positions are named placeholders. There is deliberately no virtual
// destructor (its slot count differs between compilers) and no overload (compilers order
// overloads differently), so the slots are the same in every C++ ABI; the module never deletes
// these objects. Operations take and give only scalars, pointers and texts.
//
// Texts: NUL-terminated narrow characters in the thread's ANSI code page.
// - A text an object returns stays valid while that object lives; null reads as an empty text.
// - A text the module passes to an operation is valid during that call only.
// No operation may throw: an exception cannot pass between two compilers' frames.
#pragma once

#include <stdint.h>

namespace tolvane {

class HostFileEntry;
class HostFileEntrySet;
class HostFileRecord;
class HostTagRecord;

// The host's workspace: where the file-list file lives and the host's per-file objects.
class HostWorkspace {
 public:
  virtual void Unused0() {}
  virtual HostFileEntrySet* FileEntrySet() = 0;  // 1
  virtual void Unused2() {}
  virtual void Unused3() {}
  virtual void Unused4() {}
  virtual void Unused5() {}
  virtual const char* FileListPath() = 0;  // 6: full path of the file-list file
  virtual void Unused7() {}
  virtual void Unused8() {}
  virtual void Unused9() {}
  virtual void Unused10() {}
  virtual void LoadProjectFile(const char* projectFilePath) = 0;  // 11: takes the file in

 protected:
  ~HostWorkspace() = default;
};

// The host's set of per-file objects, found by file name.
class HostFileEntrySet {
 public:
  virtual void Unused0() {}
  virtual void Unused1() {}
  virtual HostFileEntry* Find(const char* name) = 0;  // 2: null when the host has none

 protected:
  ~HostFileEntrySet() = default;
};

// One of the host's per-file objects, with the two flags mirrored from a FileEntry.
class HostFileEntry {
 public:
  virtual void Unused0() {}
  virtual bool FirstFlag() = 0;  // 1
  virtual void Unused2() {}
  virtual void Unused3() {}
  virtual void Unused4() {}
  virtual void Unused5() {}
  virtual void SetFirstFlag(bool value) = 0;  // 6
  virtual void Unused7() {}
  virtual void SetSecondFlag(bool value) = 0;  // 8

 protected:
  ~HostFileEntry() = default;
};

// Turns a 32-bit file key into the host's record of that file.
class HostFileSource {
 public:
  virtual void Unused0() {}
  virtual HostFileRecord* Record(uint32_t key) = 0;  // 1

 protected:
  ~HostFileSource() = default;
};

class HostFileRecord {
 public:
  virtual void Unused0() {}
  virtual void Unused1() {}
  virtual void Unused2() {}
  virtual void Unused3() {}
  virtual void Unused4() {}
  virtual void Unused5() {}
  virtual const char* Title() = 0;      // 6: file name without its extension
  virtual const char* Extension() = 0;  // 7: without the dot, empty when none
  virtual const char* Path() = 0;       // 8

 protected:
  ~HostFileRecord() = default;
};

// Kinds of tag, numbered as the host reports them (operation 0 of HostTagRecord).
enum TagKind : int32_t {
  kTagClass = 0,
  kTagDecl = 1,
  kTagDefine = 2,
  kTagEnum = 3,
  kTagEnumVal = 4,
  kTagFile = 5,
  kTagFunction = 6,
  kTagMemVar = 7,
  kTagNSpace = 8,
  kTagStruct = 9,
  kTagTypedef = 10,
  kTagUnion = 11,
  kTagVariable = 12,
};
inline constexpr int32_t kTagKindCount = 13;

class HostTagRecord {
 public:
  virtual int32_t Kind() = 0;  // 0
  virtual void Unused1() {}
  virtual const char* Name() = 0;      // 2
  virtual const char* FileName() = 0;  // 3
  virtual const char* Pattern() = 0;   // 4: search pattern, may start with ^ and end with $
  virtual void Unused5() {}
  virtual const char* ParentName() = 0;  // 6
  virtual int32_t Line() = 0;            // 7: 1-based, -1 when the tag has none
  virtual void Unused8() {}
  virtual void Unused9() {}
  virtual void Unused10() {}
  virtual const char* Namespace() = 0;  // 11
  virtual HostTagRecord* Parent() = 0;  // 12: null when none
  virtual void Unused13() {}
  virtual HostFileRecord* File() = 0;  // 14

 protected:
  ~HostTagRecord() = default;
};

// The host's arrays: only the first word, the address of a contiguous array, is ever read.
struct HostFileKeyArray {
  uint32_t* keys;
};

struct HostTagArray {
  HostTagRecord** tags;
};

// One pointer-sized word each, whatever the host puts after it.
#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(sizeof(HostFileKeyArray) == 4 && sizeof(HostTagArray) == 4);
#else
static_assert(sizeof(HostFileKeyArray) == 8 && sizeof(HostTagArray) == 8);
#endif

}  // namespace tolvane
