// Selecting: acedSSGet with its modes and the interactive "Select objects:" answers, and acedEntSel.
#include <algorithm>
#include <cwctype>
#include <functional>

#include "cvx/dbents.h"
#include "cvx/editor.h"
#include "editor/hit_test.h"
#include "editor/output.h"
#include "editor/point_syntax.h"
#include "editor/prompt.h"
#include "editor/selection.h"

using namespace cvx::editor;

namespace {

std::wstring upper(std::wstring s) {
    for (auto& c : s) c = static_cast<wchar_t>(std::towupper(c));
    return s;
}

using EntityTest = std::function<bool(const AcDbEntity*)>;

IdList entitiesWhere(const EntityTest& test, const resbuf* filter) {
    IdList out;
    for (AcDbObjectId id : selectableEntities()) {
        AcDbObjectPointer<AcDbEntity> ent(id, AcDb::kForRead);
        if (ent && test(ent.object()) && passesFilter(id, filter)) out.push_back(id);
    }
    return out;
}

IdList windowSelection(const AcGePoint3d& a, const AcGePoint3d& b, bool crossing, const resbuf* filter) {
    AcGePoint2d lo(std::min(a.x, b.x), std::min(a.y, b.y)), hi(std::max(a.x, b.x), std::max(a.y, b.y));
    return entitiesWhere([&](const AcDbEntity* e) { return crossing ? crossesBox(e, lo, hi) : insideBox(e, lo, hi); },
                         filter);
}

enum class PolyMode { Window, Crossing, Fence };

IdList polygonSelection(const std::vector<AcGePoint2d>& pts, PolyMode mode, const resbuf* filter) {
    return entitiesWhere(
        [&](const AcDbEntity* e) {
            switch (mode) {
            case PolyMode::Window: return insidePolygon(e, pts);
            case PolyMode::Crossing: return crossesPolygon(e, pts);
            case PolyMode::Fence: return crossesFence(e, pts);
            }
            return false;
        },
        filter);
}

IdList filtered(const IdList& ids, const resbuf* filter) {
    IdList out;
    for (AcDbObjectId id : ids)
        if (!id.isErased() && passesFilter(id, filter)) out.push_back(id);
    return out;
}

IdList lastEntity(const resbuf* filter) {
    ads_name last;
    AcDbObjectId id;
    if (acdbEntLast(last) != RTNORM || acdbGetObjectId(id, last) != Acad::eOk) return {};
    return filtered({id}, filter);
}

std::vector<AcGePoint2d> pointsOfList(const void* list) {
    std::vector<AcGePoint2d> pts;
    for (auto* rb = static_cast<const resbuf*>(list); rb; rb = rb->rbnext)
        if (rb->restype == RTPOINT || rb->restype == RT3DPOINT) pts.emplace_back(rb->resval.rpoint[0], rb->resval.rpoint[1]);
    return pts;
}

int finish(const IdList& ids, ads_name set) {
    if (ids.empty()) return RTERROR;
    previousSelection() = ids;
    storeSet(ids, set);
    return RTNORM;
}

// Points typed at selection prompts are in the user system; picking works in the world.
AcGePoint3d worldOf(const AcGePoint3d& user) {
    const Ucs& ucs = editorState().ucs;
    return ucs.isWorld() ? user : ucs.toWorld() * user;
}

// A window given by two user corners: a box in the world, or in a turned user system the polygon of its corners.
IdList userWindow(const AcGePoint3d& a, const AcGePoint3d& b, bool crossing, const resbuf* filter) {
    const Ucs& ucs = editorState().ucs;
    if (ucs.isWorld()) return windowSelection(a, b, crossing, filter);
    std::vector<AcGePoint2d> corners;
    for (AcGePoint3d c : {a, AcGePoint3d(b.x, a.y, a.z), b, AcGePoint3d(a.x, b.y, a.z)})
        corners.push_back(worldOf(c).convert2d());
    return polygonSelection(corners, crossing ? PolyMode::Crossing : PolyMode::Window, filter);
}

std::optional<AcGePoint3d> pointOf(const Input& in) {
    if (in.kind == Input::Point) return in.point;
    if (in.kind == Input::Text) return parsePoint(in.text, editorState().lastPoint);
    return std::nullopt;
}

// Asks for one point; RTNORM and the point, or the code that ended the prompt.
int askPoint(const std::wstring& prompt, AcGePoint3d& p) {
    PromptRules rules;
    rules.flags = 1;
    return ask({prompt, false, true}, rules, L"Invalid point.", [&](const Input& in) {
        auto q = pointOf(in);
        if (!q) return Verdict::refuse(L"Invalid point.");
        p = *q;
        editorState().lastPoint = p;
        return Verdict::accept(RTNORM);
    });
}

// Points of a polygon or fence until an empty answer.
int askPointList(std::vector<AcGePoint2d>& pts, const std::wstring& first, const std::wstring& next) {
    for (;;) {
        PromptRules rules;
        AcGePoint3d p;
        int rc = ask({pts.empty() ? first : next, false, true}, rules, L"Invalid point.", [&](const Input& in) {
            auto q = pointOf(in);
            if (!q) return Verdict::refuse(L"Invalid point.");
            p = *q;
            editorState().lastPoint = p;
            return Verdict::accept(RTNORM);
        });
        if (rc == RTNONE) return RTNORM;
        if (rc != RTNORM) return rc;
        pts.push_back(p.convert2d());
    }
}

// The interactive selection: answers until an empty one; single mode stops after the first that selects.
int selectInteractively(const resbuf* filter, bool single, IdList& chosen) {
    bool removing = false;
    const std::wstring help =
        L"*Invalid selection*\nExpects a point or Window/Last/Crossing/ALL/Fence/WPolygon/CPolygon/Add/Remove/Previous";
    for (;;) {
        IdList found;
        int rc = RTNORM;
        bool acted = false;
        PromptRules rules;
        Input taken;
        rc = ask({removing ? L"Remove objects: " : L"Select objects: ", false, true}, rules, {}, [&](const Input& in) {
            taken = in;
            if (in.kind == Input::Entity || in.kind == Input::Selection || pointOf(in)) return Verdict::accept(RTNORM);
            static const std::vector<std::wstring> words = {L"W", L"C", L"WP", L"CP", L"F", L"L", L"ALL", L"P",
                                                            L"R", L"A", L"SI", L"BOX", L"AU", L"M"};
            std::wstring w = upper(in.text);
            if (!w.empty() && w[0] == L'_') w.erase(0, 1);
            if (std::find(words.begin(), words.end(), w) != words.end()) return Verdict::accept(RTNORM);
            return Verdict::refuse(help);
        });
        if (rc == RTNONE) return RTNORM;
        if (rc != RTNORM) return rc;
        if (taken.kind == Input::Entity) {
            found = filtered({taken.entity}, filter);
            acted = true;
        } else if (taken.kind == Input::Selection) {
            found = filtered(taken.selection, filter);
            acted = true;
        } else if (auto p = pointOf(taken)) {
            AcDbObjectId hit = pickEntity(worldOf(*p), filter);
            if (hit) {
                found = {hit};
            } else {
                AcGePoint3d q;
                if ((rc = askPoint(L"Specify opposite corner: ", q)) != RTNORM) return rc;
                found = userWindow(*p, q, q.x < p->x, filter);
            }
            acted = true;
        } else {
            std::wstring w = upper(taken.text);
            if (!w.empty() && w[0] == L'_') w.erase(0, 1);
            if (w == L"R" || w == L"A") {
                removing = w == L"R";
                continue;
            }
            if (w == L"SI" || w == L"M" || w == L"AU" || w == L"BOX") continue;
            acted = true;
            if (w == L"W" || w == L"C") {
                AcGePoint3d a, b;
                if ((rc = askPoint(L"Specify first corner: ", a)) != RTNORM) return rc;
                if ((rc = askPoint(L"Specify opposite corner: ", b)) != RTNORM) return rc;
                found = userWindow(a, b, w == L"C", filter);
            } else if (w == L"WP" || w == L"CP" || w == L"F") {
                std::vector<AcGePoint2d> pts;
                if (w == L"F") rc = askPointList(pts, L"Specify first fence point: ", L"Specify next fence point: ");
                else rc = askPointList(pts, L"First polygon point: ", L"Specify endpoint of line: ");
                if (rc != RTNORM) return rc;
                for (auto& q : pts) q = worldOf(AcGePoint3d(q.x, q.y, 0)).convert2d();
                found = polygonSelection(pts, w == L"WP" ? PolyMode::Window : w == L"CP" ? PolyMode::Crossing : PolyMode::Fence,
                                         filter);
            } else if (w == L"L") {
                found = lastEntity(filter);
            } else if (w == L"ALL") {
                found = filtered(selectableEntities(), filter);
            } else if (w == L"P") {
                found = filtered(previousSelection(), filter);
            }
        }
        size_t changed = 0;
        for (AcDbObjectId id : found) {
            auto at = std::find(chosen.begin(), chosen.end(), id);
            if (removing && at != chosen.end()) {
                chosen.erase(at);
                ++changed;
            } else if (!removing && at == chosen.end()) {
                chosen.push_back(id);
                ++changed;
            }
        }
        if (removing)
            acutPrintf(L"%d found, %d removed, %d total\n", int(found.size()), int(changed), int(chosen.size()));
        else if (found.size() == chosen.size() || changed == 0)
            acutPrintf(L"%d found\n", int(found.size()));
        else
            acutPrintf(L"%d found, %d total\n", int(found.size()), int(chosen.size()));
        if (single && acted && !chosen.empty()) return RTNORM;
    }
}

}  // namespace

