// The dialog templates: the styles, font and rectangles they hold, and the windows the system
// makes of them (caption, control order, classes, texts and positions).
#include <windows.h>

#include <algorithm>

#include <commctrl.h>

#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "res/resource.h"

namespace {

struct ControlExpectation
{
    int id;
    const char* className;
    const char* text;
    RECT rect;   // dialog units: x, y, width, height
    DWORD style; // the whole style word of the template item
};

struct DialogExpectation
{
    int id;
    const char* caption;
    int width, height; // dialog units
    DWORD style;       // the whole style word, DS_SETFONT included (the template names a font)
    std::vector<ControlExpectation> controls;
};

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kToolWindow = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | DS_SETFONT;
constexpr DWORD kPush = kChild | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kCheck = kChild | BS_AUTOCHECKBOX | WS_DISABLED | WS_TABSTOP;
constexpr DWORD kGroup = kChild | BS_GROUPBOX;
constexpr DWORD kEdit = kChild | WS_BORDER | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;

const std::vector<DialogExpectation>& Dialogs()
{
    static const std::vector<DialogExpectation> dialogs = {
        {IDD_PROCESS_TREE,
         "Windows Processes",
         188,
         223,
         kToolWindow,
         {
             {IDC_PROCESS_TREE,
              "SysTreeView32",
              "Tree1",
              {7, 7, 173, 186},
              kChild | WS_BORDER | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT},
             {IDC_REFRESH_PROCESSES, "Button", "Refresh Processes", {7, 203, 173, 13}, kPush},
         }},
        {IDD_MEMORY_CONTENTS,
         "Memory Contents",
         491,
         186,
         kToolWindow,
         {
             {IDC_MEMORY_LIST,
              "SysListView32",
              "List1",
              {7, 77, 476, 102},
              kChild | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_NOSORTHEADER | LVS_OWNERDATA},
             {IDC_ATTR_READ, "Button", "Read", {126, 19, 38, 9}, kCheck},
             {IDC_ATTR_WRITE, "Button", "Write", {126, 31, 34, 9}, kCheck},
             {IDC_ATTR_EXECUTE, "Button", "Execute", {126, 43, 44, 9}, kCheck},
             {IDC_ATTR_COPYONWRITE, "Button", "Copy-On-Write", {126, 55, 58, 9}, kCheck},
             {IDC_ATTR_GUARDED, "Button", "Guarded", {324, 19, 43, 9}, kCheck},
             {IDC_ATTR_NOCACHE, "Button", "No-Cache", {324, 31, 46, 9}, kCheck},
             {IDC_ATTR_COMMITTED, "Button", "Committed", {26, 43, 47, 9}, kCheck},
             {IDC_ATTR_FREE, "Button", "Free", {26, 19, 30, 9}, kCheck},
             {IDC_ATTR_RESERVED, "Button", "Reserved", {26, 31, 47, 9}, kCheck},
             {IDC_ATTR_IMAGE, "Button", "Image Memory", {220, 19, 66, 9}, kCheck},
             {IDC_ATTR_MAPPED, "Button", "Mapped Memory", {220, 31, 66, 9}, kCheck},
             {IDC_ATTR_PRIVATE, "Button", "Private Memory", {220, 43, 66, 9}, kCheck},
             {IDC_GROUP_PAGE_STATE, "Button", "Page State", {16, 6, 88, 62}, kGroup},
             {IDC_GROUP_PAGE_ACCESS, "Button", "Page Access", {114, 6, 88, 62}, kGroup},
             {IDC_GROUP_PAGE_TYPE, "Button", "Page Type", {212, 6, 88, 62}, kGroup},
             {IDC_GROUP_PAGE_FLAGS, "Button", "Page Flags", {310, 6, 88, 62}, kGroup},
         }},
        {IDD_PROGRESS,
         "",
         282,
         57,
         DS_MODALFRAME | DS_CENTER | DS_SETFOREGROUND | WS_POPUP | WS_VISIBLE | WS_CAPTION |
             DS_SETFONT,
         {
             {IDC_PROGRESS_TEXT,
              "Static",
              "Static",
              {7, 7, 268, 12},
              kChild | WS_BORDER | SS_CENTER | SS_CENTERIMAGE},
             {IDC_PROGRESS_BAR, "msctls_progress32", "", {7, 21, 268, 14}, kChild | WS_BORDER},
             {IDC_PROGRESS_CANCEL, "Button", "Cancel", {115, 37, 58, 14}, kPush},
         }},
        {IDD_FIND_TOOL,
         "Find Tool",
         350,
         103,
         kToolWindow,
         {
             {IDC_FIND_TEXT, "Edit", "", {4, 4, 286, 12}, kEdit},
             {IDC_FIND_RESULTS,
              "SysListView32",
              "List2",
              {4, 21, 336, 81},
              kChild | WS_BORDER | WS_TABSTOP | LVS_REPORT},
             {IDC_FIND_BUTTON, "Button", "Find", {292, 3, 50, 14}, kPush},
         }},
        {IDD_GOTO_ADDRESS,
         "Goto Address",
         139,
         38,
         DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT,
         {
             {IDC_STATIC,
              "Static",
              "Enter Address (in Hex like 0x12345678):",
              {7, 6, 132, 10},
              kChild | WS_GROUP | SS_LEFT},
             {IDC_GOTO_ADDRESS_EDIT, "Edit", "", {8, 18, 80, 12}, kEdit},
             {IDC_GOTO_BUTTON, "Button", "Goto", {92, 17, 39, 14}, kPush},
         }},
    };
    return dialogs;
}

// What an extended dialog template holds, read straight from the module's resources.
struct TemplateItem
{
    DWORD exStyle, style, id;
    short x, y, cx, cy;
};

struct Template
{
    DWORD exStyle = 0, style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    WORD pointSize = 0;
    std::wstring typeface;
    std::vector<TemplateItem> items;
};

class TemplateReader
{
public:
    explicit TemplateReader(const BYTE* p) : p_(p) {}
    template <typename T>
    T Read()
    {
        T value;
        std::memcpy(&value, p_, sizeof value);
        p_ += sizeof value;
        return value;
    }
    // A name or an ordinal (0xFFFF then a WORD) or nothing (0x0000).
    std::wstring ReadNameOrOrdinal()
    {
        const WORD first = Read<WORD>();
        if (first == 0xFFFF) {
            return L"#" + std::to_wstring(Read<WORD>());
        }
        std::wstring s;
        for (WORD c = first; c != 0; c = Read<WORD>()) {
            s += wchar_t(c);
        }
        return s;
    }
    void AlignToDword(const BYTE* base)
    {
        while ((p_ - base) % 4) {
            ++p_;
        }
    }
    void Skip(size_t n) { p_ += n; }

private:
    const BYTE* p_;
};

bool LoadTemplate(int id, Template& out)
{
    HRSRC found = FindResourceA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), RT_DIALOG);
    if (!found) {
        return false;
    }
    const BYTE* base =
        static_cast<const BYTE*>(LockResource(LoadResource(GetModuleHandleA(nullptr), found)));
    TemplateReader r(base);
    if (r.Read<WORD>() != 1 || r.Read<WORD>() != 0xFFFF) {
        return false; // DLGTEMPLATEEX only
    }
    r.Read<DWORD>(); // help id
    out.exStyle = r.Read<DWORD>();
    out.style = r.Read<DWORD>();
    const WORD count = r.Read<WORD>();
    out.x = r.Read<short>(), out.y = r.Read<short>();
    out.cx = r.Read<short>(), out.cy = r.Read<short>();
    r.ReadNameOrOrdinal(); // menu
    r.ReadNameOrOrdinal(); // class
    r.ReadNameOrOrdinal(); // caption
    if (out.style & DS_SETFONT) {
        out.pointSize = r.Read<WORD>();
        r.Skip(sizeof(WORD) + 2); // weight, italic, character set
        out.typeface = r.ReadNameOrOrdinal();
    }
    for (WORD i = 0; i < count; ++i) {
        r.AlignToDword(base);
        TemplateItem item;
        r.Read<DWORD>(); // help id
        item.exStyle = r.Read<DWORD>();
        item.style = r.Read<DWORD>();
        item.x = r.Read<short>(), item.y = r.Read<short>();
        item.cx = r.Read<short>(), item.cy = r.Read<short>();
        item.id = r.Read<DWORD>();
        r.ReadNameOrOrdinal();  // class
        r.ReadNameOrOrdinal();  // text
        r.Skip(r.Read<WORD>()); // creation data
        out.items.push_back(item);
    }
    return true;
}

