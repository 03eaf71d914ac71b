// The selection every polyline command starts with: a bilingual prompt, a type-filtered selection, and a
// bilingual message when nothing was selected. The set is freed when the object goes.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "cvx/dbid.h"
#include "cvx/editor.h"

struct BilingualText {
    const ACHAR* cn;
    const ACHAR* en;
};

class TypedSelection {
public:
    // prompt.cn / prompt.en may be null: no prompt is printed.
    TypedSelection(std::initializer_list<const ACHAR*> types, BilingualText prompt, BilingualText nothingSelected);
    ~TypedSelection();
    TypedSelection(const TypedSelection&) = delete;
    TypedSelection& operator=(const TypedSelection&) = delete;

    // False when the selection failed or came back empty (the message has been printed).
    bool ok() const { return mLength > 0; }
    const ads_name& set() const { return mSet; }
    // The members' object ids, in selection order (members without one are left out).
    std::vector<AcDbObjectId> ids() const;

private:
    ads_name mSet{0, 0};
    bool mHeld = false;
    int32_t mLength = 0;
};

// printBilingual of a text with one %d filled in.
void printBilingualCount(const ACHAR* cnFormat, const ACHAR* enFormat, int count);
// "\nProcessed <%d > curve(s) OK." and its Chinese counterpart.
void reportProcessedCurves(int count);
