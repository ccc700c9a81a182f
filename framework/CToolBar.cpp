#include "framework/CToolBar.h"

#include <vector>

#include "common/DockLayout.h"
#include "framework/CCmdUI.h"
#include "framework/CFrameWnd.h"
#include "framework/CWinApp.h"

IMPLEMENT_DYNAMIC(CToolBar, CControlBar)

BEGIN_MESSAGE_MAP(CToolBar, CControlBar)
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
END_MESSAGE_MAP()

namespace {

// Layout of a toolbar resource (RT_TOOLBAR).
struct ToolBarData
{
    WORD wVersion; // 1
    WORD wWidth;   // image width
    WORD wHeight;  // image height
    WORD wItemCount;
    // followed by wItemCount command ids, 0 for a separator
};

// Space the bar keeps above and below its buttons.
const int kBorderY = 2;

// Update handlers see a toolbar button: Enable disables it, SetCheck presses it.
class CToolCmdUI : public CCmdUI
{
public:
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        CToolBar* pToolBar = static_cast<CToolBar*>(m_pOther);
        UINT nNewStyle = pToolBar->GetButtonStyle((int)m_nIndex) & ~TBBS_DISABLED;
        if (!bOn) {
            nNewStyle =
                (nNewStyle | TBBS_DISABLED) & ~TBBS_PRESSED; // no disabled button stays down
        }
        pToolBar->SetButtonStyle((int)m_nIndex, nNewStyle);
    }
    void SetCheck(int nCheck) override
    {
        CToolBar* pToolBar = static_cast<CToolBar*>(m_pOther);
        UINT nNewStyle =
            pToolBar->GetButtonStyle((int)m_nIndex) & ~(TBBS_CHECKED | TBBS_INDETERMINATE);
        if (nCheck == 1) {
            nNewStyle |= TBBS_CHECKED;
        } else if (nCheck == 2) {
            nNewStyle |= TBBS_INDETERMINATE;
        }
        pToolBar->SetButtonStyle((int)m_nIndex, nNewStyle | TBBS_CHECKBOX);
    }
    void SetRadio(BOOL bOn) override { SetCheck(bOn ? 1 : 0); }
    void SetText(LPCSTR) override {} // buttons have no text
};

} // namespace

CToolBar::CToolBar()
    : m_hbmImageWell(nullptr),
      m_sizeButton(23, 22),
      m_sizeImage(16, 15),
      m_nFlybyID(0)
{
}

CToolBar::~CToolBar()
{
    if (m_hbmImageWell != nullptr) {
        ::DeleteObject(m_hbmImageWell);
    }
}

BOOL CToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, 0, dwStyle, CRect(0, 0, 0, 0), nID);
}

// The frame sizes and places the bar, so the control neither sizes nor aligns itself. The
// control always has its tooltip window; CBRS_TOOLTIPS decides whether it is active.
BOOL CToolBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect, UINT nID)
{
    SetBarStyle(dwStyle & CBRS_ALL);
    const DWORD dwWndStyle = (dwStyle & ~CBRS_ALL) | dwCtrlStyle | TBSTYLE_TOOLTIPS | CCS_NORESIZE |
                             CCS_NOPARENTALIGN | CCS_NODIVIDER;
    if (!CWnd::Create(TOOLBARCLASSNAMEA, nullptr, dwWndStyle, CRect(0, 0, 0, 0), pParentWnd, nID)) {
        return FALSE;
    }
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    SetSizes(m_sizeButton, m_sizeImage);
    EnableToolTips((m_dwStyle & CBRS_TOOLTIPS) != 0);
    AttachToFrame(pParentWnd);
    return TRUE;
}

BOOL CToolBar::EnableToolTips(BOOL bEnable)
{
    CControlBar::EnableToolTips(bEnable);
    HWND hTip = reinterpret_cast<HWND>(SendMessage(TB_GETTOOLTIPS));
    if (hTip == nullptr) {
        return FALSE;
    }
    ::SendMessageA(hTip, TTM_ACTIVATE, bEnable, 0);
    return TRUE;
}

void CToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage)
{
    m_sizeButton = sizeButton;
    m_sizeImage = sizeImage;
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELONG(sizeImage.cx, sizeImage.cy));
    SendMessage(TB_SETBUTTONSIZE, 0, MAKELONG(sizeButton.cx, sizeButton.cy));
}

