// Hosts call the module's objects and the module calls theirs by slot number: these positions
// are a binary contract.
#include <gtest/gtest.h>

#include <cstddef>

#include "support/vtable_slot.h"
#include "tolvane/automation.h"
#include "tolvane/host_objects.h"

namespace tolvane {
namespace {

using testing::VirtualSlotOf;

struct Slot {
  const char* operation;
  std::ptrdiff_t actual, expected;
};
#define TOLVANE_SLOT(member, slot) \
  { #member, VirtualSlotOf(&member), slot }

TEST(HostObjectSlots, EveryOperationSitsInItsSlot) {
  using QueryInterfaceFn = HRESULT (TOLVANE_STDCALL IUnknown::*)(const GUID&, void**);
  const Slot slots[] = {
      // The host's objects, called by the module.
      TOLVANE_SLOT(HostWorkspace::FileEntrySet, 1),
      TOLVANE_SLOT(HostWorkspace::FileListPath, 6),
      TOLVANE_SLOT(HostWorkspace::LoadProjectFile, 11),
      TOLVANE_SLOT(HostFileEntrySet::Find, 2),
      TOLVANE_SLOT(HostFileEntry::FirstFlag, 1),
      TOLVANE_SLOT(HostFileEntry::SetFirstFlag, 6),
      TOLVANE_SLOT(HostFileEntry::SetSecondFlag, 8),
      TOLVANE_SLOT(HostFileSource::Record, 1),
      TOLVANE_SLOT(HostFileRecord::Title, 6),
      TOLVANE_SLOT(HostFileRecord::Extension, 7),
      TOLVANE_SLOT(HostFileRecord::Path, 8),
      TOLVANE_SLOT(HostTagRecord::Kind, 0),
      TOLVANE_SLOT(HostTagRecord::Name, 2),
      TOLVANE_SLOT(HostTagRecord::FileName, 3),
      TOLVANE_SLOT(HostTagRecord::Pattern, 4),
      TOLVANE_SLOT(HostTagRecord::ParentName, 6),
      TOLVANE_SLOT(HostTagRecord::Line, 7),
      TOLVANE_SLOT(HostTagRecord::Namespace, 11),
      TOLVANE_SLOT(HostTagRecord::Parent, 12),
      TOLVANE_SLOT(HostTagRecord::File, 14),
      // The IDE's automation objects: the COM base first, then every operation the module calls.
      {"IUnknown::QueryInterface",
       VirtualSlotOf(static_cast<QueryInterfaceFn>(&IUnknown::QueryInterface)), 0},
      TOLVANE_SLOT(IUnknown::AddRef, 1),
      TOLVANE_SLOT(IUnknown::Release, 2),
      TOLVANE_SLOT(IDispatch::Invoke, 6),
      TOLVANE_SLOT(AutomationRoot::get_MainWindow, 14),
      TOLVANE_SLOT(AutomationRoot::get_ItemOperations, 42),
      TOLVANE_SLOT(AutomationWindow::get_HWnd, 27),
      TOLVANE_SLOT(AutomationWindow::get_Document, 35),
      TOLVANE_SLOT(ItemOperations::OpenFile, 9),
      TOLVANE_SLOT(AutomationDocument::Object, 26),
      TOLVANE_SLOT(TextDocument::get_Selection, 9),
      TOLVANE_SLOT(TextSelection::get_ActivePoint, 10),
      TOLVANE_SLOT(TextSelection::EndOfLine, 34),
      TOLVANE_SLOT(TextSelection::StartOfLine, 35),
      TOLVANE_SLOT(TextSelection::FindText, 40),
      TOLVANE_SLOT(TextSelection::MoveToLineAndOffset, 72),
      TOLVANE_SLOT(TextPoint::TryToShow, 21),
  };
  for (const Slot& slot : slots) EXPECT_EQ(slot.actual, slot.expected) << slot.operation;
}
#undef TOLVANE_SLOT

TEST(HostObjectSlots, ArraysExposeTheirDataAsFirstWord) {
  uint32_t keys[2] = {7, 9};
  HostFileKeyArray keyArray{keys};
  EXPECT_EQ(*reinterpret_cast<uint32_t**>(&keyArray), keys);
  HostTagArray tagArray{nullptr};
  EXPECT_EQ(sizeof(tagArray), sizeof(void*));
}

TEST(AutomationSlots, TextDocumentIdentifier) {
  const GUID expected = {
      0xCB218890, 0x1382, 0x472B, {0x91, 0x18, 0x78, 0x27, 0x00, 0xC8, 0x81, 0x15}};
  EXPECT_TRUE(SameGuid(kIID_TextDocument, expected));
  // One differing part of any of the four makes another identifier.
  const struct {
    const char* part;
    void (*change)(GUID&);
  } changes[] = {
      {"Data1", [](GUID& g) { g.Data1 ^= 0x80000000u; }},
      {"Data2", [](GUID& g) { g.Data2 ^= 1; }},
      {"Data3", [](GUID& g) { g.Data3 ^= 0x100; }},
      {"Data4[0]", [](GUID& g) { g.Data4[0] ^= 1; }},
      {"Data4[7]", [](GUID& g) { g.Data4[7] = 0x16; }},
  };
  for (const auto& c : changes) {
    GUID other = expected;
    c.change(other);
    EXPECT_FALSE(SameGuid(kIID_TextDocument, other)) << c.part;
    EXPECT_FALSE(SameGuid(other, kIID_TextDocument)) << c.part;
  }
}

}  // namespace
}  // namespace tolvane