int acedSSGet(const ACHAR* mode, const void* pt1, const void* pt2, const resbuf* filter, ads_name set) {
    if (!set) return RTERROR;
    ads_name_clear(set);
    std::wstring m = upper(mode ? mode : L"");
    if (!m.empty() && m[0] == L'_') m.erase(0, 1);
    IdList ids;
    if (m.empty() || m == L":S" || m == L"+.:S" || m == L":S:E") {
        int rc = selectInteractively(filter, !m.empty(), ids);
        if (rc != RTNORM) return rc;
    } else if (m == L"W" || m == L"C") {
        if (!pt1 || !pt2) return RTERROR;
        ids = windowSelection(asPnt3d(static_cast<const double*>(pt1)), asPnt3d(static_cast<const double*>(pt2)),
                              m == L"C", filter);
    } else if (m == L"WP" || m == L"CP" || m == L"F") {
        auto pts = pointsOfList(pt1);
        ids = polygonSelection(pts, m == L"WP" ? PolyMode::Window : m == L"CP" ? PolyMode::Crossing : PolyMode::Fence,
                               filter);
    } else if (m == L"X") {
        ids = filtered(allLayoutEntities(), filter);
    } else if (m == L"A" || m == L"ALL") {
        ids = filtered(selectableEntities(), filter);
    } else if (m == L"L") {
        ids = lastEntity(filter);
    } else if (m == L"P") {
        ids = filtered(previousSelection(), filter);
    } else if (m == L"I") {
        return RTERROR;  // no objects are ever selected before a command here
    } else {
        return RTERROR;
    }
    return finish(ids, set);
}

int acedEntSel(const ACHAR* prompt, ads_name entity, ads_point pickedPoint) {
    PromptRules rules = takeRules();
    AcDbObjectId hit;
    AcGePoint3d at;
    bool missed = false;
    int rc = ask({prompt ? prompt : L"Select object: ", false, true}, rules, L"Invalid point.", [&](const Input& in) {
        if (in.kind == Input::Entity) {
            hit = in.entity;
            return Verdict::accept(RTNORM);
        }
        auto p = pointOf(in);
        if (!p) return Verdict::refuse(L"Invalid point.");
        at = *p;
        editorState().lastPoint = at;
        hit = pickEntity(worldOf(at), nullptr);
        missed = hit.isNull();
        return Verdict::accept(RTNORM);
    });
    if (rc != RTNORM) return rc;
    if (missed) {
        acutPrintf(L"Nothing selected.\n");
        return RTERROR;
    }
    if (entity) acdbGetAdsName(entity, hit);
    if (pickedPoint) {
        pickedPoint[0] = at.x;
        pickedPoint[1] = at.y;
        pickedPoint[2] = at.z;
    }
    return RTNORM;
}
