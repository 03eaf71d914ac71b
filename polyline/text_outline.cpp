#include "polyline/text_outline.h"

#include <string>

#include "cvx/arx.h"
#include "frame/extents.h"
#include "frame/sysvars.h"
#include "outline/view_image.h"
#include "polyline/selection.h"

void txt2plCommand() {
    TypedSelection selection({L"TEXT", L"MTEXT"}, {L"请选择文字 >\n", L"Please select TEXT >\n"},
                             {L"没有选择文字。\n", L"No selected.\n"});
    if (!selection.ok()) return;
    const short mirrtext = getSysVarShort(L"mirrtext");
    setSysVarShort(L"mirrtext", 1);

    AcDbExtents box;
    selectionExtents(box, selection.set());
    const AcGePoint3d lo = box.minPoint(), hi = box.maxPoint();
    const double cx = (lo.x + hi.x) / 2, cy = (lo.y + hi.y) / 2;
    const AcGePoint3d mirrorFrom(cx, cy, 0), mirrorTo(cx, cy + 1000, 0);
    const std::wstring file = makeTempFileName(L".wmf");

    setSysVarShort(L"cmdecho", 0);
    acedCommand(RTSTR, L"_ZOOM", RT3DPOINT, asDblArray(lo), RT3DPOINT, asDblArray(hi), RTNONE);
    acedCommand(RTSTR, L"_MIRROR", RTPICKS, selection.set(), RTSTR, L"", RT3DPOINT, asDblArray(mirrorFrom),
                RT3DPOINT, asDblArray(mirrorTo), RTSTR, L"Y", RTNONE);
    acedCommand(RTSTR, L"_WMFOUT", RTSTR, file.c_str(), RTPICKS, selection.set(), RTSTR, L"", RTNONE);
    // The metafile's upper-left corner goes to the view's, where the export measured from.
    AcGePoint3d viewLo, viewHi;
    activeViewportExtents(viewLo, viewHi);
    const AcGePoint3d corner(viewLo.x, viewHi.y, 0);
    acedCommand(RTSTR, L"_WMFIN", RTSTR, file.c_str(), RT3DPOINT, asDblArray(corner), RTSHORT, 2, RTSHORT, 2,
                RTSHORT, 0, RTNONE);
    acedCommand(RTSTR, L"_ERASE", RTPICKS, selection.set(), RTSTR, L"", RTNONE);
    acedCommand(RTSTR, L"_MIRROR", RTSTR, L"L", RTSTR, L"", RT3DPOINT, asDblArray(mirrorFrom), RT3DPOINT,
                asDblArray(mirrorTo), RTSTR, L"Y", RTNONE);
    setSysVarShort(L"cmdecho", 1);
    setSysVarShort(L"mirrtext", mirrtext);
}
