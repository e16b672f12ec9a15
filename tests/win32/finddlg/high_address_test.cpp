// A 64-bit host may keep its records, arrays and texts anywhere in its address space. Here all of
// them, and the display requests themselves, lie above 4 GiB: a pointer or message parameter cut
// to 32 bits anywhere on the way shows as a wrong text, a wrong key or a fault.
#ifdef _WIN64

#include <windows.h>

// needs windows.h first
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <new>
#include <string_view>
#include <utility>
#include <vector>

#include "find_dialog_fixtures.h"
#include "key_recorder.h"
#include "keyboard.h"

namespace tolvane::testing {
namespace {

constexpr std::uintptr_t kFourGiB = std::uintptr_t{1} << 32;

// One committed region from the top of the address space; objects are made in it front to back
// and destroyed, last first, with it.
class HighArena {
 public:
  HighArena()
      : base_(static_cast<char*>(::VirtualAlloc(
            nullptr, kSize, MEM_RESERVE | MEM_COMMIT | MEM_TOP_DOWN, PAGE_READWRITE))) {}
  ~HighArena() {
    for (auto it = destroyers_.rbegin(); it != destroyers_.rend(); ++it) (*it)();
    if (base_ != nullptr) ::VirtualFree(base_, 0, MEM_RELEASE);
  }
  HighArena(const HighArena&) = delete;
  HighArena& operator=(const HighArena&) = delete;

  bool AboveFourGiB() const { return reinterpret_cast<std::uintptr_t>(base_) >= kFourGiB; }

  template <typename T, typename... Args>
  T* New(Args&&... args) {
    T* object = new (Take(sizeof(T), alignof(T))) T(std::forward<Args>(args)...);
    destroyers_.push_back([object] { object->~T(); });
    return object;
  }
  template <typename T>
  T* Array(std::size_t count) {
    return static_cast<T*>(Take(count * sizeof(T), alignof(T)));
  }
  const char* Text(std::string_view text) {
    char* copy = Array<char>(text.size() + 1);
    std::memcpy(copy, text.data(), text.size());
    copy[text.size()] = '\0';
    return copy;
  }

 private:
  static constexpr std::size_t kSize = 1 << 20;
  void* Take(std::size_t bytes, std::size_t alignment) {
    used_ = (used_ + alignment - 1) / alignment * alignment;
    if (base_ == nullptr || used_ + bytes > kSize) throw std::bad_alloc();
    void* at = base_ + used_;
    used_ += bytes;
    return at;
  }

  char* base_;
  std::size_t used_ = 0;
  std::vector<std::function<void()>> destroyers_;
};

bool High(const void* address) {
  return reinterpret_cast<std::uintptr_t>(address) >= kFourGiB;
}

// A display request in the arena, sent to the dialog as the list would send it.
NMLVDISPINFOA* Request(HighArena& arena, HWND dialog, HWND list, int row, int column) {
  auto* info = arena.New<NMLVDISPINFOA>();
  info->hdr.hwndFrom = list;
  info->hdr.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(list));
  info->hdr.code = LVN_GETDISPINFOA;
  info->item.mask = LVIF_TEXT;
  info->item.iItem = row;
  info->item.iSubItem = column;
  ::SendMessageA(dialog, WM_NOTIFY, info->hdr.idFrom, reinterpret_cast<LPARAM>(info));
  return info;
}

class HighFindFile : public FindDialogTest {
 protected:
  HighFindFile() : FindDialogTest(kFindFile) {}
  // Rows "file<i>.cpp" in "C:\src\<i>", every host object and array in the arena.
  void OpenHigh(int rows) {
    ASSERT_TRUE(arena.AboveFourGiB());
    auto* highSource = arena.New<FakeFileSource>();
    uint32_t* highKeys = arena.Array<uint32_t>(static_cast<std::size_t>(rows));
    for (int i = 0; i < rows; ++i) {
      const auto key = static_cast<uint32_t>(i + 100);
      highSource->records[key] = arena.New<FakeFileRecord>("file" + std::to_string(i), "cpp",
                                                           "C:\\src\\" + std::to_string(i));
      highKeys[i] = key;
    }
    sourceWordAt = arena.New<HostFileSource*>(highSource);
    keyArrayAt = arena.New<HostFileKeyArray>(HostFileKeyArray{highKeys});
    ASSERT_TRUE(High(highSource) && High(highKeys) && High(sourceWordAt) && High(keyArrayAt));
    Open(rows, 110);  // a few rows visible: Ctrl+End must scroll
  }

