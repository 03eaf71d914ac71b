#include "editor/sysvars.h"

#include <cwctype>
#include <functional>
#include <map>

#include "cvx/dbmain.h"
#include "cvx/editor.h"
#include "editor/color_text.h"
#include "editor/point_syntax.h"
#include "editor/state.h"

namespace cvx::editor {
namespace {

std::wstring upper(std::wstring s) {
    for (auto& c : s) c = static_cast<wchar_t>(std::towupper(c));
    return s;
}

struct Var {
    short type;
    std::function<SysVarValue()> get;
    std::function<bool(const SysVarValue&)> set;  // empty: read-only
};

SysVarValue shortValue(int v) { SysVarValue r; r.type = RTSHORT; r.shortValue = v; return r; }
SysVarValue realValue(double v) { SysVarValue r; r.type = RTREAL; r.real = v; return r; }
SysVarValue pointValue(const AcGePoint3d& p, short type = RT3DPOINT) { SysVarValue r; r.type = type; r.point = p; return r; }
SysVarValue textValue(const std::wstring& s) { SysVarValue r; r.type = RTSTR; r.text = s; return r; }

AcDbDatabase* db() { return acdbCurDwg(); }

// A variable kept in the database: readable and writable only while there is a working database.
Var dbShort(std::function<int(AcDbDatabase*)> get, std::function<void(AcDbDatabase*, int)> set,
            std::function<bool(int)> valid) {
    return {RTSHORT, [get] { return shortValue(db() ? get(db()) : 0); },
            [set, valid](const SysVarValue& v) {
                if (!db() || !valid(v.shortValue)) return false;
                set(db(), v.shortValue);
                return true;
            }};
}

Var dbReal(std::function<double(AcDbDatabase*)> get, std::function<void(AcDbDatabase*, double)> set,
           std::function<bool(double)> valid) {
    return {RTREAL, [get] { return realValue(db() ? get(db()) : 0); },
            [set, valid](const SysVarValue& v) {
                if (!db() || !valid(v.real)) return false;
                set(db(), v.real);
                return true;
            }};
}

std::wstring layerName(AcDbObjectId id) {
    AcDbObjectPointer<AcDbLayerTableRecord> rec(id, AcDb::kForRead);
    return rec ? rec->name() : L"0";
}

bool setCurrentLayer(const std::wstring& name) {
    AcDbLayerTable* layers = nullptr;
    if (!db() || db()->getLayerTable(layers, AcDb::kForRead) != Acad::eOk) return false;
    AcDbObjectId id;
    bool found = layers->getAt(name.c_str(), id) == Acad::eOk;
    layers->close();
    return found && db()->setClayer(id) == Acad::eOk;
}

std::map<std::wstring, Var> buildTable() {
    auto any = [](int) { return true; };
    auto flag = [](int v) { return v == 0 || v == 1; };
    auto positive = [](double v) { return v > 0; };
    std::map<std::wstring, Var> t;
    EditorState& st = editorState();
    for (auto& [name, value] : st.shorts) {
        std::wstring n = name;
        std::function<bool(int)> valid = any;
        if (n == L"CMDECHO" || n == L"MENUBAR" || n == L"ORTHOMODE" || n == L"FILEDIA" || n == L"CMDDIA" ||
            n == L"HIGHLIGHT" || n == L"PICKFIRST" || n == L"ATTREQ" || n == L"ATTDIA" || n == L"BLIPMODE")
            valid = flag;
        if (n == L"PICKBOX") valid = [](int v) { return v >= 0 && v <= 50; };
        if (n == L"OSMODE") valid = [](int v) { return v >= 0 && v <= 32767; };
        if (n == L"EXPERT") valid = [](int v) { return v >= 0 && v <= 5; };
        if (n == L"SDI") valid = [](int v) { return v >= 0 && v <= 3; };
        t[n] = {RTSHORT, [n] { return shortValue(editorState().shorts[n]); },
                [n, valid](const SysVarValue& v) {
                    if (!valid(v.shortValue)) return false;
                    editorState().shorts[n] = v.shortValue;
                    return true;
                }};
    }
    for (auto& [name, value] : st.reals) {
        std::wstring n = name;
        t[n] = {RTREAL, [n] { return realValue(editorState().reals[n]); },
                [n](const SysVarValue& v) { editorState().reals[n] = v.real; return true; }};
    }
    for (auto& [name, value] : st.strings) {
        std::wstring n = name;
        t[n] = {RTSTR, [n] { return textValue(editorState().strings[n]); },
                [n](const SysVarValue& v) { editorState().strings[n] = v.text; return true; }};
    }
    t[L"LASTPOINT"] = {RT3DPOINT, [] { return pointValue(editorState().lastPoint); },
                       [](const SysVarValue& v) { editorState().lastPoint = v.point; return true; }};
    t[L"VIEWCTR"] = {RT3DPOINT, [] {  // in the user system
                         const EditorState& s = editorState();
                         return pointValue(s.ucs.toWorld().inverse() * AcGePoint3d(s.view.center.x, s.view.center.y, 0));
                     }, {}};
    t[L"VIEWSIZE"] = {RTREAL, [] { return realValue(editorState().view.height); }, {}};
    t[L"SCREENSIZE"] = {RTPOINT, [] {
                            const View& v = editorState().view;
                            return pointValue({double(v.screenWidth), double(v.screenHeight), 0}, RTPOINT);
                        }, {}};
    t[L"CLAYER"] = {RTSTR, [] { return textValue(db() ? layerName(db()->clayer()) : L"0"); },
                    [](const SysVarValue& v) { return setCurrentLayer(v.text); }};
    t[L"CECOLOR"] = {RTSTR, [] { return textValue(db() ? colorText(db()->cecolor()) : L"BYLAYER"); },
                     [](const SysVarValue& v) {
                         auto c = parseColor(v.text);
                         return db() && c && db()->setCecolor(*c) == Acad::eOk;
                     }};
    t[L"PDMODE"] = dbShort([](AcDbDatabase* d) { return int(d->pdmode()); },
                           [](AcDbDatabase* d, int v) { d->setPdmode(int16_t(v)); },
                           [](int v) { return v >= 0 && (v & 31) <= 4 && (v & ~(31 | 32 | 64)) == 0; });
    t[L"PDSIZE"] = dbReal([](AcDbDatabase* d) { return d->pdsize(); }, [](AcDbDatabase* d, double v) { d->setPdsize(v); },
                          [](double) { return true; });
    t[L"SURFTAB1"] = dbShort([](AcDbDatabase* d) { return int(d->surftab1()); },
                             [](AcDbDatabase* d, int v) { d->setSurftab1(int16_t(v)); },
                             [](int v) { return v >= 2 && v <= 32766; });
    t[L"SPLINESEGS"] = dbShort([](AcDbDatabase* d) { return int(d->splinesegs()); },
                               [](AcDbDatabase* d, int v) { d->setSplinesegs(int16_t(v)); },
                               [](int v) { return v != 0; });
    t[L"MIRRTEXT"] = dbShort([](AcDbDatabase* d) { return d->mirrtext() ? 1 : 0; },
                             [](AcDbDatabase* d, int v) { d->setMirrtext(v != 0); }, flag);
    t[L"TILEMODE"] = dbShort([](AcDbDatabase* d) { return d->tilemode() ? 1 : 0; },
                             [](AcDbDatabase* d, int v) { d->setTilemode(v != 0); }, flag);
    t[L"INSUNITS"] = dbShort([](AcDbDatabase* d) { return int(d->insunits()); },
                             [](AcDbDatabase* d, int v) { d->setInsunits(int16_t(v)); },
                             [](int v) { return v >= 0 && v <= 24; });
    t[L"LTSCALE"] = dbReal([](AcDbDatabase* d) { return d->ltscale(); }, [](AcDbDatabase* d, double v) { d->setLtscale(v); },
                           positive);
    t[L"TEXTSIZE"] = dbReal([](AcDbDatabase* d) { return d->textsize(); },
                            [](AcDbDatabase* d, double v) { d->setTextsize(v); }, positive);
    t[L"INSBASE"] = {RT3DPOINT, [] { return pointValue(db() ? db()->insbase() : AcGePoint3d()); },
                     [](const SysVarValue& v) {
                         if (!db()) return false;
                         db()->setInsbase(v.point);
                         return true;
                     }};
    t[L"EXTMIN"] = {RT3DPOINT, [] { return pointValue(db() ? db()->extmin() : AcGePoint3d()); }, {}};
    t[L"EXTMAX"] = {RT3DPOINT, [] { return pointValue(db() ? db()->extmax() : AcGePoint3d()); }, {}};
    t[L"DWGNAME"] = {RTSTR, [] {
                         std::wstring f = db() ? db()->fileName() : L"";
                         size_t slash = f.find_last_of(L"/\\");
                         return textValue(f.empty() ? L"Drawing1.dxf" : f.substr(slash == std::wstring::npos ? 0 : slash + 1));
                     }, {}};
    t[L"DWGPREFIX"] = {RTSTR, [] {
                           std::wstring f = db() ? db()->fileName() : L"";
                           size_t slash = f.find_last_of(L"/\\");
                           return textValue(slash == std::wstring::npos ? L"" : f.substr(0, slash + 1));
                       }, {}};
    t[L"ACADVER"] = {RTSTR, [] { return textValue(L"18.2"); }, {}};
    t[L"WORLDUCS"] = {RTSHORT, [] { return shortValue(editorState().ucs.isWorld() ? 1 : 0); }, {}};
    t[L"UCSORG"] = {RT3DPOINT, [] { return pointValue(editorState().ucs.origin); }, {}};
    t[L"UCSXDIR"] = {RT3DPOINT, [] { return pointValue(AcGePoint3d::kOrigin + editorState().ucs.xAxis); }, {}};
    t[L"UCSYDIR"] = {RT3DPOINT, [] { return pointValue(AcGePoint3d::kOrigin + editorState().ucs.yAxis); }, {}};
    return t;
}

std::map<std::wstring, Var>& table() {
    static std::map<std::wstring, Var> t = buildTable();
    return t;
}

}  // namespace

std::optional<SysVarValue> getSysVar(const std::wstring& name) {
    auto it = table().find(upper(name));
    if (it == table().end()) return std::nullopt;
    return it->second.get();
}

bool setSysVar(const std::wstring& name, const SysVarValue& value) {
    auto it = table().find(upper(name));
    if (it == table().end() || !it->second.set) return false;
    short want = it->second.type;
    SysVarValue v = value;
    // Numbers and points convert where no information is lost.
    if (want == RTSHORT && v.type != RTSHORT) return false;
    if (want == RTREAL && v.type == RTSHORT) v.real = v.shortValue;
    else if (want == RTREAL && v.type != RTREAL) return false;
    if ((want == RTPOINT || want == RT3DPOINT) && v.type != RTPOINT && v.type != RT3DPOINT) return false;
    if (want == RTSTR && v.type != RTSTR) return false;
    v.type = want;
    return it->second.set(v);
}

std::vector<std::wstring> sysVarNames() {
    std::vector<std::wstring> names;
    for (auto& [n, v] : table()) names.push_back(n);
    return names;
}

std::wstring sysVarText(const SysVarValue& v) {
    switch (v.type) {
    case RTSHORT: return std::to_wstring(v.shortValue);
    case RTREAL: return formatReal(v.real);
    case RTPOINT: return formatReal(v.point.x) + L"," + formatReal(v.point.y);
    case RT3DPOINT: return formatPoint(v.point);
    case RTSTR: return L"\"" + v.text + L"\"";
    }
    return {};
}

}  // namespace cvx::editor

