#include "dxf/header_vars.h"

#include <charconv>
#include <cstring>

#include "cvx/dbents.h"
#include "db/dxf_support.h"
#include "cvx/wide.h"
#include "dxf/text_codec.h"

int dxfVersionFromName(std::string_view v) {
    if (v.size() < 6 || v.substr(0, 2) != "AC") return 0;
    int n = 0;
    auto r = std::from_chars(v.data() + 2, v.data() + v.size(), n);
    if (r.ec != std::errc()) return 0;
    if (n <= 1009) return AcDb::kDHL_1012;
    if (n <= 1014) return AcDb::kDHL_1014;
    if (n == 1015) return AcDb::kDHL_1015;
    if (n <= 1018) return AcDb::kDHL_1018;
    if (n <= 1021) return AcDb::kDHL_1021;
    if (n <= 1024) return AcDb::kDHL_1024;
    if (n <= 1027) return AcDb::kDHL_1027;
    return AcDb::kDHL_1032;
}

const char* dxfVersionName(int version) {
    switch (version) {
        case AcDb::kDHL_1012: return "AC1009";
        case AcDb::kDHL_1014: return "AC1014";
        case AcDb::kDHL_1015: return "AC1015";
        case AcDb::kDHL_1018: return "AC1018";
        case AcDb::kDHL_1021: return "AC1021";
        case AcDb::kDHL_1024: return "AC1024";
        case AcDb::kDHL_1027: return "AC1027";
        default: return "AC1032";
    }
}

namespace {
AcCmColor colorFromIndex(int64_t aci) {
    AcCmColor c;
    if (aci == 0) c.setByBlock();
    else if (aci > 0 && aci < 256) c.setColorIndex(static_cast<int16_t>(aci));
    return c;
}
}  // namespace

void dxfReadHeader(const DxfElement& e, AcDbDatabase& db, DxfHeaderNames& names) {
    const auto& gs = e.groups;
    for (size_t i = 0; i < gs.size();) {
        if (gs[i].code != 9) {  // "2 HEADER" and stray groups
            ++i;
            continue;
        }
        std::string_view name = gs[i].text;
        size_t first = ++i;
        while (i < gs.size() && gs[i].code != 9) ++i;
        if (first == i) continue;
        const AcDbDxfGroup& v = gs[first];
        if (name == "$ACADVER") db.setOriginalFileVersion(dxfVersionFromName(v.text));
        else if (name == "$DWGCODEPAGE") db.setCodePage(dxfCodePageFromName(v.text));
        else if (name == "$HANDSEED") db.setHandseed(AcDbHandle(static_cast<uint64_t>(v.integer)));
        else if (name == "$CLAYER") names.clayer = v.text;
        else if (name == "$CELTYPE") names.celtype = v.text;
        else if (name == "$TEXTSTYLE") names.textstyle = v.text;
        else if (name == "$CECOLOR") db.setCecolor(colorFromIndex(v.integer));
        else if (name == "$PDMODE") db.setPdmode(static_cast<int16_t>(v.integer));
        else if (name == "$PDSIZE") db.setPdsize(v.real);
        else if (name == "$SURFTAB1") db.setSurftab1(static_cast<int16_t>(v.integer));
        else if (name == "$SPLINESEGS") db.setSplinesegs(static_cast<int16_t>(v.integer));
        else if (name == "$MIRRTEXT") db.setMirrtext(v.integer != 0);
        else if (name == "$LTSCALE") db.setLtscale(v.real);
        else if (name == "$TEXTSIZE") db.setTextsize(v.real);
        else if (name == "$EXTMIN") db.setExtmin(v.point);
        else if (name == "$EXTMAX") db.setExtmax(v.point);
        else if (name == "$INSBASE") db.setInsbase(v.point);
        else if (name == "$INSUNITS") db.setInsunits(static_cast<int16_t>(v.integer));
        else if (name == "$TILEMODE") db.setTilemode(v.integer != 0);
        else if (name == "$ACADMAINTVER") continue;  // written anew
        else {
            AcDbDatabase::KeptHeaderVariable kept;
            kept.name = cvxFromUtf8(name);
            for (size_t k = first; k < i; ++k) cvxGroupTexts(gs[k], kept.groups);
            db.keptHeaderVariables().push_back(std::move(kept));
        }
    }
}

void dxfWriteHeader(DxfOutFiler& out, const AcDbDatabase& db, int version, AcDbHandle handseed) {
    auto var = [&](const char* name) { out.writeRaw(9, name); };
    var("$ACADVER");
    out.writeRaw(1, dxfVersionName(version));
    var("$ACADMAINTVER");
    out.writeInt16(70, 6);
    var("$DWGCODEPAGE");
    out.writeRaw(3, dxfCodePageName(1252));  // texts outside ASCII go as \\U+XXXX (or UTF-8 from 2007 on)
    var("$INSBASE");
    out.writePoint3d(10, db.insbase());
    var("$EXTMIN");
    out.writePoint3d(10, db.extmin());
    var("$EXTMAX");
    out.writePoint3d(10, db.extmax());
    var("$LTSCALE");
    out.writeDouble(40, db.ltscale());
    var("$MIRRTEXT");
    out.writeInt16(70, db.mirrtext() ? 1 : 0);
    var("$TEXTSIZE");
    out.writeDouble(40, db.textsize());
    var("$PDMODE");
    out.writeInt16(70, db.pdmode());
    var("$PDSIZE");
    out.writeDouble(40, db.pdsize());
    var("$SURFTAB1");
    out.writeInt16(70, db.surftab1());
    var("$SPLINESEGS");
    out.writeInt16(70, db.splinesegs());
    var("$TILEMODE");
    out.writeInt16(70, db.tilemode() ? 1 : 0);
    var("$INSUNITS");
    out.writeInt16(70, db.insunits());
    var("$CLAYER");
    out.writeRecordName(8, db.clayer());
    var("$CELTYPE");
    if (db.celtype().isNull()) out.writeRaw(6, "ByLayer");
    else out.writeRecordName(6, db.celtype());
    var("$TEXTSTYLE");
    if (db.textstyle().isNull()) out.writeRaw(7, "Standard");
    else out.writeRecordName(7, db.textstyle());
    var("$CECOLOR");
    AcCmColor c = db.cecolor();
    out.writeInt16(62, c.isByBlock() ? 0 : c.isByACI() ? c.colorIndex() : 256);
    var("$HANDSEED");
    out.writeHandle(5, handseed);
    for (const auto& v : db.keptHeaderVariables()) {
        out.writeString(9, v.name);
        for (const auto& [code, text] : v.groups) cvxWriteTextGroup(&out, code, text);
    }
}
