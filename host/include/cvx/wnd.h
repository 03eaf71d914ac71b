// Windows: the dialog and its controls. A CWnd object is a handle (m_hWnd) on a window the dialog owns; several
// objects may show the same window (the one GetDlgItem returns, a member bound with DDX_Control). Calls on an
// object that shows no window do nothing and return 0 / FALSE.
//
// The host has no screen: every rectangle is in the dialog's client coordinates (pixels, y downward), and
// ScreenToClient / ClientToScreen leave rectangles as they are.
#pragma once

#include <cstdint>
#include <string>

#include "cvx/dc.h"
#include "cvx/win.h"

typedef intptr_t LRESULT;
typedef intptr_t INT_PTR;
typedef uintptr_t UINT_PTR;
typedef void* HICON;
typedef RECT* LPRECT;

#define SW_HIDE 0
#define SW_SHOWNORMAL 1
#define SW_SHOW 5

#define IDC_STATIC (-1)

// Notifications a control sends with an NMHDR (custom drawing, the end of a slider drag).
struct NMHDR {
    HWND hwndFrom;
    UINT_PTR idFrom;
    UINT code;
};
typedef NMHDR* LPNMHDR;
#define NM_CUSTOMDRAW ((UINT)-12)
#define NM_RELEASEDCAPTURE ((UINT)-16)

struct NMCUSTOMDRAW {
    NMHDR hdr;
    DWORD dwDrawStage;
    HDC hdc;
    RECT rc;
};
typedef NMCUSTOMDRAW* LPNMCUSTOMDRAW;
#define CDDS_PREPAINT 0x00000001u
#define CDRF_DODEFAULT 0

// The frame width the dialog's layout rules use.
#define SM_CXFRAME 32
#define SM_CYFRAME 33
int GetSystemMetrics(int index);

class CDialog;

class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd() = default;

    HWND GetSafeHwnd() const { return m_hWnd; }
    int GetDlgCtrlID() const;
    // A control's dialog; null for a dialog.
    CDialog* GetParent() const;

    // A dialog's caption, a control's text (button and label captions, edit contents).
    void SetWindowText(LPCTSTR text);
    void GetWindowText(std::wstring& text) const;
    int GetWindowTextLength() const;

    // Both return the previous state: EnableWindow nonzero when the window was disabled, ShowWindow nonzero when
    // it was visible.
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL IsWindowEnabled() const;
    BOOL ShowWindow(int command);
    BOOL IsWindowVisible() const;

    void GetWindowRect(LPRECT rect) const;
    void GetClientRect(LPRECT rect) const;
    void ScreenToClient(LPRECT) const {}
    void ClientToScreen(LPRECT) const {}
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
    void MoveWindow(LPCRECT rect, BOOL repaint = TRUE);

    // Paints again before the next event: erase fills a dialog's client area with its face colour first.
    void Invalidate(BOOL erase = TRUE);
    // Paints now when something is waiting to be painted.
    void UpdateWindow();

    // A drawing context on the dialog's client area, or on a picture control's own area; null for other
    // controls. What is drawn stays until the dialog is erased (Invalidate, showing it again).
    CDC* GetDC();
    int ReleaseDC(CDC* dc);

    HICON SetIcon(HICON icon, BOOL) { return icon; }

    HWND m_hWnd = nullptr;
};
