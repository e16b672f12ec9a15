// The host's automation model over an in-memory pane, driven the way the module drives the IDE:
// open the file, reach the selection, jump or search, select the line, centre it.
#include "automation_model.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>

#include "text_buffer.h"

namespace tolvane::host {
namespace {

class MemoryPane final : public EditorPane {
 public:
  std::map<std::string, std::string> files;
  int32_t centredLine = 0;

  bool OpenFile(const std::string& path) override {
    auto found = files.find(path);
    if (found == files.end()) return false;
    current_ = path;
    buffer_.Assign(found->second);
    range_ = {};
    return true;
  }
  const std::string& CurrentFile() const override { return current_; }
  const TextBuffer& Buffer() const override { return buffer_; }
  CaretRange Selection() const override { return range_; }
  void Select(CaretRange range) override { range_ = range; }
  void ScrollLineToMiddle(int32_t line) override { centredLine = line; }
  int32_t WindowHandle() const override { return 0x1234; }

 private:
  std::string current_;
  TextBuffer buffer_;
  CaretRange range_;
};

#ifdef _WIN32
using Wide = wchar_t;
#define W(text) L##text
#else
using Wide = char16_t;
#define W(text) u##text
#endif

BSTR Bstr(const Wide* text) {
  return const_cast<BSTR>(text);
}

class AutomationModel : public ::testing::Test {
 protected:
  void SetUp() override {
    alive_ = AutomationObjectsAlive();
    pane.files["a.cpp"] = "#include <x>\r\n\r\nint main(void)\r\n{\r\n  return Main;\r\n}\r\n";
    root = CreateAutomationRoot(pane);
  }
  void TearDown() override {
    root->Release();
    EXPECT_EQ(AutomationObjectsAlive(), alive_) << "an automation object leaked";
  }

  // Open, document, "TextDocument" object, query, selection: the module's path to the caret.
  TextSelection* OpenSelection(const Wide* file) {
    ItemOperations* operations = nullptr;
    EXPECT_EQ(root->get_ItemOperations(&operations), kOk);
    AutomationWindow* window = nullptr;
    operations->OpenFile(Bstr(file), Bstr(W("{FFFFFFFF-FFFF-FFFF-FFFF-FFFFFFFFFFFF}")), &window);
    operations->Release();
    if (window == nullptr) return nullptr;
    AutomationDocument* document = nullptr;
    window->get_Document(&document);
    window->Release();
    IDispatch* object = nullptr;
    EXPECT_EQ(document->Object(Bstr(W("TextDocument")), &object), kOk);
    document->Release();
    TextDocument* text = nullptr;
    EXPECT_EQ(object->QueryInterface(kIID_TextDocument, reinterpret_cast<void**>(&text)), kOk);
    object->Release();
    TextSelection* selection = nullptr;
    text->get_Selection(&selection);
    text->Release();
    return selection;
  }

  MemoryPane pane;
  AutomationRoot* root = nullptr;

