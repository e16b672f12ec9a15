#include "navigate/editor_document.h"

#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

#include "unit/navigate/ide_fixture.h"

namespace tolvane {
namespace {

using testing::FakeFile;
using testing::TextPosition;

class EditorDocumentTest : public testing::IdeFixture {
 protected:
  void SetUp() override { file_ = &Start("a.cpp", {"int x;", "  int main(void)", "{"}); }

  FakeFile* file_ = nullptr;
};

TEST_F(EditorDocumentTest, OpenHoldsOneReferenceOnEachOfTheThreeAndNothingElse) {
  EditorDocument editor(ide_.Root(), strings_);
  ASSERT_TRUE(editor.Open("a.cpp", "Auto"));
  EXPECT_TRUE(editor.document && editor.textDocument && editor.selection);
  EXPECT_EQ(ide_.ReferenceChangesSince(before_),
            "Selection(a.cpp): 0 -> 1\nTextDocument(a.cpp): 0 -> 1\nDocument(a.cpp): 0 -> 1\n");
  EXPECT_EQ(strings_.Live(), 0);  // both wide strings already freed
  EXPECT_TRUE(
      ide_.Called("DocumentObject(a.cpp).QueryInterface({CB218890-1382-472B-9118-782700C88115})"));
}

TEST_F(EditorDocumentTest, ViewKinds) {
  const std::string anyView = "{FFFFFFFF-FFFF-FFFF-FFFF-FFFFFFFFFFFF}";
  const struct {
    const char* given;
    std::string passed;
  } cases[] = {
      {"Auto", anyView},
      {nullptr, anyView},
      {"auto", "auto"},
      {"AUTO", "AUTO"},
      {"Auto ", "Auto "},
      {"{7651A701-06E5-11D1-8EBD-00A0C90F26EA}", "{7651A701-06E5-11D1-8EBD-00A0C90F26EA}"}};
  for (const auto& c : cases) {
    EditorDocument editor(ide_.Root(), strings_);
    EXPECT_TRUE(editor.Open("a.cpp", c.given));
    EXPECT_EQ(file_->lastViewKind, c.passed) << (c.given ? c.given : "null");
  }
}

TEST_F(EditorDocumentTest, EmptyFileNameIsPassedAsAnEmptyStringNotNull) {
  EditorDocument editor(ide_.Root(), strings_);
  EXPECT_FALSE(editor.Open("", "Auto"));
  EXPECT_TRUE(ide_.Called("ItemOperations.OpenFile(, {FFFFFFFF-FFFF-FFFF-FFFF-FFFFFFFFFFFF})"));
}

TEST_F(EditorDocumentTest, OpenReleasesWhatTheHolderHeldBeforeOpening) {
  ide_.AddFile("b.cpp", {"b"});
  before_ = ide_.ReferenceSnapshot();
  EditorDocument editor(ide_.Root(), strings_);
  ASSERT_TRUE(editor.Open("a.cpp", "Auto"));
  ASSERT_TRUE(editor.Open("b.cpp", "Auto"));
  EXPECT_EQ(ide_.References("Selection(a.cpp)"), 0);
  EXPECT_EQ(ide_.References("TextDocument(a.cpp)"), 0);
  EXPECT_EQ(ide_.References("Document(a.cpp)"), 0);
  EXPECT_EQ(ide_.References("Selection(b.cpp)"), 1);
  // Opening something that fails still leaves the holder empty.
  EXPECT_FALSE(editor.Open("missing.cpp", "Auto"));
  EXPECT_FALSE(editor.document || editor.textDocument || editor.selection);
}

// What Open gives when one step of the way is missing, and what the holder then holds.
TEST_F(EditorDocumentTest, EachMissingStepLeavesOnlyWhatCameBefore) {
  struct Case {
    const char* name;
    bool FakeFile::*knob;
    bool opened, document, textDocument;
  };
  const Case cases[] = {
      {"no window", &FakeFile::opensInWindow, false, false, false},
      {"no document", &FakeFile::windowHasDocument, true, false, false},
      {"no model object", &FakeFile::hasTextDocumentObject, true, true, false},
      {"no text interface", &FakeFile::offersTextDocument, true, true, false},
      {"no selection", &FakeFile::hasSelection, true, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    file_->*c.knob = false;
    {
      EditorDocument editor(ide_.Root(), strings_);
      EXPECT_EQ(editor.Open("a.cpp", "Auto"), c.opened);
      EXPECT_EQ(static_cast<bool>(editor.document), c.document);
      EXPECT_EQ(static_cast<bool>(editor.textDocument), c.textDocument);
      EXPECT_FALSE(editor.selection);
    }
    EXPECT_EQ(ide_.ReferenceChangesSince(before_), "");
    file_->*c.knob = true;
  }
}

TEST_F(EditorDocumentTest, WithoutItemOperationsNothingIsOpened) {
  ide_.itemOperationsAvailable = false;
  for (const HRESULT status : {testing::kFakeFailure, kOk}) {
    SCOPED_TRACE(status);
    ide_.itemOperationsMissingStatus = status;
    EditorDocument editor(ide_.Root(), strings_);
    EXPECT_FALSE(editor.Open("a.cpp", "Auto"));
    EXPECT_EQ(file_->openCount, 0);
    EXPECT_EQ(strings_.Allocations(), 0);
  }
}

// The holder gives back exactly what it holds, in its own order when destroyed and when reset.
TEST_F(EditorDocumentTest, ReleaseOrder) {
  const struct {
    const char* what;
    bool hasSelection, reset;
    std::vector<std::string> releases;
  } cases[] = {
      {"destroyed", true, false, {"Selection(a.cpp)", "TextDocument(a.cpp)", "Document(a.cpp)"}},
      {"reset", true, true, {"Selection(a.cpp)", "Document(a.cpp)", "TextDocument(a.cpp)"}},
      {"destroyed without a selection", false, false, {"TextDocument(a.cpp)", "Document(a.cpp)"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    file_->hasSelection = c.hasSelection;
    {
      EditorDocument editor(ide_.Root(), strings_);
      ASSERT_TRUE(editor.Open("a.cpp", "Auto"));
      ide_.ClearCalls();
      if (c.reset) {
        editor.Reset();
        EXPECT_FALSE(editor.document || editor.textDocument || editor.selection);
      }
    }
    EXPECT_EQ(ide_.Registry().Releases(), c.releases);
  }
}

TEST_F(EditorDocumentTest, ShowCaretCenteredAsksForTheMiddleWithAnInt32ZeroAndClearsIt) {
  EditorDocument editor(ide_.Root(), strings_);
  ASSERT_TRUE(editor.Open("a.cpp", "Auto"));
  ASSERT_TRUE(file_->text.MoveTo(3, 1, false));
  editor.ShowCaretCentered();
  EXPECT_TRUE(ide_.Called("Point(a.cpp).TryToShow(0, int32 0)"));
  EXPECT_EQ(file_->text.ShownLine(), 3);
  EXPECT_TRUE(file_->text.ShownCentered());
  EXPECT_EQ(strings_.VariantClears(), 1);
  EXPECT_EQ(ide_.References("Point(a.cpp)"), 0);
}

TEST_F(EditorDocumentTest, ShowCaretCenteredWithoutAPointDoesNothing) {
  file_->hasActivePoint = false;
  EditorDocument editor(ide_.Root(), strings_);
  ASSERT_TRUE(editor.Open("a.cpp", "Auto"));
  editor.ShowCaretCentered();
  EXPECT_EQ(file_->text.ShownLine(), 0);
  EXPECT_EQ(strings_.VariantClears(), 0);
}

TEST_F(EditorDocumentTest, SelectCaretLineSelectsTheWholeLineWithTheCaretAtItsStart) {
  EditorDocument editor(ide_.Root(), strings_);
  ASSERT_TRUE(editor.Open("a.cpp", "Auto"));
  ASSERT_TRUE(file_->text.MoveTo(2, 7, false));
  ide_.ClearCalls();
  editor.SelectCaretLine();
  EXPECT_EQ(ide_.Calls(), (std::vector<std::string>{"Selection(a.cpp).EndOfLine(false)",
                                                    "Selection(a.cpp).StartOfLine(0, true)"}));
  EXPECT_EQ(file_->text.SelectedText(), "  int main(void)");
  EXPECT_EQ(file_->text.Caret(), (TextPosition{2, 1}));
}

// An out-of-memory exception at any of Open's string allocations leaves nothing held.
TEST_F(EditorDocumentTest, OutOfMemoryDuringOpenReleasesEverything) {
  for (int failing = 1; failing <= 3; ++failing) {  // view kind, file name, "TextDocument"
    SCOPED_TRACE(failing);
    strings_.FailAllocation(failing);
    {
      EditorDocument editor(ide_.Root(), strings_);
      EXPECT_THROW(editor.Open("a.cpp", "Auto"), std::bad_alloc);
    }
    EXPECT_EQ(ide_.ReferenceChangesSince(before_), "");
    EXPECT_EQ(strings_.Live(), 0);
  }
  strings_.FailAllocation(4);  // Open needs three strings
  EditorDocument editor(ide_.Root(), strings_);
  EXPECT_TRUE(editor.Open("a.cpp", "Auto"));
  strings_.FailAllocation(0);
}

TEST_F(EditorDocumentTest, OpenWithoutAnAutomationRootFails) {
  EditorDocument editor(nullptr, strings_);
  EXPECT_FALSE(editor.Open("a.cpp", "Auto"));
}

}  // namespace
}  // namespace tolvane