INT_PTR CALLBACK NoOpDialogProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

// Owns one dialog created from its template.
class DialogWindow
{
public:
    explicit DialogWindow(int id)
        : hwnd_(CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), nullptr,
                                   NoOpDialogProc, 0))
    {
    }
    ~DialogWindow()
    {
        if (hwnd_) {
            DestroyWindow(hwnd_);
        }
    }
    DialogWindow(const DialogWindow&) = delete;
    DialogWindow& operator=(const DialogWindow&) = delete;
    HWND get() const { return hwnd_; }

private:
    HWND hwnd_;
};

std::string WindowText(HWND hwnd)
{
    char text[256] = "";
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

std::string ClassName(HWND hwnd)
{
    char name[64] = "";
    GetClassNameA(hwnd, name, sizeof name);
    return name;
}

// The control's window rectangle in the dialog's client coordinates.
RECT ClientRectOf(HWND dialog, HWND control)
{
    RECT rc;
    GetWindowRect(control, &rc);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

// The dialog manager converts position and size separately, so the right edge is
// x' + w' rather than (x + w)'.
RECT DialogUnitsToPixels(HWND dialog, const RECT& xywh)
{
    RECT pos = {xywh.left, xywh.top, xywh.left, xywh.top};
    RECT size = {xywh.right, xywh.bottom, xywh.right, xywh.bottom};
    MapDialogRect(dialog, &pos);
    MapDialogRect(dialog, &size);
    return {pos.left, pos.top, pos.left + size.right, pos.top + size.bottom};
}

class DialogResourceTest : public ::testing::TestWithParam<size_t>
{
protected:
    static void SetUpTestSuite()
    {
        INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES |
                                                    ICC_PROGRESS_CLASS};
        InitCommonControlsEx(&icc);
    }
    const DialogExpectation& table() const { return Dialogs()[GetParam()]; }
};

TEST_P(DialogResourceTest, TemplateHoldsTheStylesFontAndRectangles)
{
    Template t;
    ASSERT_TRUE(LoadTemplate(table().id, t)) << "template " << table().id;
    EXPECT_EQ(t.style, table().style) << std::hex << t.style;
    EXPECT_EQ(t.exStyle, DWORD(WS_EX_TOOLWINDOW));
    EXPECT_EQ(t.x, 0);
    EXPECT_EQ(t.y, 0);
    EXPECT_EQ(t.cx, table().width);
    EXPECT_EQ(t.cy, table().height);
    EXPECT_EQ(t.pointSize, 8);
    EXPECT_TRUE(t.typeface == L"MS Sans Serif");
    ASSERT_EQ(t.items.size(), table().controls.size());
    for (size_t i = 0; i < t.items.size(); ++i) {
        const ControlExpectation& c = table().controls[i];
        const TemplateItem& item = t.items[i];
        SCOPED_TRACE("control \"" + std::string(c.text) + "\" " + std::to_string(c.id));
        EXPECT_EQ(int(item.id), c.id);
        EXPECT_EQ(item.style, c.style) << std::hex << item.style;
        EXPECT_EQ(item.exStyle, 0u);
        EXPECT_EQ(item.x, c.rect.left);
        EXPECT_EQ(item.y, c.rect.top);
        EXPECT_EQ(item.cx, c.rect.right);
        EXPECT_EQ(item.cy, c.rect.bottom);
    }
}

TEST_P(DialogResourceTest, CreatedWindowShowsCaptionAndSize)
{
    DialogWindow dlg(table().id);
    ASSERT_NE(dlg.get(), nullptr) << "template " << table().id;
    EXPECT_EQ(WindowText(dlg.get()), table().caption);
    EXPECT_TRUE(GetWindowLongA(dlg.get(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_EQ(IsWindowVisible(dlg.get()) != FALSE, (table().style & WS_VISIBLE) != 0);

    RECT client;
    GetClientRect(dlg.get(), &client);
    const RECT expected = DialogUnitsToPixels(dlg.get(), {0, 0, table().width, table().height});
    EXPECT_EQ(client.right, expected.right);
    EXPECT_EQ(client.bottom, expected.bottom);
}

TEST_P(DialogResourceTest, CreatedControlsHaveClassTextAndPlaceInOrder)
{
    DialogWindow dlg(table().id);
    ASSERT_NE(dlg.get(), nullptr);
    HWND child = GetWindow(dlg.get(), GW_CHILD);
    for (const ControlExpectation& c : table().controls) {
        SCOPED_TRACE("control \"" + std::string(c.text) + "\" " + std::to_string(c.id));
        ASSERT_NE(child, nullptr) << "missing control";
        EXPECT_EQ(GetDlgCtrlID(child), c.id);
        EXPECT_EQ(lstrcmpiA(ClassName(child).c_str(), c.className), 0) << ClassName(child);
        EXPECT_EQ(WindowText(child), c.text);
        EXPECT_EQ(IsWindowEnabled(child) != FALSE, (c.style & WS_DISABLED) == 0);

        const RECT actual = ClientRectOf(dlg.get(), child);
        const RECT expected = DialogUnitsToPixels(dlg.get(), c.rect);
        EXPECT_EQ(actual.left, expected.left);
        EXPECT_EQ(actual.top, expected.top);
        EXPECT_EQ(actual.right, expected.right);
        EXPECT_EQ(actual.bottom, expected.bottom);
        child = GetWindow(child, GW_HWNDNEXT);
    }
    EXPECT_EQ(child, nullptr) << "more controls than the template should have";
}

INSTANTIATE_TEST_SUITE_P(Templates, DialogResourceTest,
                         ::testing::Range<size_t>(0, Dialogs().size()),
                         [](const ::testing::TestParamInfo<size_t>& info) {
                             return "Dialog" + std::to_string(Dialogs()[info.param].id);
                         });

TEST(AboutBoxResourceTest, ShowsNameVersionIconAndOk)
{
    DialogWindow dlg(IDD_ABOUTBOX);
    ASSERT_NE(dlg.get(), nullptr);
    EXPECT_EQ(WindowText(dlg.get()), "About VexoProcessViewer");
    std::vector<std::string> texts;
    bool hasIcon = false;
    for (HWND c = GetWindow(dlg.get(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        texts.push_back(WindowText(c));
        if ((GetWindowLongA(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
            lstrcmpiA(ClassName(c).c_str(), "Static") == 0) {
            hasIcon = SendMessageA(c, STM_GETICON, 0, 0) != 0;
        }
    }
    EXPECT_TRUE(hasIcon);
    auto has = [&](const char* t) {
        return std::find(texts.begin(), texts.end(), t) != texts.end();
    };
    EXPECT_TRUE(has("VexoProcessViewer"));
    EXPECT_TRUE(has("Version 1.1.0.2"));
    HWND ok = GetDlgItem(dlg.get(), IDOK);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(WindowText(ok), "OK");
    EXPECT_EQ(GetWindowLongA(ok, GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
}

} // namespace