BOOL CToolBar::LoadToolBar(UINT nIDResource)
{
    return LoadToolBar(MAKEINTRESOURCEA(nIDResource));
}

BOOL CToolBar::LoadToolBar(LPCSTR lpszResourceName)
{
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hRsrc = ::FindResourceA(hInst, lpszResourceName, RT_TOOLBAR);
    if (hRsrc == nullptr) {
        return FALSE;
    }
    HGLOBAL hGlobal = ::LoadResource(hInst, hRsrc);
    const ToolBarData* pData =
        hGlobal != nullptr ? static_cast<const ToolBarData*>(::LockResource(hGlobal)) : nullptr;
    const DWORD cbSize = ::SizeofResource(hInst, hRsrc);
    if (pData == nullptr || cbSize < sizeof(ToolBarData) || pData->wVersion != 1 ||
        cbSize < sizeof(ToolBarData) + pData->wItemCount * sizeof(WORD)) {
        return FALSE;
    }

    const WORD* pItems = reinterpret_cast<const WORD*>(pData + 1);
    std::vector<UINT> ids(pItems, pItems + pData->wItemCount);
    if (!SetButtons(ids.data(), (int)ids.size())) {
        return FALSE;
    }
    // Buttons are 7 pixels wider and higher than their images.
    SetSizes(CSize(pData->wWidth + 7, pData->wHeight + 7), CSize(pData->wWidth, pData->wHeight));
    return LoadBitmap(lpszResourceName);
}

// The images come with the button colours mapped to the system's (grey turns into the button
// face, which the toolbar then draws transparent).
BOOL CToolBar::LoadBitmap(LPCSTR lpszResourceName)
{
    HINSTANCE hInst = AfxGetResourceHandle();
    HBITMAP hbm = nullptr;
    if (IS_INTRESOURCE(lpszResourceName)) {
        hbm =
            ::CreateMappedBitmap(hInst, reinterpret_cast<INT_PTR>(lpszResourceName), 0, nullptr, 0);
    }
    if (hbm == nullptr) {
        hbm = static_cast<HBITMAP>(
            ::LoadImageA(hInst, lpszResourceName, IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    }
    if (hbm == nullptr) {
        return FALSE;
    }
    BITMAP bm = {};
    ::GetObjectA(hbm, sizeof(bm), &bm);
    const int nImages = m_sizeImage.cx > 0 ? bm.bmWidth / m_sizeImage.cx : 0;
    BOOL bResult;
    if (m_hbmImageWell != nullptr) {
        TBREPLACEBITMAP rb = {};
        rb.hInstOld = nullptr;
        rb.nIDOld = reinterpret_cast<UINT_PTR>(m_hbmImageWell);
        rb.hInstNew = nullptr;
        rb.nIDNew = reinterpret_cast<UINT_PTR>(hbm);
        rb.nButtons = nImages;
        bResult = SendMessage(TB_REPLACEBITMAP, 0, reinterpret_cast<LPARAM>(&rb)) != 0;
    } else {
        TBADDBITMAP ab = {};
        ab.hInst = nullptr;
        ab.nID = reinterpret_cast<UINT_PTR>(hbm);
        bResult = SendMessage(TB_ADDBITMAP, (WPARAM)nImages, reinterpret_cast<LPARAM>(&ab)) != -1;
    }
    if (!bResult) {
        ::DeleteObject(hbm);
        return FALSE;
    }
    if (m_hbmImageWell != nullptr) {
        ::DeleteObject(m_hbmImageWell);
    }
    m_hbmImageWell = hbm;
    return TRUE;
}

BOOL CToolBar::SetButtons(const UINT* lpIDArray, int nIDCount)
{
    for (int nCount = GetCount(); nCount > 0; --nCount) {
        SendMessage(TB_DELETEBUTTON, 0);
    }
    int iImage = 0;
    for (int i = 0; lpIDArray != nullptr && i < nIDCount; i++) {
        TBBUTTON button = {};
        button.iString = -1;
        button.fsState = TBSTATE_ENABLED;
        button.idCommand = (int)lpIDArray[i];
        if (button.idCommand == 0) {
            button.fsStyle = TBSTYLE_SEP;
            button.iBitmap = (GetStyle() & TBSTYLE_FLAT) ? 6 : 8; // separator width
        } else {
            button.fsStyle = TBSTYLE_BUTTON;
            button.iBitmap = iImage++;
        }
        if (!SendMessage(TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&button))) {
            return FALSE;
        }
    }
    return TRUE;
}

int CToolBar::GetCount() const
{
    return (int)::SendMessageA(m_hWnd, TB_BUTTONCOUNT, 0, 0);
}

BOOL CToolBar::GetButton(int nIndex, TBBUTTON* pButton) const
{
    if (!::SendMessageA(m_hWnd, TB_GETBUTTON, (WPARAM)nIndex, reinterpret_cast<LPARAM>(pButton))) {
        return FALSE;
    }
    pButton->fsState ^= TBSTATE_ENABLED; // kept as a disabled bit
    return TRUE;
}

int CToolBar::CommandToIndex(UINT nIDFind) const
{
    return (int)::SendMessageA(m_hWnd, TB_COMMANDTOINDEX, (WPARAM)nIDFind, 0);
}

UINT CToolBar::GetItemID(int nIndex) const
{
    TBBUTTON button;
    return GetButton(nIndex, &button) ? (UINT)button.idCommand : 0;
}

void CToolBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    if (!::SendMessageA(m_hWnd, TB_GETITEMRECT, (WPARAM)nIndex, reinterpret_cast<LPARAM>(lpRect))) {
        ::SetRectEmpty(lpRect);
    }
}

