// The host's own settings in the registry, where modules may read them. Under HKEY_CURRENT_USER:
//   <kCvxHostKey>\R18.2                                       "CurVer" = name of the current version key
//   <kCvxHostKey>\R18.2\<CurVer>\Profiles                     default value = name of the current profile
//   <kCvxHostKey>\R18.2\<CurVer>\Profiles\<profile>\Drawing Window   "Background" = dword 0x00BBGGRR
// The host writes these with defaults at start when they are missing (black background).
#pragma once

#include "cvx/win.h"

inline constexpr const wchar_t* kCvxHostKey = L"Software\\Tarnwick\\CurvixHost";

// Makes the keys above exist (values already there are kept).
void cvxEnsureHostProfile();
// The drawing-window background colour of the current profile (0x00BBGGRR); black when missing.
COLORREF cvxHostBackgroundColor();
