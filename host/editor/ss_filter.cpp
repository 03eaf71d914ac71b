#include "editor/ss_filter.h"

#include <cwctype>
#include <optional>
#include <string>
#include <vector>

#include "cvx/dbents.h"
#include "cvx/editor.h"

namespace cvx::editor {
namespace {

std::wstring upper(const ACHAR* s) {
    std::wstring u = s ? s : L"";
    for (auto& c : u) c = static_cast<wchar_t>(std::towupper(c));
    return u;
}

std::optional<std::wstring> textGroup(const AcDbEntity* ent, int code) {
    switch (code) {
    case 0: return acdbDxfNameOf(ent);
    case 8: return std::wstring(ent->layer());
    case 6: return std::wstring(ent->linetype() ? ent->linetype() : L"BYLAYER");
    case 1:
        if (auto* t = AcDbText::cast(ent)) return t->text();
        if (auto* m = AcDbMText::cast(ent)) return m->contentsText();
        return std::nullopt;
    case 2:
        if (auto* r = AcDbBlockReference::cast(ent)) {
            AcDbObjectPointer<AcDbBlockTableRecord> rec(r->blockTableRecord(), AcDb::kForRead);
            if (rec) return rec->name();
        }
        if (auto* h = AcDbHatch::cast(ent)) return std::wstring(h->patternName());
        return std::nullopt;
    default: return std::nullopt;
    }
}

std::optional<double> numberGroup(const AcDbEntity* ent, int code) {
    switch (code) {
    case 62: return ent->colorIndex();
    case 67: return ent->isInPaperSpace() ? 1 : 0;
    case 70:
        if (auto* c = AcDbCurve::cast(ent); c && (AcDbPolyline::cast(ent) || AcDbHeavyPolyline::cast(ent)))
            return c->isClosed() ? 1 : 0;
        return std::nullopt;
    case 40:
        if (auto* c = AcDbCircle::cast(ent)) return c->radius();
        if (auto* a = AcDbArc::cast(ent)) return a->radius();
        if (auto* t = AcDbText::cast(ent)) return t->height();
        return std::nullopt;
    default: return std::nullopt;
    }
}

bool compare(double v, double x, const std::wstring& op) {
    if (op == L"=") return v == x;
    if (op == L"!=" || op == L"/=" || op == L"<>") return v != x;
    if (op == L"<") return v < x;
    if (op == L"<=") return v <= x;
    if (op == L">") return v > x;
    if (op == L">=") return v >= x;
    if (op == L"&") return (static_cast<long>(v) & static_cast<long>(x)) != 0;
    if (op == L"&=") return (static_cast<long>(v) & static_cast<long>(x)) == static_cast<long>(x);
    return op == L"*";
}

class Evaluator {
public:
    explicit Evaluator(const AcDbEntity* ent) : mEnt(ent) {}
    bool wellFormed = true;

    // Items up to the closing bracket (or the end of the list for the outermost level), combined by kind.
    bool sequence(const resbuf*& rb, const std::wstring& kind) {
        std::vector<bool> results;
        while (rb) {
            if (rb->restype == -4) {
                std::wstring s = upper(rb->resval.rstring);
                rb = rb->rbnext;
                if (s.size() > 1 && s[0] == L'<' && s.find_first_not_of(L"<=>") != std::wstring::npos) {
                    results.push_back(sequence(rb, s.substr(1)));
                    continue;
                }
                if (s.size() > 1 && s.back() == L'>' && s.find_first_not_of(L"<=>") != std::wstring::npos) {
                    if (s.substr(0, s.size() - 1) != kind) wellFormed = false;
                    return combine(results, kind);
                }
                if (!rb) { wellFormed = false; break; }
                results.push_back(item(rb, s));
                rb = rb->rbnext;
                continue;
            }
            results.push_back(item(rb, L"="));
            rb = rb->rbnext;
        }
        if (!kind.empty()) wellFormed = false;
        return combine(results, L"AND");
    }

private:
    bool combine(const std::vector<bool>& r, const std::wstring& kind) {
        size_t trues = 0;
        for (bool b : r) trues += b;
        if (kind == L"OR") return trues > 0;
        if (kind == L"XOR") {
            if (r.size() != 2) wellFormed = false;
            return trues == 1;
        }
        if (kind == L"NOT") {
            if (r.size() != 1) wellFormed = false;
            return trues == 0;
        }
        if (kind != L"AND" && !kind.empty()) wellFormed = false;
        return trues == r.size();
    }

    bool item(const resbuf* rb, const std::wstring& op) {
        int code = rb->restype == RTDXF0 ? 0 : rb->restype;
        switch (acutResbufValueKind(code)) {
        case ResbufValueKind::String: {
            auto v = textGroup(mEnt, code);
            if (!v) return false;
            bool match = acutWcMatch(v->c_str(), rb->resval.rstring ? rb->resval.rstring : L"") == RTNORM;
            return op == L"!=" || op == L"/=" || op == L"<>" ? !match : (op == L"*" || match);
        }
        case ResbufValueKind::Short: {
            auto v = numberGroup(mEnt, code);
            return v && compare(*v, rb->resval.rint, op);
        }
        case ResbufValueKind::Long: {
            auto v = numberGroup(mEnt, code);
            return v && compare(*v, rb->resval.rlong, op);
        }
        case ResbufValueKind::Real: {
            auto v = numberGroup(mEnt, code);
            return v && compare(*v, rb->resval.rreal, op);
        }
        default: return false;
        }
    }

    const AcDbEntity* mEnt;
};

}  // namespace

bool entityPassesFilter(const AcDbEntity* ent, const resbuf* filter) {
    if (!filter) return true;
    Evaluator e(ent);
    const resbuf* rb = filter;
    bool pass = e.sequence(rb, L"");
    return pass && e.wellFormed;
}

}  // namespace cvx::editor
