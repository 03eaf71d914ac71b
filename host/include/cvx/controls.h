// Dialog controls. Each class works on the windows of its kind and does nothing on others.
#pragma once

#include "cvx/wnd.h"

class CImage;

#define BST_UNCHECKED 0
#define BST_CHECKED 1
#define LB_ERR (-1)
#define CB_ERR (-1)

// Push buttons, check boxes and radio buttons. Clicking a check box toggles it; clicking a radio button checks
// it and clears the others of its group.
class CButton : public CWnd {
public:
    int GetCheck() const;
    void SetCheck(int check);
};

// Labels, group frames and picture areas.
class CStatic : public CWnd {
public:
    // Draws a copy of the image stretched into a picture area (GetDC draws there too). FALSE for other kinds
    // and empty images.
    BOOL SetImage(const CImage& image);
};

class CEdit : public CWnd {};

// An edit for numbers. The range is the one Validate checks; a text that is not a number is put back to the last
// good one when the edit loses focus (and the user is told). Setting values outside the range is allowed.
class CAcUiNumericEdit : public CEdit {
public:
    void SetRange(double low, double high);
    // TRUE when the text is a number.
    BOOL Convert();
    // TRUE when the text is a number inside the range.
    BOOL Validate();
    BOOL GetValue(double& value) const;
    // Writes the value with up to 15 significant digits (whole numbers without a decimal point).
    void SetValue(double value);
};

// A horizontal track bar. Positions always lie within the range.
class CSliderCtrl : public CWnd {
public:
    // The range is put in order; the position moves into it.
    void SetRange(int low, int high, BOOL redraw = FALSE);
    void SetRangeMin(int low, BOOL redraw = FALSE);
    void SetRangeMax(int high, BOOL redraw = FALSE);
    void GetRange(int& low, int& high) const;
    int GetRangeMin() const;
    int GetRangeMax() const;
    void SetPos(int position);
    int GetPos() const;
    void SetTicFreq(int frequency);
};

// Lists of strings, unsorted: the index of a string is where it was added. -1 selects nothing.
class CListBox : public CWnd {
public:
    int AddString(LPCTSTR text);
    int InsertString(int index, LPCTSTR text);  // -1 adds at the end
    int DeleteString(UINT index);                // the count left, LB_ERR for a bad index
    void ResetContent();
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int index);  // LB_ERR for a bad index (the selection is then cleared) and for -1
    int GetText(int index, std::wstring& text) const;  // the length, LB_ERR for a bad index
    int GetTextLen(int index) const;
    int FindStringExact(int startAfter, LPCTSTR text) const;
};

class CComboBox : public CWnd {
public:
    int AddString(LPCTSTR text);
    int InsertString(int index, LPCTSTR text);
    int DeleteString(UINT index);
    void ResetContent();
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int index);
    int GetLBText(int index, std::wstring& text) const;
    int GetLBTextLen(int index) const;
    int FindStringExact(int startAfter, LPCTSTR text) const;
};
