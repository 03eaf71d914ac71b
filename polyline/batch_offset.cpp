#include "polyline/batch_offset.h"

#include <algorithm>
#include <cwchar>
#include <cwctype>
#include <vector>

#include "cvx/dbmain.h"
#include "frame/append.h"
#include "frame/bilingual.h"
#include "polyline/commands.h"
#include "polyline/curve_kinds.h"
#include "polyline/polyline_points.h"

namespace {

constexpr double kSmallestSpacing = 0.0001;
constexpr double kShortestCurve = 0.0001;

// The text with full-width commas and slashes turned into commas and every blank removed.
std::wstring normalisedList(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : text) {
        if (std::iswspace(c)) continue;
        out += (c == L'\uFF0C' || c == L'/') ? L',' : c;
    }
    return out;
}

// The list's fields, empty ones included; none for an empty text.
std::vector<std::wstring> fieldsOf(const std::wstring& list) {
    std::vector<std::wstring> fields;
    if (list.empty()) return fields;
    size_t start = 0;
    for (;;) {
        size_t comma = list.find(L',', start);
        fields.push_back(list.substr(start, comma - start));
        if (comma == std::wstring::npos) return fields;
        start = comma + 1;
    }
}

void addOffsets(AcDbCurve* curve, double distance, std::vector<AcDbEntity*>& out) {
    AcDbVoidPtrArray made;
    if (curve->getOffsetCurves(distance, made) != Acad::eOk) {
        for (int i = 0; i < made.length(); ++i) delete static_cast<AcDbEntity*>(made[i]);
        return;
    }
    for (int i = 0; i < made.length(); ++i) out.push_back(static_cast<AcDbEntity*>(made[i]));
}

}  // namespace

bool parseOffsetSpacings(const std::wstring& text, OffsetSpacings& spacings) {
    spacings.fill(-1.0);
    const std::vector<std::wstring> fields = fieldsOf(normalisedList(text));
    if (fields.empty()) return false;
    const size_t given = std::min<size_t>(fields.size(), kMaxOffsetCopies);
    for (size_t i = 0; i < given; ++i) spacings[i] = std::wcstod(fields[i].c_str(), nullptr);
    for (size_t i = given; i < spacings.size(); ++i) spacings[i] = spacings[given - 1];
    for (size_t i = 1; i < spacings.size(); ++i)
        if (spacings[i] < kSmallestSpacing) spacings[i] = spacings[i - 1];
    return spacings[0] > kSmallestSpacing;
}

void orientCounterClockwise(AcDbCurve* curve) {
    const PolylinePoints pl = readPolylinePoints(curve);
    const size_t n = pl.points.size();
    if (pl.kind == PolylineKind::kNone || n < 2) return;
    AcGeVector3d sum;
    for (const AcGePoint3d& p : pl.points) sum += p.asVector();
    const AcGePoint3d mean = AcGePoint3d::kOrigin + sum / static_cast<double>(n);
    int clockwise = 0;
    for (size_t i = 0; i + 1 < n; ++i)
        if ((pl.points[i] - mean).crossProduct(pl.points[i + 1] - mean).z < 0) ++clockwise;
    if (static_cast<double>(clockwise) / static_cast<double>(n - 1) <= 0.5) return;
    if (curve->upgradeOpen() != Acad::eOk) return;
    curve->reverseCurve();
    curve->downgradeOpen();
}

int offsetCurve(AcDbCurve* curve, const OffsetSpacings& spacings, int count, OffsetSide side) {
    if (!curve || curveLength(curve) < kShortestCurve) return 0;
    orientCounterClockwise(curve);
    AcDbDatabase* db = curve->database();
    if (!db) db = acdbHostApplicationServices()->workingDatabase();
    count = std::clamp(count, 0, kMaxOffsetCopies);
    std::vector<AcDbEntity*> made;
    double distance = 0;
    for (int k = 0; k < count; ++k) {
        distance += spacings[static_cast<size_t>(k)];
        if (side != OffsetSide::kInner) addOffsets(curve, distance, made);
        if (side != OffsetSide::kOuter) addOffsets(curve, -distance, made);
    }
    int added = 0;
    for (AcDbEntity* e : made) {
        e->setColor(db->cecolor());
        e->setLayer(db->clayer());
        AcDbObjectId id;
        if (appendBesideEntity(db, e, curve->objectId(), id) == Acad::eOk) ++added;
        else delete e;
    }
    return added;
}

