// Hosts call the module's objects and the module calls theirs by slot number: these positions
// are a binary contract.
#include <gtest/gtest.h>

#include "support/vtable_slot.h"
#include "tolvane/automation.h"
#include "tolvane/host_objects.h"

namespace tolvane {
namespace {

using testing::VirtualSlotOf;

TEST(HostObjectSlots, WorkspaceAndFileEntries) {
  EXPECT_EQ(VirtualSlotOf(&HostWorkspace::FileEntrySet), 1);
  EXPECT_EQ(VirtualSlotOf(&HostWorkspace::FileListPath), 6);
  EXPECT_EQ(VirtualSlotOf(&HostWorkspace::LoadProjectFile), 11);
  EXPECT_EQ(VirtualSlotOf(&HostFileEntrySet::Find), 2);
  EXPECT_EQ(VirtualSlotOf(&HostFileEntry::FirstFlag), 1);
  EXPECT_EQ(VirtualSlotOf(&HostFileEntry::SetFirstFlag), 6);
  EXPECT_EQ(VirtualSlotOf(&HostFileEntry::SetSecondFlag), 8);
}

TEST(HostObjectSlots, FileSourceAndRecords) {
  EXPECT_EQ(VirtualSlotOf(&HostFileSource::Record), 1);
  EXPECT_EQ(VirtualSlotOf(&HostFileRecord::Title), 6);
  EXPECT_EQ(VirtualSlotOf(&HostFileRecord::Extension), 7);
  EXPECT_EQ(VirtualSlotOf(&HostFileRecord::Path), 8);
}

TEST(HostObjectSlots, TagRecord) {
  EXPECT_EQ(VirtualSlotOf(&HostTagRecord::Kind), 0);
  EXPECT_EQ(VirtualSlotOf(&HostTagRecord::Name), 2);
  EXPECT_EQ(VirtualSlotOf(&HostTagRecord::FileName), 3);
  EXPECT_EQ(VirtualSlotOf(&HostTagRecord::Pattern), 4);
  EXPECT_EQ(VirtualSlotOf(&HostTagRecord::ParentName), 6);
  EXPECT_EQ(VirtualSlotOf(&HostTagRecord::Line), 7);
  EXPECT_EQ(VirtualSlotOf(&HostTagRecord::Namespace), 11);
  EXPECT_EQ(VirtualSlotOf(&HostTagRecord::Parent), 12);
  EXPECT_EQ(VirtualSlotOf(&HostTagRecord::File), 14);
}

TEST(HostObjectSlots, ArraysExposeTheirDataAsFirstWord) {
  uint32_t keys[2] = {7, 9};
  HostFileKeyArray keyArray{keys};
  EXPECT_EQ(*reinterpret_cast<uint32_t**>(&keyArray), keys);
  HostTagArray tagArray{nullptr};
  EXPECT_EQ(sizeof(tagArray), sizeof(void*));
}

TEST(AutomationSlots, ComBaseComesFirst) {
  using QueryInterfaceFn = HRESULT (TOLVANE_STDCALL IUnknown::*)(const GUID&, void**);
  EXPECT_EQ(VirtualSlotOf(static_cast<QueryInterfaceFn>(&IUnknown::QueryInterface)), 0);
  EXPECT_EQ(VirtualSlotOf(&IUnknown::AddRef), 1);
  EXPECT_EQ(VirtualSlotOf(&IUnknown::Release), 2);
  EXPECT_EQ(VirtualSlotOf(&IDispatch::Invoke), 6);
}

TEST(AutomationSlots, EveryOperationTheModuleCalls) {
  EXPECT_EQ(VirtualSlotOf(&AutomationRoot::get_MainWindow), 14);
  EXPECT_EQ(VirtualSlotOf(&AutomationRoot::get_ItemOperations), 42);
  EXPECT_EQ(VirtualSlotOf(&AutomationWindow::get_HWnd), 27);
  EXPECT_EQ(VirtualSlotOf(&AutomationWindow::get_Document), 35);
  EXPECT_EQ(VirtualSlotOf(&ItemOperations::OpenFile), 9);
  EXPECT_EQ(VirtualSlotOf(&AutomationDocument::Object), 26);
  EXPECT_EQ(VirtualSlotOf(&TextDocument::get_Selection), 9);
  EXPECT_EQ(VirtualSlotOf(&TextSelection::get_ActivePoint), 10);
  EXPECT_EQ(VirtualSlotOf(&TextSelection::EndOfLine), 34);
  EXPECT_EQ(VirtualSlotOf(&TextSelection::StartOfLine), 35);
  EXPECT_EQ(VirtualSlotOf(&TextSelection::FindText), 40);
  EXPECT_EQ(VirtualSlotOf(&TextSelection::MoveToLineAndOffset), 72);
  EXPECT_EQ(VirtualSlotOf(&TextPoint::TryToShow), 21);
}

TEST(AutomationSlots, TextDocumentIdentifier) {
  const GUID expected = {0xCB218890, 0x1382, 0x472B, {0x91, 0x18, 0x78, 0x27, 0x00, 0xC8, 0x81, 0x15}};
  EXPECT_TRUE(SameGuid(kIID_TextDocument, expected));
  GUID other = expected;
  other.Data4[7] = 0x16;
  EXPECT_FALSE(SameGuid(kIID_TextDocument, other));
}

}  // namespace
}  // namespace tolvane
