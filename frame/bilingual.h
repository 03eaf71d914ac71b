// Talking to the user in the language the module runs in. Every operation takes the Chinese text first and
// the English text second and shows the one the language flag picks.
#pragma once

#include "cvx/editor.h"

// The text of the current language.
const ACHAR* chooseText(const ACHAR* cn, const ACHAR* en);

// Prints the text on the command line as it stands (a '%' in it is printed, not formatted).
void printBilingual(const ACHAR* cn, const ACHAR* en);
// A message box with an OK button; the Chinese one carries the caption "Curvix[V%s]" filled
// with the version text "V1.10".
void messageBoxBilingual(const ACHAR* cn, const ACHAR* en);

// The prompts below return the host's result code (RTNORM, RTNONE, RTCAN, ...). Callers set their own
// acedInitGet rules and keywords first. basePoint may be null (no rubber band).
int getDistBilingual(const ads_point basePoint, const ACHAR* cn, const ACHAR* en, double& distance);
int getPointBilingual(const ads_point basePoint, const ACHAR* cn, const ACHAR* en, AcGePoint3d& point);
int getIntBilingual(const ACHAR* cn, const ACHAR* en, int& value);
int entSelBilingual(const ACHAR* cn, const ACHAR* en, ads_name entity, AcGePoint3d& pickedPoint);

// A Yes/No question: true for an answer beginning with "Y", false for any other keyword, and the default on
// an empty answer or a cancel.
bool askYesNo(const ACHAR* cn, const ACHAR* en, bool defaultAnswer);