// ---- PLOFFSET ----

const ACHAR* offsetListPrompt() {
    return chooseText(L"\n请输入多个偏移距离（例如：偏移5次，距离分别为9,2,1,1,1，可以输入：9,2,1,1,1 或 9,2,1）: ",
                      L"\nPlease enter multiple offset distances（eg: offset 5 times, and distance are 9,2,1,1,1, "
                      L"then you can enter:9,2,1,1,1 or 9,2,1）: ");
}

namespace {

// The side keyword; false on a cancel. An empty answer means both sides.
bool askSide(OffsetSide& side) {
    acedInitGet(0, L"Double Inner Outside");
    ACHAR word[133] = {0};
    const int rc = acedGetKword(chooseText(L"\n偏移方向[双向(D),向内(I),向外(O)][D]:",
                                           L"\nOffset direction[Double(D),Inner(I),Out(O)][D]:"),
                                word, 133);
    if (rc == RTNONE || (rc == RTNORM && word[0] == 0)) {
        side = OffsetSide::kBoth;
        return true;
    }
    if (rc != RTNORM) return false;
    side = static_cast<OffsetSide>(std::towupper(word[0]));
    return true;
}

int askCopyCount() {
    acedInitGet(6, nullptr);
    int count = 1;
    getIntBilingual(L"\n单侧偏移数量[1]:", L"\nNumber of one side offset elements[1]:", count);
    return std::clamp(count, 1, kMaxOffsetCopies);
}

// The typed list of spacings; asks again until the host returns a text. False on a cancel or an unusable list.
bool askSpacingList(OffsetSpacings& spacings) {
    for (;;) {
        acedInitGet(1, nullptr);
        ACHAR text[1024] = {0};
        const int rc = acedGetString(1, offsetListPrompt(), text, 1024);
        if (rc == RTNORM) return parseOffsetSpacings(text, spacings);
        printBilingual(L"\n输入参数错误。", L"\nInput parameter error.");
        if (rc == RTCAN) return false;  // a cancelled prompt would otherwise ask for ever
    }
}

// The spacings for count copies; false when the command is to end.
bool askSpacings(int count, OffsetSpacings& spacings) {
    double distance = 0;
    if (count == 1) {
        acedInitGet(6, nullptr);
        if (getDistBilingual(nullptr, L"\n偏移距离:", L"\nOffset distance:", distance) != RTNORM ||
            distance < kSmallestSpacing)
            return false;
        spacings.fill(distance);
        return true;
    }
    for (;;) {
        acedInitGet(6, L"M");
        const int rc = getDistBilingual(nullptr, L"\n偏移距离[多个(M)]:", L"\nOffset distance[Multiple(M)]:", distance);
        if (rc == RTNONE) continue;
        if (rc == RTKWORD) return askSpacingList(spacings);
        if (rc != RTNORM || distance < 1e-5) return false;
        spacings.fill(distance);
        return true;
    }
}

}  // namespace

void ploffsetCommand() {
    TypedSelection selection = selectCurvesOfAnyKind({L"请选择曲线 >\n", L"Please select Curves >\n"},
                                                     {L"没有选择曲线。\n", L"No Curves selected.\n"});
    if (!selection.ok()) return;
    OffsetSide side;
    if (!askSide(side)) return;
    const int count = askCopyCount();
    OffsetSpacings spacings;
    spacings.fill(-1.0);
    if (!askSpacings(count, spacings)) return;
    for (AcDbObjectId id : selection.ids()) {
        AcDbObjectPointer<AcDbCurve> curve(id, AcDb::kForRead);
        if (curve) offsetCurve(curve.object(), spacings, count, side);
    }
}
