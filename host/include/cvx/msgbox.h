// Message boxes and file dialogs. The host has no windows of its own yet: the caption and text go to the command
// line, and the answer comes from the script (";@msgbox yes|no|ok|cancel", ";@file \"path\"") or, at the
// terminal, from a prompt. A script that gives no answer gets the first button of a message box (OK or Yes) and
// a cancelled file dialog.
#pragma once

#include <string>

#include "cvx/win.h"

// type: MB_OK, MB_OKCANCEL, MB_YESNO or MB_YESNOCANCEL, optionally with an MB_ICON* bit. Returns IDOK, IDCANCEL,
// IDYES or IDNO.
int AfxMessageBox(LPCWSTR text, UINT type = MB_OK, UINT helpId = 0);
int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);

#define OFN_READONLY 0x00000001u
#define OFN_OVERWRITEPROMPT 0x00000002u
#define OFN_HIDEREADONLY 0x00000004u
#define OFN_NOCHANGEDIR 0x00000008u
#define OFN_PATHMUSTEXIST 0x00000800u
#define OFN_FILEMUSTEXIST 0x00001000u
#define OFN_EXPLORER 0x00080000u

// An open or save dialog. The filter is "Description|pattern;pattern|Description|pattern||" as usual.
// An answer without an extension gets the default extension. An open dialog with OFN_FILEMUSTEXIST refuses a
// file that does not exist (a script stops; a person is asked again).
class CFileDialog {
public:
    explicit CFileDialog(BOOL openFileDialog, LPCWSTR defaultExt = nullptr, LPCWSTR fileName = nullptr,
                         DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCWSTR filter = nullptr,
                         void* parent = nullptr, DWORD size = 0, BOOL vistaStyle = TRUE);
    virtual ~CFileDialog() = default;

    // IDOK with a chosen path, or IDCANCEL.
    virtual int DoModal();
    std::wstring GetPathName() const { return mPath; }
    std::wstring GetFileName() const;   // the name without its folder
    std::wstring GetFileExt() const;    // the extension without its dot
    std::wstring GetFileTitle() const;  // the name without folder and extension
    bool isOpenDialog() const { return mOpen; }

    // As the Windows structure offers them to code that adjusts the dialog before DoModal.
    struct {
        DWORD Flags = 0;
        LPCWSTR lpstrTitle = nullptr;
    } m_ofn;

private:
    bool mOpen;
    std::wstring mDefaultExt, mInitialName, mFilter, mPath;
};