 private:
  int alive_ = 0;
};

TEST_F(AutomationModel, MainWindowReportsItsHandle) {
  AutomationWindow* window = nullptr;
  ASSERT_EQ(root->get_MainWindow(&window), kOk);
  int32_t handle = 0;
  window->get_HWnd(&handle);
  EXPECT_EQ(handle, 0x1234);
  AutomationDocument* document = nullptr;
  EXPECT_NE(window->get_Document(&document), kOk);  // nothing open yet
  EXPECT_EQ(document, nullptr);
  window->Release();
}

TEST_F(AutomationModel, UnknownFileGivesNoWindow) {
  EXPECT_EQ(OpenSelection(W("missing.cpp")), nullptr);
  EXPECT_TRUE(pane.CurrentFile().empty());
}

TEST_F(AutomationModel, OnlyTextDocumentIsOffered) {
  ItemOperations* operations = nullptr;
  root->get_ItemOperations(&operations);
  AutomationWindow* window = nullptr;
  operations->OpenFile(Bstr(W("a.cpp")), Bstr(W("x")), &window);
  AutomationDocument* document = nullptr;
  window->get_Document(&document);
  IDispatch* object = nullptr;
  EXPECT_EQ(document->Object(Bstr(W("Document")), &object), kNoInterface);
  EXPECT_EQ(object, nullptr);
  void* other = reinterpret_cast<void*>(1);
  EXPECT_EQ(document->QueryInterface(kIID_TextDocument, &other), kNoInterface);
  EXPECT_EQ(other, nullptr);
  IUnknown* unknown = nullptr;
  EXPECT_EQ(document->QueryInterface(kIID_Unknown, reinterpret_cast<void**>(&unknown)), kOk);
  EXPECT_EQ(unknown->Release(), 1u);  // the query added one reference; the original remains
  document->Release();
  window->Release();
  operations->Release();
}

TEST_F(AutomationModel, JumpToLineThenSelectTheLine) {
  TextSelection* selection = OpenSelection(W("a.cpp"));
  ASSERT_NE(selection, nullptr);
  selection->MoveToLineAndOffset(3, 1, kAutomationFalse);
  TextPoint* point = nullptr;
  selection->get_ActivePoint(&point);
  VARIANT count{};
  VARIANT_BOOL shown = 0;
  point->TryToShow(0, count, &shown);
  point->Release();
  EXPECT_EQ(pane.centredLine, 3);
  EXPECT_EQ(shown, kAutomationTrue);
  selection->EndOfLine(kAutomationFalse);
  selection->StartOfLine(0, kAutomationTrue);
  const auto& text = pane.Buffer().Text();
  const CaretRange range = pane.Selection();
  EXPECT_EQ(text.substr(range.active, range.anchor - range.active), "int main(void)");
  EXPECT_EQ(pane.Buffer().LineOf(range.active), 3);  // the caret at the line's first column
  selection->Release();
}

TEST_F(AutomationModel, CaseSensitiveSearchFromTheTop) {
  TextSelection* selection = OpenSelection(W("a.cpp"));
  ASSERT_NE(selection, nullptr);
  selection->MoveToLineAndOffset(1, 1, kAutomationFalse);
  VARIANT_BOOL found = 0;
  selection->FindText(Bstr(W("Main")), kFindMatchCase, &found);
  EXPECT_EQ(found, kAutomationTrue);
  EXPECT_EQ(pane.Buffer().LineOf(pane.Selection().active), 5);
  selection->MoveToLineAndOffset(1, 1, kAutomationFalse);
  selection->FindText(Bstr(W("main")), 0, &found);  // without the flag case is ignored
  EXPECT_EQ(pane.Buffer().LineOf(pane.Selection().active), 3);
  const CaretRange before = pane.Selection();
  selection->FindText(Bstr(W("absent")), kFindMatchCase, &found);
  EXPECT_EQ(found, kAutomationFalse);
  EXPECT_EQ(pane.Selection().active, before.active);  // a failed search leaves the caret
  selection->Release();
}

TEST_F(AutomationModel, MovesAreClampedIntoTheText) {
  TextSelection* selection = OpenSelection(W("a.cpp"));
  ASSERT_NE(selection, nullptr);
  selection->MoveToLineAndOffset(500, 1, kAutomationFalse);
  EXPECT_EQ(pane.Buffer().LineOf(pane.Selection().active), pane.Buffer().LineCount());
  selection->MoveToLineAndOffset(5, 300, kAutomationFalse);
  EXPECT_EQ(pane.Selection().active, pane.Buffer().LineEnd(5));
  selection->StartOfLine(1, kAutomationFalse);  // first non-blank
  EXPECT_EQ(pane.Selection().active, pane.Buffer().LineStart(5) + 2);
  selection->Release();
}

TEST_F(AutomationModel, OpeningAtALineCentresItsStartClampedIntoTheText) {
  ASSERT_TRUE(pane.OpenFile("a.cpp"));  // 7 lines: the text ends in a line break
  const std::pair<int32_t, int32_t> rows[] = {{3, 3}, {500, 7}, {0, 1}};  // asked, reached
  for (const auto& [asked, reached] : rows) {
    GoToLine(pane, asked);
    const std::size_t start = pane.Buffer().LineStart(reached);
    EXPECT_TRUE(pane.Selection().anchor == start && pane.Selection().active == start) << asked;
    EXPECT_EQ(pane.centredLine, reached) << asked;
  }
}

TEST(TextBuffer, LinesAndOffsets) {
  TextBuffer text;
  text.Assign("ab\r\ncd\rx\n");
  EXPECT_EQ(text.Text(), "ab\ncd\nx\n");
  EXPECT_EQ(text.LineCount(), 4);
  EXPECT_EQ(text.LineStart(2), 3u);
  EXPECT_EQ(text.LineEnd(2), 5u);
  EXPECT_EQ(text.LineOf(0), 1);
  EXPECT_EQ(text.LineOf(2), 1);  // the "\n" belongs to its line
  EXPECT_EQ(text.LineOf(3), 2);
  EXPECT_EQ(text.LineEnd(4), text.Text().size());
  EXPECT_EQ(text.OffsetOf(0, 0), 0u);
}

TEST(TextBuffer, FindFlags) {
  TextBuffer text;
  text.Assign("Foo foobar foo\nFOO");
  EXPECT_EQ(text.Find("foo", 0, kFindMatchCase), 4u);
  EXPECT_EQ(text.Find("foo", 0, 0), 0u);
  EXPECT_EQ(text.Find("foo", 1, kFindMatchCase | kFindMatchWord), 11u);
  EXPECT_EQ(text.Find("FOO", 5, kFindMatchCase | kFindBackward), std::nullopt);
  EXPECT_EQ(text.Find("foo", text.Text().size(), kFindBackward), 15u);
  EXPECT_EQ(text.Find("Foo", 9, kFindMatchCase | kFindFromStart), 0u);
  EXPECT_EQ(text.Find("", 0, 0), std::nullopt);
  EXPECT_EQ(text.Find("FOO", 16, kFindMatchCase), std::nullopt);
}

}  // namespace
}  // namespace tolvane::host
