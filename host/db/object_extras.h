// What an object carries beyond its own data, allocated only for objects that have any of it.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "cvx/dbobject.h"

struct AcDbObject::Extras {
    resbuf* xdata = nullptr;                       // all applications' groups, each starting with 1001
    std::vector<AcDbObjectId> persistent;          // persistent reactors
    std::vector<AcDbObjectReactor*> transient;     // transient reactors
    AcDbObjectId xdict;                            // extension dictionary
    AcDbVoidPtrArray reactorView;                  // what reactors() hands out
    std::vector<std::pair<int, std::string>> kept; // groups of a drawing file the class does not model
    Extras() = default;
    Extras(const Extras&) = delete;
    Extras& operator=(const Extras&) = delete;
    ~Extras() { acutRelRb(xdata); }
};
