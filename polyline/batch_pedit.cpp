// PLGXK, PLCLOSE and PLOPEN: the host's PEDIT run once on a whole selection of polylines.
#include "frame/bilingual.h"
#include "frame/sysvars.h"
#include "polyline/commands.h"
#include "polyline/selection.h"

namespace {

constexpr double kSmallestWidth = 1e-11;

TypedSelection selectPolylines() {
    return TypedSelection({L"POLYLINE", L"LWPOLYLINE"}, {L"请选择多段线 >\n", L"Please select polyline >\n"},
                          {L"没有选择多段线。\n", L"No polyline selected.\n"});
}

// PEDIT Multiple on the set with one option ("C" or "O").
void peditOption(const TypedSelection& selection, const ACHAR* option) {
    setSysVarShort(L"cmdecho", 0);
    acedCommand(RTSTR, L"_PEDIT", RTSTR, L"M", RTPICKS, selection.set(), RTSTR, L"", RTSTR, option, RTSTR, L"",
                RTNONE);
    setSysVarShort(L"cmdecho", 1);
}

}  // namespace

void plgxkCommand() {
    TypedSelection selection = selectPolylines();
    if (!selection.ok()) return;
    double width = 0;
    acedInitGet(4, nullptr);
    // An empty answer or a cancel leaves the width at 0; the edit runs all the same.
    getDistBilingual(nullptr, L"\n请输入新的线宽:", L"\nPlease enter a new line width:", width);
    if (width < kSmallestWidth) width = 0;
    setSysVarShort(L"cmdecho", 0);
    acedCommand(RTSTR, L"_PEDIT", RTSTR, L"M", RTPICKS, selection.set(), RTSTR, L"", RTSTR, L"W", RTREAL, width,
                RTSTR, L"", RTNONE);
    setSysVarShort(L"cmdecho", 1);
}

void plcloseCommand() {
    TypedSelection selection = selectPolylines();
    if (selection.ok()) peditOption(selection, L"C");
}

void plopenCommand() {
    TypedSelection selection = selectPolylines();
    if (selection.ok()) peditOption(selection, L"O");
}
