// INOFFSET: the enclosed areas of the isolated figure are found on a picture of the view, BOUNDARY is picked
// inside each, and the boundaries are offset into their areas (outer edges inward, edges of islands outward)
// and erased.
#include <algorithm>
#include <unordered_set>

#include "cvx/dbents.h"
#include "cvx/editor.h"
#include "cvx/keys.h"
#include "frame/bilingual.h"
#include "outline/boundary_choice.h"
#include "outline/command_echo.h"
#include "outline/commands.h"
#include "outline/entity_lists.h"
#include "outline/inner_offset.h"
#include "outline/region_points.h"
#include "outline/view_image.h"

namespace {

// Above this many selected entities the user is asked whether to go on.
constexpr int kMostEntitiesUnasked = 100;
constexpr double kSmallestDistance = 0.0001;
constexpr double kSmallestRepeatedDistance = 0.00001;

// The typed list of distances; asks again while the answer is empty. False on a cancel or an unusable list.
// Only the first ten distances count, so an answer longer than the buffer is read from the part that fits.
bool askDistanceList(OffsetSpacings& distances) {
    for (;;) {
        ACHAR text[1024] = {0};
        const int rc = acedGetString(1, offsetListPrompt(), text, 1024);
        const bool answered = rc == RTNORM || rc == RTINPUTTRUNCATED;
        if (rc == RTNONE || (answered && !text[0])) continue;
        return answered && parseOffsetSpacings(text, distances);
    }
}

// Adds the members of a selection set, offset to one side, beside themselves.
void offsetMembers(const ads_name set, const OffsetSpacings& distances, int count, OffsetSide side) {
    int32_t length = 0;
    if (!set || acedSSLength(set, &length) != RTNORM) return;
    for (int32_t i = 0; i < length; ++i) {
        ads_name member;
        AcDbObjectId id;
        if (acedSSName(set, i, member) != RTNORM || acdbGetObjectId(id, member) != Acad::eOk) continue;
        AcDbObjectPointer<AcDbCurve> curve(id, AcDb::kForRead);
        if (curve) offsetCurve(curve.object(), distances, count, side);
    }
}

// BOUNDARY at every region point but the first (the area around the figure). Of what a pick makes, the first
// loop (the area's outer edge) joins `boundaries` and the loops around its islands join `islands`.
void pickBoundaries(const PixelChain& points, const AcDbObjectIdArray& selected, const AcDbObjectIdArray& hidden,
                    ads_name boundaries, ads_name islands) {
    std::unordered_set<AcDbObjectId> figure;
    for (int i = 0; i < selected.length(); ++i) figure.insert(selected[i]);
    for (int i = 0; i < hidden.length(); ++i) figure.insert(hidden[i]);
    for (size_t i = 1; i < points.size(); ++i) {
        if (acedUsrBrk() || GetKeyState(VK_ESCAPE) < 0) break;
        ads_point world = {0, 0, 0};
        acedCoordFromPixelToWorld(0, points[i], world);
        ads_name last;
        if (acdbEntLast(last) != RTNORM) ads_name_clear(last);
        acedCommand(RTSTR, L"_BOUNDARY", RT3DPOINT, world, RTSTR, L"", RTNONE);
        const AcDbObjectIdArray made = entitiesAfter(last);
        for (int k = 0; k < made.length(); ++k) {
            ads_name name;
            if (figure.count(made[k]) || acdbGetAdsName(name, made[k]) != Acad::eOk) continue;
            acedSSAdd(name, k == 0 ? boundaries : islands, k == 0 ? boundaries : islands);
        }
    }
}

}  // namespace

bool askOffsetCountAndDistances(int& count, OffsetSpacings& distances) {
    distances.fill(-1.0);
    count = 1;
    acedInitGet(6, nullptr);
    const int rc = getIntBilingual(L"\n偏移次数[1]:", L"\nOffset times[1]:", count);
    if (rc == RTNONE) count = 1;
    else if (rc != RTNORM) return false;
    count = std::clamp(count, 1, kMaxOffsetCopies);
    double distance = 0;
    if (count == 1) {
        acedInitGet(6, nullptr);
        if (getDistBilingual(nullptr, L"\n请输入偏移距离:", L"\nPlease enter the offset distance:", distance) !=
                RTNORM ||
            distance < kSmallestDistance)
            return false;
        distances.fill(distance);
        return true;
    }
    for (;;) {
        acedInitGet(6, L"M");
        const int answer =
            getDistBilingual(nullptr, L"\n偏移距离[多个距离(M)]:", L"\nOffset Distance[Multi dist(M)]:", distance);
        if (answer == RTNONE) continue;
        if (answer == RTKWORD) return askDistanceList(distances);
        if (answer != RTNORM || distance < kSmallestRepeatedDistance) return false;
        distances.fill(distance);
        return true;
    }
}

void askOffsetDistances(const ads_name boundaries, const ads_name islands) {
    int32_t length = 0;
    if (acedSSLength(boundaries, &length) != RTNORM || length == 0) return;
    int count = 1;
    OffsetSpacings distances;
    if (!askOffsetCountAndDistances(count, distances)) return;
    offsetMembers(boundaries, distances, count, OffsetSide::kInner);
    offsetMembers(islands, distances, count, OffsetSide::kOuter);
}

void inoffsetCommand() {
    CommandEchoOff quiet;
    AcDbObjectIdArray selected, hidden;
    if (!selectEntities(L"\n请选择要生成内偏移的所有实体:", L"\nPleas Select all entities for InnerOffset:", selected))
        return;
    if (selected.length() > kMostEntitiesUnasked &&
        !askYesNo(L"\n选择的对象较多，计算内轮廓可能需要较长时间。确定继续吗[Y/N]（N）:",
                  L"\nMore objects selected, it may take a long time to calculate the inner contour. Are you sure "
                  L"to continue[Y/N]（N）:",
                  false))
        return;
    hideOtherEntities(selected, hidden);
    PixelChain points;
    int regions = 0;
    if (auto grid = labelCurrentView(regions)) findRegionPoints(regions, *grid, points);
    if (points.size() < 2) {
        // The areas are found on a picture of the view: one narrower than a pixel or off screen is not seen.
        printBilingual(L"\n视图中没有找到封闭区域（太窄或在视图之外的区域被跳过）。",
                       L"\nNo enclosed area was found in the view (areas too thin to show at this zoom, or outside "
                       L"the view, are skipped).");
        setEntitiesVisible(hidden, true);
        return;
    }
    ads_name boundaries, islands;
    acedSSAdd(nullptr, nullptr, boundaries);
    acedSSAdd(nullptr, nullptr, islands);
    pickBoundaries(points, selected, hidden, boundaries, islands);
    askOffsetDistances(boundaries, islands);
    acedCommand(RTSTR, L"erase", RTPICKS, boundaries, RTPICKS, islands, RTSTR, L"", RTNONE);
    acedSSFree(boundaries);
    acedSSFree(islands);
    setEntitiesVisible(hidden, true);
}
