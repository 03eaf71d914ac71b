// Result buffers: the linked lists that carry typed values between the editor, xdata and filters.
#pragma once

#include <cstdint>

#include "cvx/status.h"

using ads_real = double;
using ads_point = ads_real[3];
using ads_name = int64_t[2];
using ads_namep = int64_t*;

// Value types of a result buffer (outside the range of drawing-file group codes).
enum : short {
    RTNONE = 5000,   // no value
    RTREAL = 5001,
    RTPOINT = 5002,  // 2D point
    RTSHORT = 5003,
    RTANG = 5004,
    RTSTR = 5005,
    RTENAME = 5006,
    RTPICKS = 5007,  // selection set
    RTORINT = 5008,
    RT3DPOINT = 5009,
    RTLONG = 5010,
    RTVOID = 5014,
    RTLB = 5016,
    RTLE = 5017,
    RTDOTE = 5018,
    RTNIL = 5019,
    RTDXF0 = 5020,   // group 0 in a list built by acutBuildList
    RTT = 5021,
    RTRESBUF = 5023,
};

// Result codes of editor and utility calls.
enum : int {
    RTNORM = 5100,
    RTERROR = -5001,
    RTCAN = -5002,
    RTREJ = -5003,
    RTFAIL = -5004,
    RTKWORD = -5005,
    RTINPUTTRUNCATED = -5008,
};

union ads_u_val {
    ads_real rreal;
    ads_real rpoint[3];
    short rint;
    ACHAR* rstring;
    int32_t rlong;
    int64_t mnLongPtr;
    ads_name rlname;
    struct {
        short clen;
        char* buf;
    } rbinary;
};

struct resbuf {
    resbuf* rbnext;
    short restype;
    ads_u_val resval;
};

// What kind of value a type code carries (drawing-file group codes and RT codes alike).
enum class ResbufValueKind { None, Real, Point, Short, Long, String, Name, Binary, Int64 };
ResbufValueKind acutResbufValueKind(int restype);

resbuf* acutNewRb(int restype);
int acutRelRb(resbuf* rb);
// Builds a list from (type, value) pairs ending with 0; strings are copied.
resbuf* acutBuildList(int restype, ...);
// A deep copy of a list.
resbuf* acutDuplicateRb(const resbuf* rb);
// Allocates a wide string a result buffer can own (freed by acutRelRb).
ACHAR* acutNewString(const ACHAR* s);
