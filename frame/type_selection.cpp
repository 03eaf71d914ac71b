#include "frame/type_selection.h"

namespace {

resbuf* stringPair(short type, const ACHAR* text) {
    resbuf* rb = acutNewRb(type);
    rb->resval.rstring = acutNewString(text);
    return rb;
}

}  // namespace

resbuf* entityTypeFilter(std::initializer_list<const ACHAR*> types) {
    if (types.size() == 1) return acutBuildList(RTDXF0, *types.begin(), 0);
    resbuf* head = stringPair(AcDb::kDxfOperator, L"<or");
    resbuf* tail = head;
    for (const ACHAR* type : types) tail = tail->rbnext = stringPair(AcDb::kDxfStart, type);
    tail->rbnext = stringPair(AcDb::kDxfOperator, L"or>");
    return head;
}

int selectByTypes(std::initializer_list<const ACHAR*> types, ads_name selectionSet) {
    resbuf* filter = entityTypeFilter(types);
    int rc = acedSSGet(nullptr, nullptr, nullptr, filter, selectionSet);
    acutRelRb(filter);
    return rc;
}

AcDbObjectId pickOneByTypes(std::initializer_list<const ACHAR*> types) {
    resbuf* filter = entityTypeFilter(types);
    ads_name set = {0, 0};
    const int rc = acedSSGet(L":S", nullptr, nullptr, filter, set);
    acutRelRb(filter);
    AcDbObjectId id;
    if (rc == RTNORM) {
        ads_name first = {0, 0};
        if (acedSSName(set, 0, first) == RTNORM) acdbGetObjectId(id, first);
        acedSSFree(set);
    }
    return id;
}
