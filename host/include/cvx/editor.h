// The editor: commands, prompts, selection sets, system variables and the command line.
// Every prompt asks the current input source (a person at the terminal, a script, a window) and returns one of
// the result codes RTNORM, RTNONE (empty answer), RTCAN (cancelled), RTKWORD (a keyword) or RTERROR.
#pragma once

#include <cstddef>

#include "cvx/dbid.h"
#include "cvx/ge.h"
#include "cvx/resbuf.h"
#include "cvx/win.h"

// ---- commands ----

#define ACRX_CMD_MODAL 0x00000000
#define ACRX_CMD_TRANSPARENT 0x00000001
#define ACRX_CMD_USEPICKSET 0x00000002
#define ACRX_CMD_REDRAW 0x00000004
#define ACRX_CMD_NOPERSPECTIVE 0x00000008
#define ACRX_CMD_NOMULTIPLE 0x00000010
#define ACRX_CMD_NOTILEMODE 0x00000020
#define ACRX_CMD_NOPAPERSPACE 0x00000040
#define ACRX_CMD_UNDEFINED 0x00000200
#define ACRX_CMD_INPROGRESS 0x01000000
#define ACRX_CMD_DEFUN 0x02000000
#define ACRX_CMD_NOINTERNALLOCK 0x00080000
#define ACRX_CMD_DOCREADLOCK 0x00080000
#define ACRX_CMD_DOCEXCLUSIVELOCK 0x00000000
#define ACRX_CMD_SESSION 0x00200000
#define ACRX_CMD_INTERRUPTIBLE 0x00400000

using AcRxFunctionPtr = void (*)();

class AcEdCommand {
public:
    virtual ~AcEdCommand() = default;
    virtual const ACHAR* globalName() const = 0;
    virtual const ACHAR* localName() const = 0;
    virtual const ACHAR* groupName() const = 0;
    virtual int commandFlags() const = 0;
    virtual AcRxFunctionPtr functionAddr() const = 0;
};

// Commands by group. Names compare without regard to case; a name typed with a leading underscore is looked up
// among the global names, any other among the local names.
class AcEdCommandStack {
public:
    virtual ~AcEdCommandStack() = default;
    // eDuplicateKey when the group already has a command of that global or local name.
    virtual Acad::ErrorStatus addCommand(const ACHAR* groupName, const ACHAR* globalName, const ACHAR* localName,
                                         int commandFlags, AcRxFunctionPtr function, void* uiContext = nullptr,
                                         int fcode = -1, void* resourceHandle = nullptr,
                                         AcEdCommand** commandOut = nullptr) = 0;
    virtual Acad::ErrorStatus removeCmd(const ACHAR* groupName, const ACHAR* globalName) = 0;
    virtual Acad::ErrorStatus removeGroup(const ACHAR* groupName) = 0;
    // globalFlag: look the name up among global names (a leading underscore is allowed either way).
    virtual AcEdCommand* lookupCmd(const ACHAR* name, bool globalFlag, bool allGroups = true) const = 0;
};

AcEdCommandStack* cvxCommandStack();
#define acedRegCmds (cvxCommandStack())

// The full file name of the running program.
const ACHAR* acedGetAppName();

// ---- output ----

// Prints to the command line. The format is a wide printf format in which %s and %c take wide arguments
// (%hs and %hc narrow ones).
int acutPrintf(const ACHAR* format, ...);
int acutSPrintf(ACHAR* buffer, size_t bufferLength, const ACHAR* format, ...);

// ---- prompts ----

// Rules for the next prompt only: bits 1 no empty answer, 2 no zero, 4 no negative, 8 no limit check,
// 32 dashed rubber band, 64 ignore Z of points, 128 arbitrary input; keywords separated by blanks, capitals
// marking the abbreviation ("Yes No", "eXit"); "local _ global" lists give global names after an underscore.
int acedInitGet(int flags, const ACHAR* keywords);
int acedGetInt(const ACHAR* prompt, int* result);
int acedGetReal(const ACHAR* prompt, ads_real* result);
// A typed number, or a point that with the base point (or a second point) gives the distance.
int acedGetDist(const ads_point basePoint, const ACHAR* prompt, ads_real* result);
// Radians, counter-clockwise from east; typed in degrees, or given by points.
int acedGetAngle(const ads_point basePoint, const ACHAR* prompt, ads_real* result);
int acedGetPoint(const ads_point basePoint, const ACHAR* prompt, ads_point result);
int acedGetCorner(const ads_point basePoint, const ACHAR* prompt, ads_point result);
// result holds at least bufferLength characters (133 by the old convention).
int acedGetKword(const ACHAR* prompt, ACHAR* result, size_t bufferLength = 133);
// allowSpaces: the answer takes the rest of the line.
int acedGetString(int allowSpaces, const ACHAR* prompt, ACHAR* result, size_t bufferLength = 133);
// The keyword or arbitrary text behind the last RTKWORD.
int acedGetInput(ACHAR* result, size_t bufferLength = 133);
// Picks one entity by a point within the pick box.
int acedEntSel(const ACHAR* prompt, ads_name entity, ads_point pickedPoint);
// True once the current input was cancelled (Escape held, or the source cancelled).
bool acedUsrBrk();

