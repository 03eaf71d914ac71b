#include "cvx/resbuf.h"

#include <cstdarg>
#include <cstring>
#include <cwchar>

ResbufValueKind acutResbufValueKind(int t) {
    switch (t) {
        case RTNONE: case RTVOID: case RTLB: case RTLE: case RTDOTE: case RTNIL: case RTT: return ResbufValueKind::None;
        case RTREAL: case RTANG: case RTORINT: return ResbufValueKind::Real;
        case RTPOINT: case RT3DPOINT: return ResbufValueKind::Point;
        case RTSHORT: return ResbufValueKind::Short;
        case RTLONG: return ResbufValueKind::Long;
        case RTSTR: case RTDXF0: return ResbufValueKind::String;
        case RTENAME: case RTPICKS: return ResbufValueKind::Name;
        default: break;
    }
    // Drawing-file group codes by range.
    if (t >= 0 && t <= 9) return ResbufValueKind::String;
    if (t >= 10 && t <= 39) return ResbufValueKind::Point;
    if (t >= 40 && t <= 59) return ResbufValueKind::Real;
    if (t >= 60 && t <= 79) return ResbufValueKind::Short;
    if (t >= 90 && t <= 99) return ResbufValueKind::Long;
    if (t == 100 || t == 101 || t == 102 || t == 105) return ResbufValueKind::String;
    if (t >= 110 && t <= 139) return ResbufValueKind::Point;
    if (t >= 140 && t <= 149) return ResbufValueKind::Real;
    if (t >= 160 && t <= 169) return ResbufValueKind::Int64;
    if (t >= 170 && t <= 179) return ResbufValueKind::Short;
    if (t >= 210 && t <= 239) return ResbufValueKind::Point;
    if (t >= 270 && t <= 289) return ResbufValueKind::Short;
    if (t >= 290 && t <= 299) return ResbufValueKind::Short;
    if (t >= 300 && t <= 309) return ResbufValueKind::String;
    if (t >= 310 && t <= 319) return ResbufValueKind::Binary;
    if (t >= 320 && t <= 369) return ResbufValueKind::Name;
    if (t >= 370 && t <= 389) return ResbufValueKind::Short;
    if (t >= 390 && t <= 399) return ResbufValueKind::Name;
    if (t >= 400 && t <= 409) return ResbufValueKind::Short;
    if (t >= 410 && t <= 419) return ResbufValueKind::String;
    if (t >= 420 && t <= 429) return ResbufValueKind::Long;
    if (t >= 430 && t <= 439) return ResbufValueKind::String;
    if (t >= 440 && t <= 459) return ResbufValueKind::Long;
    if (t >= 460 && t <= 469) return ResbufValueKind::Real;
    if (t >= 470 && t <= 479) return ResbufValueKind::String;
    if (t >= 480 && t <= 481) return ResbufValueKind::Name;
    if (t == 999) return ResbufValueKind::String;
    if (t >= 1000 && t <= 1003) return ResbufValueKind::String;
    if (t == 1004) return ResbufValueKind::Binary;
    if (t == 1005) return ResbufValueKind::String;
    if (t >= 1010 && t <= 1013) return ResbufValueKind::Point;
    if (t >= 1040 && t <= 1042) return ResbufValueKind::Real;
    if (t == 1070) return ResbufValueKind::Short;
    if (t == 1071) return ResbufValueKind::Long;
    if (t == -1 || t == -2) return ResbufValueKind::Name;
    if (t == -4) return ResbufValueKind::String;
    return ResbufValueKind::None;
}

ACHAR* acutNewString(const ACHAR* s) {
    if (!s) s = L"";
    size_t n = std::wcslen(s);
    auto* copy = new ACHAR[n + 1];
    std::wmemcpy(copy, s, n + 1);
    return copy;
}

resbuf* acutNewRb(int restype) {
    auto* rb = new resbuf;
    std::memset(rb, 0, sizeof(resbuf));
    rb->restype = static_cast<short>(restype);
    return rb;
}

int acutRelRb(resbuf* rb) {
    while (rb) {
        resbuf* next = rb->rbnext;
        switch (acutResbufValueKind(rb->restype)) {
            case ResbufValueKind::String: delete[] rb->resval.rstring; break;
            case ResbufValueKind::Binary: delete[] rb->resval.rbinary.buf; break;
            default: break;
        }
        delete rb;
        rb = next;
    }
    return RTNORM;
}

resbuf* acutDuplicateRb(const resbuf* rb) {
    resbuf head{};
    resbuf* tail = &head;
    for (; rb; rb = rb->rbnext) {
        resbuf* c = acutNewRb(rb->restype);
        c->resval = rb->resval;
        switch (acutResbufValueKind(rb->restype)) {
            case ResbufValueKind::String: c->resval.rstring = acutNewString(rb->resval.rstring); break;
            case ResbufValueKind::Binary: {
                short n = rb->resval.rbinary.clen;
                c->resval.rbinary.buf = new char[n > 0 ? n : 1];
                if (n > 0) std::memcpy(c->resval.rbinary.buf, rb->resval.rbinary.buf, static_cast<size_t>(n));
                break;
            }
            default: break;
        }
        tail->rbnext = c;
        tail = c;
    }
    return head.rbnext;
}

resbuf* acutBuildList(int restype, ...) {
    va_list ap;
    va_start(ap, restype);
    resbuf head{};
    resbuf* tail = &head;
    for (int t = restype; t != 0; t = va_arg(ap, int)) {
        int type = t == RTDXF0 ? 0 : t;
        resbuf* rb = acutNewRb(type);
        if (t == RTDXF0) {
            rb->resval.rstring = acutNewString(va_arg(ap, const ACHAR*));
        } else {
            switch (acutResbufValueKind(t)) {
                case ResbufValueKind::Real: rb->resval.rreal = va_arg(ap, double); break;
                case ResbufValueKind::Point: {
                    const double* p = va_arg(ap, const double*);
                    rb->resval.rpoint[0] = p[0];
                    rb->resval.rpoint[1] = p[1];
                    rb->resval.rpoint[2] = (t == RTPOINT) ? 0.0 : p[2];
                    break;
                }
                case ResbufValueKind::Short: rb->resval.rint = static_cast<short>(va_arg(ap, int)); break;
                case ResbufValueKind::Long: rb->resval.rlong = va_arg(ap, int32_t); break;
                case ResbufValueKind::Int64: rb->resval.mnLongPtr = va_arg(ap, int64_t); break;
                case ResbufValueKind::String: rb->resval.rstring = acutNewString(va_arg(ap, const ACHAR*)); break;
                case ResbufValueKind::Name: {
                    const int64_t* n = va_arg(ap, const int64_t*);
                    rb->resval.rlname[0] = n[0];
                    rb->resval.rlname[1] = n[1];
                    break;
                }
                case ResbufValueKind::Binary: rb->resval.rbinary.clen = 0; rb->resval.rbinary.buf = nullptr; break;
                case ResbufValueKind::None: break;
            }
        }
        tail->rbnext = rb;
        tail = rb;
    }
    va_end(ap);
    return head.rbnext;
}
