// The frame's resources as the program loads them: menus, accelerators, strings, toolbar,
// bitmap, icons, version and manifest.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/support/ExpectSequence.h"

namespace {

HINSTANCE Module()
{
    return GetModuleHandleA(nullptr);
}

std::string LoadText(UINT id)
{
    char text[512] = "";
    LoadStringA(Module(), id, text, sizeof text);
    return text;
}

// A menu as one line: items separated by ';', "-" for a separator, "*" before a checked item,
// "=id" after a command and "{...}" around a popup's items.
std::string DescribeMenu(HMENU menu)
{
    std::string out;
    for (int i = 0, n = GetMenuItemCount(menu); i < n; ++i) {
        char text[128] = "";
        MENUITEMINFOA mii = {};
        mii.cbSize = sizeof mii;
        mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        mii.dwTypeData = text;
        mii.cch = sizeof text;
        GetMenuItemInfoA(menu, i, TRUE, &mii);
        if (i) {
            out += ';';
        }
        if (mii.fType & MFT_SEPARATOR) {
            out += '-';
            continue;
        }
        if (mii.fState & MFS_CHECKED) {
            out += '*';
        }
        out += text;
        if (mii.hSubMenu) {
            out += '{' + DescribeMenu(mii.hSubMenu) + '}';
        } else {
            out += '=' + std::to_string(mii.wID);
        }
    }
    return out;
}

struct MenuSpec
{
    int id;
    const char* layout;
};

TEST(MenuResourceTest, MatchTheCommandTables)
{
    const MenuSpec menus[] = {
        {IDR_MAINFRAME, "&File{&New\tCtrl+N=57600;&Open...\tCtrl+O=57601;-;E&xit=57665};"
                        "&View{&Toolbar=59392;&Status Bar=59393;&Refresh=32778};"
                        "&Help{&About VexoProcessViewer...=57664}"},
        {IDR_PROCESSTYPE,
         "&File{&New\tCtrl+N=57600;E&xit=57665};"
         "&View{&Toolbar=59392;&Status Bar=59393;&Refresh=32778};"
         "&Window{&New Window=57648;&Cascade=57650;&Tile=57651;&Arrange Icons=57649};"
         "&Help{&About VexoProcessViewer...=57664}"},
        {IDR_TOOLS_MENU,
         "Tools{*Process List=32771;Memory Contents=32772;Find Text=32773;Goto Address=32780;"
         "Address Peek=32775;Module Labels=32774;Fit To Window=32776}"},
    };
    for (const MenuSpec& m : menus) {
        HMENU menu = LoadMenuA(Module(), MAKEINTRESOURCEA(m.id));
        ASSERT_NE(menu, nullptr) << m.id;
        EXPECT_EQ(DescribeMenu(menu), m.layout) << "menu " << m.id;
        DestroyMenu(menu);
    }
}

// An accelerator: its modifier flags, key and command.
struct Key
{
    BYTE flags;
    WORD key;
    WORD cmd;
    bool operator==(const Key& other) const
    {
        return flags == other.flags && key == other.key && cmd == other.cmd;
    }
};
void PrintTo(const Key& k, std::ostream* out)
{
    *out << "flags " << int(k.flags) << ", key " << k.key << ", command " << k.cmd;
}

TEST(AcceleratorResourceTest, MatchTheKeyTableWithoutF5)
{
    static const Key kMainFrameKeys[] = {
        {FVIRTKEY | FCONTROL, 'N', ID_FILE_NEW},
        {FVIRTKEY | FCONTROL, 'O', ID_FILE_OPEN},
        {FVIRTKEY | FCONTROL, 'S', ID_FILE_SAVE},
        {FVIRTKEY | FCONTROL, 'P', ID_FILE_PRINT},
        {FVIRTKEY | FCONTROL, 'Z', ID_EDIT_UNDO},
        {FVIRTKEY | FCONTROL, 'X', ID_EDIT_CUT},
        {FVIRTKEY | FCONTROL, 'C', ID_EDIT_COPY},
        {FVIRTKEY | FCONTROL, 'V', ID_EDIT_PASTE},
        {FVIRTKEY | FALT, VK_BACK, ID_EDIT_UNDO},
        {FVIRTKEY | FSHIFT, VK_DELETE, ID_EDIT_CUT},
        {FVIRTKEY | FCONTROL, VK_INSERT, ID_EDIT_COPY},
        {FVIRTKEY | FSHIFT, VK_INSERT, ID_EDIT_PASTE},
        {FVIRTKEY, VK_F6, ID_NEXT_PANE},
        {FVIRTKEY | FSHIFT, VK_F6, ID_PREV_PANE},
    };
    HACCEL table = LoadAcceleratorsA(Module(), MAKEINTRESOURCEA(IDR_MAINFRAME));
    ASSERT_NE(table, nullptr);
    ACCEL entries[32];
    const int n = CopyAcceleratorTableA(table, entries, 32);
    DestroyAcceleratorTable(table);
    std::vector<Key> keys;
    for (int i = 0; i < n; ++i) {
        keys.push_back({BYTE(entries[i].fVirt & (FVIRTKEY | FSHIFT | FCONTROL | FALT)),
                        entries[i].key, entries[i].cmd});
        EXPECT_NE(entries[i].key, VK_F5);
    }
    EXPECT_SEQUENCE(kMainFrameKeys, keys);
}

TEST(StringResourceTest, TitlesDocumentStringAndPromptsAreExact)
{
    const std::pair<UINT, const char*> strings[] = {
        {IDR_MAINFRAME, "VexoProcessViewer"},
        {IDR_PROCESSTYPE, "\nVexoPr\nVexoPr\n\n\nVexoProcessViewer.Document\nVexoPr Document"},
        {AFX_IDS_APP_TITLE, "VexoProcessViewer"},
        {AFX_IDS_IDLEMESSAGE, "Ready"},
        {ID_TOOLS_PROCESS_LIST, "Toggle Display of Process List Window\nToggle Process List"},
        {ID_TOOLS_MEMORY_CONTENTS, "Toggle Display of Memory Content Details\nToggle Mem Details"},
        {ID_TOOLS_FIND_TEXT, "Toggle Display of Search-For-Text Toolbox\nToggle Search Window"},
        {ID_TOOLS_MODULE_LABELS,
         "Toggle Display of DLL Load Location Blurb Tips\nToggle DLL Location Blurbs"},
        {ID_TOOLS_ADDRESS_PEEK,
         "Toggle display of Address/Content Blurb Tips\nToggle Address/Content Blurbs"},
        {ID_TOOLS_FIT_TO_WINDOW, "Fit Image to Window\nCenter Image In Window"},
        {ID_VIEW_REFRESH, "Refresh Contents of Active View"},
        {ID_TOOLS_GOTO_ADDRESS, "Toggle Goto Address Window"},
        {ID_FILE_NEW, "Create a new document\nNew"},
        {ID_FILE_OPEN, "Open an existing document\nOpen"},
        {ID_WINDOW_NEW, "Open another window for the active document\nNew Window"},
        {ID_WINDOW_ARRANGE, "Arrange icons at the bottom of the window\nArrange Icons"},
        {ID_WINDOW_CASCADE, "Arrange windows so they overlap\nCascade Windows"},
        {ID_WINDOW_TILE_HORZ, "Arrange windows as non-overlapping tiles\nTile Windows"},
        {ID_APP_ABOUT, "Display program information, version number and copyright\nAbout"},
        {ID_APP_EXIT, "Quit the application; prompts to save documents\nExit"},
        {ID_NEXT_PANE, "Switch to the next window pane\nNext Pane"},
        {ID_PREV_PANE, "Switch back to the previous window pane\nPrevious Pane"},
        {ID_VIEW_TOOLBAR, "Show or hide the toolbar\nToggle ToolBar"},
        {ID_VIEW_STATUS_BAR, "Show or hide the status bar\nToggle StatusBar"},
        {ID_INDICATOR_EXT, "EXT"},
        {ID_INDICATOR_CAPS, "CAP"},
        {ID_INDICATOR_NUM, "NUM"},
        {ID_INDICATOR_SCRL, "SCRL"},
        {ID_INDICATOR_OVR, "OVR"},
        {ID_INDICATOR_REC, "REC"},
        {AFX_IDS_SCSIZE, "Change the window size"},
        {AFX_IDS_SCMOVE, "Change the window position"},
        {AFX_IDS_SCMINIMIZE, "Reduce the window to an icon"},
        {AFX_IDS_SCMAXIMIZE, "Enlarge the window to full size"},
        {AFX_IDS_SCNEXTWINDOW, "Switch to the next document window"},
        {AFX_IDS_SCPREVWINDOW, "Switch to the previous document window"},
        {AFX_IDS_SCCLOSE, "Close the active window and prompts to save the documents"},
        {AFX_IDS_SCRESTORE, "Restore the window to normal size"},
        {AFX_IDS_SCTASKLIST, "Activate Task List"},
        {AFX_IDS_MDICHILD, "Activate this window"},
    };
    for (const auto& [id, text] : strings) {
        EXPECT_EQ(LoadText(id), text) << "string " << id;
    }
}

TEST(StringResourceTest, StandardPromptsExistForUnofferedCommands)
{
    std::vector<UINT> ids = {ID_EDIT_REPEAT,  ID_EDIT_REPLACE,      ID_EDIT_SELECT_ALL,
                             ID_EDIT_UNDO,    ID_EDIT_REDO,         ID_WINDOW_TILE_VERT,
                             ID_WINDOW_SPLIT, AFX_IDS_PREVIEW_CLOSE};
    for (UINT id = ID_FILE_CLOSE; id <= ID_FILE_PRINT_PREVIEW; ++id) {
        ids.push_back(id);
    }
    for (UINT id = ID_FILE_MRU_FILE1; id <= ID_FILE_MRU_FILE16; ++id) {
        ids.push_back(id);
    }
    for (UINT id = ID_EDIT_CLEAR; id <= ID_EDIT_PASTE; ++id) {
        ids.push_back(id);
    }
    for (UINT id : ids) {
        const std::string text = LoadText(id);
        EXPECT_FALSE(text.empty()) << "string " << id;
        EXPECT_NE(text[0], '\n') << "string " << id << " has no prompt";
    }
}

// Every command that a menu item or toolbar button offers has a prompt; every toolbar button
// but the goto one has a tooltip.
std::vector<WORD> ToolbarCommands();

void CollectCommands(HMENU menu, std::set<UINT>& out)
{
    for (int i = 0, n = GetMenuItemCount(menu); i < n; ++i) {
        if (HMENU sub = GetSubMenu(menu, i)) {
            CollectCommands(sub, out);
        } else if (UINT id = GetMenuItemID(menu, i); id != 0 && id != UINT(-1)) {
            out.insert(id);
        }
    }
}

TEST(StringResourceTest, EveryOfferedCommandHasPromptAndToolbarButtonsHaveTooltips)
{
    std::set<UINT> commands;
    for (int id : {IDR_MAINFRAME, IDR_PROCESSTYPE, IDR_TOOLS_MENU}) {
        HMENU menu = LoadMenuA(Module(), MAKEINTRESOURCEA(id));
        ASSERT_NE(menu, nullptr);
        CollectCommands(menu, commands);
        DestroyMenu(menu);
    }
    const std::vector<WORD> buttons = ToolbarCommands();
    commands.insert(buttons.begin(), buttons.end());
    for (UINT id : commands) {
        const std::string text = LoadText(id);
        ASSERT_FALSE(text.empty()) << "command " << id;
        EXPECT_NE(text[0], '\n') << "command " << id;
    }
    for (WORD id : buttons) {
        const std::string text = LoadText(id);
        const size_t nl = text.find('\n');
        if (id == ID_TOOLS_GOTO_ADDRESS) {
            EXPECT_EQ(nl, std::string::npos);
        } else {
            EXPECT_TRUE(nl != std::string::npos && nl + 1 < text.size()) << "command " << id;
        }
    }
}

std::vector<WORD> ToolbarWords()
{
    HRSRC found = FindResourceA(Module(), MAKEINTRESOURCEA(IDR_MAINFRAME), RT_TOOLBAR);
    if (!found) {
        return {};
    }
    const auto* words = static_cast<const WORD*>(LockResource(LoadResource(Module(), found)));
    return std::vector<WORD>(words, words + SizeofResource(Module(), found) / sizeof(WORD));
}

std::vector<WORD> ToolbarCommands()
{
    const std::vector<WORD> words = ToolbarWords();
    return words.size() > 4 ? std::vector<WORD>(words.begin() + 4, words.end())
                            : std::vector<WORD>();
}

TEST(ToolbarResourceTest, ResourceHoldsNineButtonsInOrder)
{
    // Version 1, 32 x 31 images, nine items, then the items' commands.
    static const WORD kMainFrameToolbar[] = {1,
                                             32,
                                             31,
                                             9,
                                             ID_FILE_NEW,
                                             ID_TOOLS_PROCESS_LIST,
                                             ID_TOOLS_MEMORY_CONTENTS,
                                             ID_TOOLS_FIND_TEXT,
                                             ID_TOOLS_GOTO_ADDRESS,
                                             ID_TOOLS_ADDRESS_PEEK,
                                             ID_TOOLS_MODULE_LABELS,
                                             ID_TOOLS_FIT_TO_WINDOW,
                                             ID_APP_ABOUT};
    EXPECT_SEQUENCE(kMainFrameToolbar, ToolbarWords());
}

TEST(ToolbarResourceTest, BitmapIsAStripOfNineDistinctImagesOnButtonFace)
{
    HBITMAP bmp = static_cast<HBITMAP>(LoadImageA(Module(), MAKEINTRESOURCEA(IDR_MAINFRAME),
                                                  IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(bmp, nullptr);
    BITMAP info = {};
    GetObjectA(bmp, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 288);
    EXPECT_EQ(info.bmHeight, 31);

    // Read the pixels top-down as 32-bit colours.
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = 288;
    bi.bmiHeader.biHeight = -31;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> px(288 * 31);
    HDC dc = GetDC(nullptr);
    const int rows = GetDIBits(dc, bmp, 0, 31, px.data(), &bi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    DeleteObject(bmp);
    ASSERT_EQ(rows, 31);

    auto at = [&](int x, int y) { return px[y * 288 + x] & 0xFFFFFF; };
    for (int i = 0; i < 9; ++i) {
        // Corners show the classic light grey button face.
        EXPECT_EQ(at(32 * i, 30), 0xC0C0C0u) << "image " << i;
        EXPECT_EQ(at(32 * i + 31, 30), 0xC0C0C0u) << "image " << i;
        for (int j = 0; j < i; ++j) {
            int differing = 0;
            for (int y = 0; y < 31; ++y) {
                for (int x = 0; x < 32; ++x) {
                    differing += at(32 * i + x, y) != at(32 * j + x, y);
                }
            }
            EXPECT_GT(differing, 100) << "images " << j << " and " << i << " look alike";
        }
    }
}

TEST(IconResourceTest, ProgramAndDocumentIconsHaveLargeAndSmallImages)
{
    for (int id : {IDR_MAINFRAME, IDR_PROCESSTYPE}) {
        HRSRC group = FindResourceA(Module(), MAKEINTRESOURCEA(id), RT_GROUP_ICON);
        ASSERT_NE(group, nullptr) << id;
        const BYTE* dir = static_cast<const BYTE*>(LockResource(LoadResource(Module(), group)));
        std::set<int> sizes;
        const WORD count = *reinterpret_cast<const WORD*>(dir + 4);
        for (WORD i = 0; i < count; ++i) {
            sizes.insert(dir[6 + 14 * i]); // bWidth
        }
        EXPECT_EQ(sizes, (std::set<int>{16, 32})) << id;

        for (int size : {16, 32}) {
            HICON icon = static_cast<HICON>(
                LoadImageA(Module(), MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0));
            ASSERT_NE(icon, nullptr) << id << " at " << size;
            ICONINFO ii = {};
            ASSERT_TRUE(GetIconInfo(icon, &ii));
            BITMAP mask = {};
            GetObjectA(ii.hbmMask, sizeof mask, &mask);
            EXPECT_EQ(mask.bmWidth, size);
            if (ii.hbmColor) {
                DeleteObject(ii.hbmColor);
            }
            DeleteObject(ii.hbmMask);
            DestroyIcon(icon);
        }
    }
}

TEST(VersionResourceTest, ReadsOneOneZeroTwo)
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &handle);
    ASSERT_GT(size, 0u);
    std::vector<char> data(size);
    ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, data.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT len = 0;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &len));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010001u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000002u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010001u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0x00000002u);

    for (const auto& [key, value] : {std::pair<const char*, const char*>{"FileVersion", "1.1.0.2"},
                                     {"ProductVersion", "1.1.0.2"},
                                     {"ProductName", "VexoProcessViewer"}}) {
        char* text = nullptr;
        const std::string query = std::string("\\StringFileInfo\\040904B0\\") + key;
        ASSERT_TRUE(
            VerQueryValueA(data.data(), query.c_str(), reinterpret_cast<void**>(&text), &len))
            << key;
        EXPECT_STREQ(text, value);
    }
}

TEST(ManifestResourceTest, SelectsCommonControlsSix)
{
    HRSRC found = FindResourceA(Module(), MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_NE(found, nullptr);
    const char* xml = static_cast<const char*>(LockResource(LoadResource(Module(), found)));
    const std::string text(xml, SizeofResource(Module(), found));
    EXPECT_NE(text.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(text.find("asInvoker"), std::string::npos);

    // The loader honoured it: the common controls of this process come from the side-by-side
    // version 6 assembly rather than the system folder's version 5.
    HMODULE comctl = GetModuleHandleA("comctl32.dll");
    ASSERT_NE(comctl, nullptr);
    char path[MAX_PATH] = "";
    GetModuleFileNameA(comctl, path, MAX_PATH);
    CharLowerA(path);
    EXPECT_NE(std::string(path).find("microsoft.windows.common-controls_6595b64144ccf1df_6."),
              std::string::npos)
        << path;
}

} // namespace