UINT CToolBar::GetButtonStyle(int nIndex) const
{
    TBBUTTON button;
    if (!GetButton(nIndex, &button)) {
        return 0;
    }
    return MAKELONG(button.fsStyle, button.fsState);
}

void CToolBar::SetButtonStyle(int nIndex, UINT nStyle)
{
    TBBUTTON button;
    if (!GetButton(nIndex, &button)) {
        return;
    }
    const BYTE fsStyle = (BYTE)LOWORD(nStyle);
    const BYTE fsState = (BYTE)HIWORD(nStyle);
    if (button.fsStyle == fsStyle && button.fsState == fsState) {
        return;
    }
    TBBUTTONINFOA info = {};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_BYINDEX | TBIF_STYLE | TBIF_STATE;
    info.fsStyle = fsStyle;
    info.fsState = (BYTE)(fsState ^ TBSTATE_ENABLED);
    SendMessage(TB_SETBUTTONINFOA, (WPARAM)nIndex, reinterpret_cast<LPARAM>(&info));
}

CSize CToolBar::CalcFixedLayout(BOOL, BOOL bHorz)
{
    const DWORD dwSize = (DWORD)SendMessage(TB_GETBUTTONSIZE);
    if (bHorz) {
        return CSize(32767, HIWORD(dwSize) + 2 * kBorderY);
    }
    return CSize(LOWORD(dwSize) + 2 * kBorderY, 32767);
}

CSize CToolBar::CalcFloatingLayout(int cxMax, BOOL bApply)
{
    const DWORD dwSize = (DWORD)SendMessage(TB_GETBUTTONSIZE);
    const int cxButton = LOWORD(dwSize);
    const int cyButton = HIWORD(dwSize);
    std::vector<WrapItem> items;
    for (int i = 0, nCount = GetCount(); i < nCount; ++i) {
        TBBUTTON button;
        WrapItem item;
        if (GetButton(i, &button)) {
            item.separator = (button.fsStyle & TBSTYLE_SEP) != 0;
            item.width = item.separator ? button.iBitmap : cxButton;
        }
        items.push_back(item);
    }
    const std::vector<bool> wraps = WrapItems(items, cxMax - kBorderY);
    if (bApply) {
        ApplyWraps(wraps);
        return MeasureItems();
    }
    int cxRow = 0;
    int cxWidest = 0;
    int nRows = 1;
    for (size_t i = 0; i < items.size(); ++i) {
        if (!(wraps[i] && items[i].separator)) {
            cxRow += items[i].width;
        }
        cxWidest = cxRow > cxWidest ? cxRow : cxWidest;
        if (wraps[i]) {
            cxRow = 0;
            ++nRows;
        }
    }
    return CSize(cxWidest + kBorderY, nRows * cyButton + kBorderY); // as MeasureItems
}

