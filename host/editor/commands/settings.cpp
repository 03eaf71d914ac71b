// LAYER, COLOR and SETVAR.
#include "editor/color_text.h"
#include "editor/commands/command_util.h"
#include "editor/commands/commands.h"
#include "editor/point_syntax.h"
#include "editor/input.h"
#include "editor/state.h"
#include "editor/sysvars.h"

namespace cvx::editor::commands {
namespace {

// Opens a layer by name for write, making it when asked; null when it does not exist.
AcDbLayerTableRecord* openLayer(AcDbDatabase* db, const std::wstring& name, bool make) {
    AcDbLayerTable* table = nullptr;
    if (db->getLayerTable(table, AcDb::kForWrite) != Acad::eOk) return nullptr;
    AcDbLayerTableRecord* rec = nullptr;
    if (table->getAt(name.c_str(), rec, AcDb::kForWrite) != Acad::eOk && make) {
        rec = new AcDbLayerTableRecord;
        AcCmColor white;
        white.setColorIndex(7);
        rec->setColor(white);
        if (rec->setName(name.c_str()) != Acad::eOk || table->add(rec) != Acad::eOk) {
            delete rec;
            rec = nullptr;
        }
    }
    table->close();
    return rec;
}

bool askName(const wchar_t* prompt, std::wstring& name) {
    ACHAR buf[256];
    if (acedGetString(0, prompt, buf, 256) != RTNORM || !buf[0]) return false;
    name = buf;
    return true;
}

void layerCommand() {
    AcDbDatabase* db = acdbCurDwg();
    if (!db) return;
    for (;;) {
        acedInitGet(0, L"Make Set New Color ON OFF");
        ACHAR kw[32];
        int rc = acedGetKword(L"Enter an option [Make/Set/New/Color/ON/OFF]: ", kw, 32);
        if (rc != RTNORM) return;
        std::wstring k = kw, name;
        if (k == L"Make" || k == L"Set" || k == L"New") {
            if (!askName(L"Enter name for layer: ", name)) continue;
            AcDbLayerTableRecord* rec = openLayer(db, name, k != L"Set");
            if (!rec) {
                if (!refuseAnswer(L"Cannot find layer \"" + name + L"\".", name)) return;
                continue;
            }
            AcDbObjectId id = rec->objectId();
            rec->close();
            if (k != L"New") db->setClayer(id);
        } else if (k == L"Color") {
            ACHAR text[64];
            if (acedGetString(0, L"Enter color name or number (1-255): ", text, 64) != RTNORM) continue;
            auto c = parseColor(text);
            if (!c || c->isByLayer() || c->isByBlock()) {
                if (!refuseAnswer(L"Invalid color.", text)) return;
                continue;
            }
            if (!askName(L"Enter name list of layer(s) for color: ", name)) continue;
            if (AcDbLayerTableRecord* rec = openLayer(db, name, false)) {
                rec->setColor(*c);
                rec->close();
            } else if (!refuseAnswer(L"Cannot find layer \"" + name + L"\".", name)) {
                return;
            }
        } else if (k == L"ON" || k == L"OFF") {
            if (!askName(L"Enter name list of layer(s) to turn on or off: ", name)) continue;
            if (AcDbLayerTableRecord* rec = openLayer(db, name, false)) {
                rec->setIsOff(k == L"OFF");
                rec->close();
            } else if (!refuseAnswer(L"Cannot find layer \"" + name + L"\".", name)) {
                return;
            }
        }
    }
}

void colorCommand() {
    AcDbDatabase* db = acdbCurDwg();
    if (!db) return;
    ACHAR text[64];
    std::wstring ask = L"Enter default object color [Truecolor] <" + colorText(db->cecolor()) + L">: ";
    if (acedGetString(0, ask.c_str(), text, 64) != RTNORM || !text[0]) return;
    std::optional<AcCmColor> c;
    std::wstring t = text;
    if (t == L"t" || t == L"T" || t == L"Truecolor" || t == L"TRUECOLOR") {
        if (acedGetString(0, L"Red,Green,Blue: ", text, 64) != RTNORM) return;
        c = parseTrueColor(text);
    } else {
        c = parseColor(t);
    }
    if (!c) {
        refuseAnswer(L"Invalid color.", text);
        return;
    }
    db->setCecolor(*c);
}

void setvarCommand() {
    ACHAR name[64];
    if (acedGetString(0, L"Enter variable name: ", name, 64) != RTNORM || !name[0]) return;
    auto v = getSysVar(name);
    if (!v) {
        refuseAnswer(L"Unknown variable name.", name);
        return;
    }
    ACHAR text[512];
    std::wstring ask = L"Enter new value for " + std::wstring(name) + L" <" + sysVarText(*v) + L">: ";
    for (;;) {
        if (acedGetString(v->type == RTSTR, ask.c_str(), text, 512) != RTNORM || !text[0]) return;
        SysVarValue nv;
        nv.type = v->type;
        bool parsed = true;
        if (v->type == RTSHORT) {
            auto i = parseInteger(text);
            parsed = i && *i >= -32768 && *i <= 32767;
            if (parsed) nv.shortValue = static_cast<int>(*i);
        } else if (v->type == RTREAL) {
            auto r = parseReal(text);
            parsed = r.has_value();
            if (parsed) nv.real = *r;
        } else if (v->type == RTPOINT || v->type == RT3DPOINT) {
            auto p = parsePoint(text, editorState().lastPoint);
            parsed = p.has_value();
            if (parsed) nv.point = *p;
        } else {
            nv.text = text;
        }
        if (parsed && setSysVar(name, nv)) return;
        if (!refuseAnswer(L"Invalid value for " + std::wstring(name) + L".", text)) return;
    }
}

}  // namespace

void registerSettingCommands(Registrar& add) {
    add(L"LAYER", layerCommand);
    add(L"COLOR", colorCommand);
    add(L"SETVAR", setvarCommand);
}

}  // namespace cvx::editor::commands
