// Values in the registry: strings and DWORDs under a key of one of the predefined roots.
#pragma once

#include "cvx/registry.h"
#include "cvx/status.h"

// The string value, copied into one module-wide buffer that the next read overwrites (copy the text before
// reading again). A missing key or value, or a value that is not a string, gives an empty string.
const ACHAR* readRegString(HKEY root, const ACHAR* subkey, const ACHAR* name);
// Creates the key when needed; true when the value was written.
bool writeRegString(HKEY root, const ACHAR* subkey, const ACHAR* name, const ACHAR* text);
// The DWORD value, or 0 when it is missing or of another type.
DWORD readRegDword(HKEY root, const ACHAR* subkey, const ACHAR* name);
bool writeRegDword(HKEY root, const ACHAR* subkey, const ACHAR* name, DWORD value);