void CToolBar::ApplyWraps(const std::vector<bool>& wraps)
{
    for (size_t i = 0; i < wraps.size(); ++i) {
        TBBUTTON button;
        if (!GetButton((int)i, &button)) {
            continue;
        }
        const BYTE fsState = (BYTE)(button.fsState ^ TBSTATE_ENABLED); // the control's own bits
        const BYTE fsNew =
            wraps[i] ? (BYTE)(fsState | TBSTATE_WRAP) : (BYTE)(fsState & ~TBSTATE_WRAP);
        if (fsNew == fsState) {
            continue;
        }
        TBBUTTONINFOA info = {};
        info.cbSize = sizeof(info);
        info.dwMask = TBIF_BYINDEX | TBIF_STATE;
        info.fsState = fsNew;
        SendMessage(TB_SETBUTTONINFOA, (WPARAM)i, reinterpret_cast<LPARAM>(&info));
    }
    Invalidate();
}

CSize CToolBar::MeasureItems() const
{
    CRect rectAll(0, 0, 0, 0);
    for (int i = 0, nCount = GetCount(); i < nCount; ++i) {
        CRect rect;
        GetItemRect(i, &rect);
        if (!rect.IsRectEmpty()) {
            ::UnionRect(&rectAll, &rectAll, &rect);
        }
    }
    return CSize(rectAll.right + kBorderY, rectAll.bottom + kBorderY);
}

void CToolBar::OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle)
{
    CControlBar::OnBarStyleChange(dwOldStyle, dwNewStyle);
    if (m_pDockSite != nullptr) {
        SendMessage(TB_SETPARENT, reinterpret_cast<WPARAM>(m_pDockSite->m_hWnd));
    }
    if (!IsFloating()) {
        ApplyWraps(std::vector<bool>((size_t)GetCount(), !IsHorizontal()));
    }
}

BOOL CToolBar::IsOverItem(CPoint point) const
{
    POINT pt = point;
    const int nHit = (int)::SendMessageA(m_hWnd, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&pt));
    TBBUTTON button;
    return nHit >= 0 && GetButton(nHit, &button) && !(button.fsStyle & TBSTYLE_SEP);
}

// Buttons get their update handlers: the toolbar's own first, then the frame's route.
void CToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CToolCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = (UINT)GetCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++) {
        TBBUTTON button;
        if (!GetButton((int)state.m_nIndex, &button) || (button.fsStyle & TBSTYLE_SEP)) {
            continue;
        }
        state.m_nID = (UINT)button.idCommand;
        if (CWnd::OnCmdMsg(state.m_nID, CN_UPDATE_COMMAND_UI, &state, nullptr)) {
            continue;
        }
        state.DoUpdate(pTarget, bDisableIfNoHndler);
    }
}

void CToolBar::OnMouseMove(UINT nFlags, CPoint point)
{
    CControlBar::OnMouseMove(nFlags, point);
    if ((m_dwStyle & CBRS_FLYBY) == 0 || m_hWnd == nullptr) {
        return;
    }
    POINT pt = point;
    const int nHit = (int)SendMessage(TB_HITTEST, 0, reinterpret_cast<LPARAM>(&pt));
    UINT nID = 0;
    TBBUTTON button;
    if (nHit >= 0 && GetButton(nHit, &button) && !(button.fsStyle & TBSTYLE_SEP)) {
        nID = (UINT)button.idCommand;
    }
    ShowFlybyPrompt(nID);
    if (nID != 0) {
        TRACKMOUSEEVENT tme = {};
        tme.cbSize = sizeof(tme);
        tme.dwFlags = TME_LEAVE;
        tme.hwndTrack = m_hWnd;
        ::TrackMouseEvent(&tme);
    }
}

LRESULT CToolBar::OnMouseLeave(WPARAM, LPARAM)
{
    const LRESULT lResult = Default();
    ShowFlybyPrompt(0);
    return lResult;
}

// The button's prompt while the pointer is over it, "Ready" again when it leaves.
void CToolBar::ShowFlybyPrompt(UINT nID)
{
    if (nID == m_nFlybyID) {
        return;
    }
    m_nFlybyID = nID;
    CFrameWnd* pFrame = GetTargetFrame();
    if (pFrame != nullptr) {
        pFrame->SetMessageText(nID != 0 ? nID : (UINT)AFX_IDS_IDLEMESSAGE);
    }
}
