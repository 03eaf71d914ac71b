// Run-time class definitions of the host's own classes.
#pragma once

#include "cvx/rx.h"

// Registers a class of the host in the class dictionary (called once per class, on first use).
AcRxClass* cvxRegisterHostClass(const ACHAR* name, AcRxClass* parent, const ACHAR* dxfName,
                                AcRxPseudoConstructor make);
// Makes sure every host class is in the class dictionary.
void cvxRegisterAllHostClasses();

template <typename T>
AcRxObject* cvxMakeObject() {
    return new T();
}

#define CVX_DEFINE_CLASS_IMPL(CLASS, PARENTDESC, DXF, MAKE)                                        \
    AcRxClass* CLASS::desc() {                                                                    \
        static AcRxClass* cls = cvxRegisterHostClass(L## #CLASS, PARENTDESC, DXF, MAKE);          \
        return cls;                                                                               \
    }                                                                                             \
    AcRxClass* CLASS::isA() const { return CLASS::desc(); }

// A concrete class with a drawing-file name.
#define CVX_DEFINE_CLASS(CLASS, PARENT, DXF) CVX_DEFINE_CLASS_IMPL(CLASS, PARENT::desc(), DXF, &cvxMakeObject<CLASS>)
// An abstract class (no instances of its own).
#define CVX_DEFINE_ABSTRACT(CLASS, PARENT) CVX_DEFINE_CLASS_IMPL(CLASS, PARENT::desc(), L"", nullptr)
