// UCS: the user coordinate system as World, a new origin, three points or a rotation about Z.
#include <cmath>

#include "editor/commands/commands.h"
#include "editor/input.h"
#include "editor/state.h"

namespace cvx::editor::commands {
namespace {

// A point typed in the current user system, as a world point; Enter gives `fallback` (a world point).
int userPoint(const wchar_t* prompt, const AcGePoint3d& fallback, AcGePoint3d& world) {
    ads_point p;
    int rc = acedGetPoint(nullptr, prompt, p);
    if (rc == RTNONE) world = fallback;
    else if (rc == RTNORM) world = editorState().ucs.toWorld() * asPnt3d(p);
    return rc == RTNONE ? RTNORM : rc;
}

void ucsCommand() {
    Ucs& ucs = editorState().ucs;
    acedInitGet(0, L"World Origin 3point Z");
    ads_point typed;
    int rc = acedGetPoint(nullptr, L"Specify origin of UCS or [World/Origin/3point/Z] <World>: ", typed);
    if (rc == RTNONE) {
        ucs = Ucs();
        return;
    }
    if (rc == RTNORM) {  // a point: the new origin, the axes stay
        ucs.origin = ucs.toWorld() * asPnt3d(typed);
        return;
    }
    if (rc != RTKWORD) return;
    ACHAR kw[32];
    acedGetInput(kw, 32);
    std::wstring k = kw;
    if (k == L"World") {
        ucs = Ucs();
    } else if (k == L"Origin") {
        AcGePoint3d o;
        if (userPoint(L"Specify new origin point <0,0,0>: ", ucs.origin, o) == RTNORM) ucs.origin = o;
    } else if (k == L"3point") {
        AcGePoint3d o, onX, onXY;
        if (userPoint(L"Specify new origin point <0,0,0>: ", ucs.origin, o) != RTNORM) return;
        if (userPoint(L"Specify point on positive portion of X-axis: ", o + ucs.xAxis, onX) != RTNORM) return;
        if (userPoint(L"Specify point on positive-Y portion of the UCS XY plane: ", o + ucs.yAxis, onXY) != RTNORM)
            return;
        Ucs made;
        if (!Ucs::fromThreePoints(o, onX, onXY, made)) {
            acutPrintf(L"The three points lie on a line; the UCS is unchanged.\n");
            return;
        }
        ucs = made;
    } else if (k == L"Z") {
        ads_real angle = M_PI / 2;
        rc = acedGetAngle(nullptr, L"Specify rotation angle about Z axis <90>: ", &angle);
        if (rc != RTNORM && rc != RTNONE) return;
        AcGeMatrix3d r = AcGeMatrix3d::rotation(angle, ucs.xAxis.crossProduct(ucs.yAxis));
        ucs.xAxis = r * ucs.xAxis;
        ucs.yAxis = r * ucs.yAxis;
    }
}

}  // namespace

void registerUcsCommands(Registrar& add) { add(L"UCS", ucsCommand); }

}  // namespace cvx::editor::commands