int acedSetVar(const ACHAR* name, const resbuf* value) {
    if (!name || !value) return RTERROR;
    cvx::editor::SysVarValue v;
    v.type = value->restype;
    switch (value->restype) {
    case RTSHORT: v.shortValue = value->resval.rint; break;
    case RTLONG: v.type = RTSHORT; v.shortValue = value->resval.rlong; break;
    case RTREAL: case RTANG: v.type = RTREAL; v.real = value->resval.rreal; break;
    case RTPOINT: case RT3DPOINT:
        v.point = {value->resval.rpoint[0], value->resval.rpoint[1], value->restype == RT3DPOINT ? value->resval.rpoint[2] : 0};
        break;
    case RTSTR: v.text = value->resval.rstring ? value->resval.rstring : L""; break;
    default: return RTERROR;
    }
    return cvx::editor::setSysVar(name, v) ? RTNORM : RTERROR;
}

int acedGetVar(const ACHAR* name, resbuf* result) {
    if (!name || !result) return RTERROR;
    auto v = cvx::editor::getSysVar(name);
    if (!v) return RTERROR;
    result->restype = v->type;
    switch (v->type) {
    case RTSHORT: result->resval.rint = static_cast<short>(v->shortValue); break;
    case RTREAL: result->resval.rreal = v->real; break;
    case RTPOINT: case RT3DPOINT:
        result->resval.rpoint[0] = v->point.x;
        result->resval.rpoint[1] = v->point.y;
        result->resval.rpoint[2] = v->point.z;
        break;
    case RTSTR: result->resval.rstring = acutNewString(v->text.c_str()); break;
    }
    return RTNORM;
}