// ---- selection sets ----

// mode: null (interactive), ":S" single, "W"/"C" with two points, "WP"/"CP"/"F" with a list of points in pt1,
// "X" or "A" (all, the filter alone), "L" last, "P" previous, "I" implied; a leading underscore is allowed.
// RTERROR when nothing was selected.
int acedSSGet(const ACHAR* mode, const void* pt1, const void* pt2, const resbuf* filter, ads_name set);
int acedSSFree(const ads_name set);
int acedSSLength(const ads_name set, int32_t* length);
int acedSSName(const ads_name set, int32_t index, ads_name entity);
// Adds an entity to a set (a null set makes a new one; a null entity too, making an empty set).
int acedSSAdd(const ads_name entity, const ads_name set, ads_name result);
int acedSSDel(const ads_name entity, const ads_name set);
int acedSSMemb(const ads_name entity, const ads_name set);
// Wildcard match: * ? # @ . ~ [..] and ` escape, comma-separated alternatives, case-insensitive.
int acutWcMatch(const ACHAR* string, const ACHAR* pattern);

// Entity names.
int acdbEntLast(ads_name entity);
int acdbEntNext(const ads_name entity, ads_name next);  // a null entity gives the first one
int acdbEntDel(const ads_name entity);                  // erases, or brings back an erased entity
int acdbEntUpd(const ads_name entity);
inline void ads_name_set(const ads_name from, ads_name to) { to[0] = from[0]; to[1] = from[1]; }
inline void ads_name_clear(ads_name n) { n[0] = n[1] = 0; }
inline bool ads_name_nil(const ads_name n) { return n[0] == 0 && n[1] == 0; }
inline bool ads_name_equal(const ads_name a, const ads_name b) { return a[0] == b[0] && a[1] == b[1]; }

// ---- host commands in process ----

// Answers as (type, value) pairs ending with 0 or RTNONE: RTSTR command names and answers ("" is Enter,
// "\\" hands the prompt to the user), RTPOINT / RT3DPOINT (ads_point), RTREAL (double), RTSHORT (int),
// RTLONG, RTANG (radians), RTENAME and RTPICKS (ads_name).
int acedCommand(int rtype, ...);
int acedCommandS(int rtype, ...);
int acedCmd(const resbuf* answers);
int acedCmdS(const resbuf* answers);

// ---- system variables ----

// Names without regard to case; RTERROR for an unknown name or a value the variable refuses.
int acedSetVar(const ACHAR* name, const resbuf* value);
// RTSTR values are new strings (acutNewString) that the caller frees: acutRelRb on a list, else delete[].
int acedGetVar(const ACHAR* name, resbuf* result);

// ---- coordinates and views ----

// from / to: RTSHORT 0 world, 1 user, 2 display, 3 paper display; RTENAME an entity's own system; RT3DPOINT an
// extrusion direction. disp: treat the point as a displacement.
int acedTrans(const ads_point point, const resbuf* from, const resbuf* to, int disp, ads_point result);
// Writes the current view into the "*Active" record of the working database's viewport table.
Acad::ErrorStatus acedVports2VportTableRecords();
// Pixels of the current view (as a picture of it at SCREENSIZE shows them; (0,0) is the top-left pixel) and
// world points. A pixel stands for the point at its centre. windnum is accepted for any viewport and means the
// current one. False when there is no working database.
bool acedCoordFromPixelToWorld(int windnum, POINT pixel, ads_point result);
bool acedCoordFromWorldToPixel(int windnum, const ads_point point, POINT& pixel);
// Shows the drawing's changes on screen now (nothing to do without a window).
void acedUpdateDisplay();

inline void acdbPointSet(const ads_point from, ads_point to) { to[0] = from[0]; to[1] = from[1]; to[2] = from[2]; }
inline AcGePoint3d asPnt3d(const ads_point p) { return {p[0], p[1], p[2]}; }
inline double* asDblArray(AcGePoint3d& p) { return &p.x; }
inline const double* asDblArray(const AcGePoint3d& p) { return &p.x; }