  HighArena arena;
};

TEST_F(HighFindFile, DisplayRequestsReadRecordsAndArraysAboveFourGiB) {
  OpenHigh(3);
  NMLVDISPINFOA* name = Request(arena, dialog.Handle(), list, 2, 0);
  NMLVDISPINFOA* path = Request(arena, dialog.Handle(), list, 1, 1);
  ASSERT_TRUE(High(name) && High(path));
  EXPECT_STREQ(name->item.pszText, "file2.cpp");
  EXPECT_STREQ(path->item.pszText, "C:\\src\\1");
  EXPECT_EQ(CellText(list, 0, 0), "file0.cpp");  // the list's own request, from its stack
  EXPECT_EQ(dialog.Count(WM_NOTIFY, LVN_GETDISPINFOA), 0);
}

TEST_F(HighFindFile, KeyDownsReachTheListWithTheirFullKeyData) {
  OpenHigh(10);
  KeyRecorder listKeys(list);
  SetRowState(list, 0, LVIS_SELECTED | LVIS_FOCUSED);
  const LPARAM wideKeyData = KeyData(VK_DOWN) | static_cast<LPARAM>(0x5A5A'0000'0000);
  ::PostMessageA(EditOf(combos[0]), WM_KEYDOWN, VK_DOWN, wideKeyData);
  PumpMessages();

  ASSERT_EQ(listKeys.Keys().size(), 1u);
  EXPECT_EQ(listKeys.Keys()[0].wParam, WPARAM(VK_DOWN));
  EXPECT_EQ(listKeys.Keys()[0].lParam, wideKeyData);
  EXPECT_EQ(RowState(list, 1), UINT(LVIS_SELECTED | LVIS_FOCUSED));

  {
    HeldCtrl ctrl;
    PostKeyDown(EditOf(combos[0]), VK_END);
    PumpMessages();
  }
  EXPECT_EQ(RowState(list, 9), UINT(LVIS_SELECTED | LVIS_FOCUSED));
  EXPECT_TRUE(RowFullyVisible(list, 9));  // scrolled: the list drew rows from the arena
  EXPECT_EQ(CellText(list, 9, 0), "file9.cpp");
}

class HighFindTag : public FindDialogTest {
 protected:
  HighFindTag() : FindDialogTest(kFindTag) {}
  HighArena arena;
};

TEST_F(HighFindTag, DisplayRequestsHandOverRecordTextsAboveFourGiB) {
  ASSERT_TRUE(arena.AboveFourGiB());
  auto* file = arena.New<FakeFileRecord>("widget", "cpp", "src");
  auto* tag = arena.New<FakeTagRecord>();
  tag->kind = kTagFunction;
  tag->nameSpace = arena.Text("ns");
  tag->parentName = arena.Text("Widget");
  tag->name = arena.Text("Draw");
  tag->pattern = arena.Text("^void Widget::Draw()$");
  tag->file = file;
  HostTagRecord** highTags = arena.Array<HostTagRecord*>(1);
  highTags[0] = tag;
  tagArrayAt = arena.New<HostTagArray>(HostTagArray{highTags});
  Open(1);

  // Texts the record returns are handed over as they are: the very address must come back.
  EXPECT_EQ(Request(arena, dialog.Handle(), list, 0, 1)->item.pszText, tag->nameSpace);
  EXPECT_EQ(Request(arena, dialog.Handle(), list, 0, 2)->item.pszText, tag->parentName);
  EXPECT_EQ(Request(arena, dialog.Handle(), list, 0, 3)->item.pszText, tag->name);
  EXPECT_STREQ(Request(arena, dialog.Handle(), list, 0, 0)->item.pszText, "Function");
  EXPECT_STREQ(Request(arena, dialog.Handle(), list, 0, 4)->item.pszText, "widget.cpp");
  EXPECT_STREQ(Request(arena, dialog.Handle(), list, 0, 5)->item.pszText, "void Widget::Draw()");
}

}  // namespace
}  // namespace tolvane::testing

#endif  // _WIN64
