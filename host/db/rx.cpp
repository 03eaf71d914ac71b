#include <cstdarg>
#include <cstdio>
#include <cwchar>

#include "db/rxdefs.h"

namespace {
AcRxDictionary* makeSysRegistry() {
    auto* reg = new AcRxDictionary();
    auto* classes = new AcRxDictionary();
    classes->setDeletesEntries(true);
    reg->atPut(ACRX_CLASS_DICTIONARY, classes);
    return reg;
}
}  // namespace

AcRxDictionary* acrxSysRegistry() {
    static AcRxDictionary* reg = makeSysRegistry();
    return reg;
}

AcRxDictionary* acrxClassDictionary() {
    static AcRxDictionary* classes = static_cast<AcRxDictionary*>(acrxSysRegistry()->at(ACRX_CLASS_DICTIONARY));
    return classes;
}

// ---- AcRxObject ----

AcRxClass* AcRxObject::desc() {
    static AcRxClass* cls = cvxRegisterHostClass(L"AcRxObject", nullptr, L"", nullptr);
    return cls;
}

AcRxClass* AcRxObject::isA() const { return AcRxObject::desc(); }

bool AcRxObject::isKindOf(const AcRxClass* c) const {
    const AcRxClass* mine = isA();
    return mine && mine->isDerivedFrom(c);
}

// ---- AcRxClass ----

AcRxClass::AcRxClass(const ACHAR* name, const ACHAR* parentName, int dwgVersion, int maintenanceVersion,
                     int proxyFlags, AcRxPseudoConstructor make, const ACHAR* dxfName, const ACHAR* appName)
    : mName(name ? name : L""),
      mParentName(parentName ? parentName : L""),
      mDxfName(dxfName ? dxfName : L""),
      mAppName(appName ? appName : L""),
      mMake(make),
      mDwgVersion(dwgVersion),
      mMaintenanceVersion(maintenanceVersion),
      mProxyFlags(proxyFlags) {}

AcRxClass* AcRxClass::desc() {
    static AcRxClass* cls = cvxRegisterHostClass(L"AcRxClass", AcRxObject::desc(), L"", nullptr);
    return cls;
}

AcRxClass* AcRxClass::isA() const { return AcRxClass::desc(); }

bool AcRxClass::isDerivedFrom(const AcRxClass* other) const {
    for (const AcRxClass* c = this; c; c = c->mParent)
        if (c == other) return true;
    return false;
}

// ---- AcRxDictionary ----

AcRxDictionary::~AcRxDictionary() {
    if (mOwns)
        for (auto& [k, v] : mItems) delete v;
}

AcRxObject* AcRxDictionary::at(const ACHAR* key) const {
    auto it = mItems.find(key ? key : L"");
    return it == mItems.end() ? nullptr : it->second;
}

AcRxObject* AcRxDictionary::atPut(const ACHAR* key, AcRxObject* obj) {
    AcRxObject*& slot = mItems[key ? key : L""];
    AcRxObject* old = slot;
    slot = obj;
    return old;
}

AcRxObject* AcRxDictionary::remove(const ACHAR* key) {
    auto it = mItems.find(key ? key : L"");
    if (it == mItems.end()) return nullptr;
    AcRxObject* obj = it->second;
    mItems.erase(it);
    return obj;
}

// ---- class registration ----

AcRxClass* cvxRegisterHostClass(const ACHAR* name, AcRxClass* parent, const ACHAR* dxfName,
                                AcRxPseudoConstructor make) {
    auto* cls = new AcRxClass(name, parent ? parent->name() : L"", 0, 0, 0, make, dxfName, L"");
    cls->setParent(parent);
    acrxClassDictionary()->atPut(name, cls);
    return cls;
}

AcRxClass* newAcRxClass(const ACHAR* className, const ACHAR* parentClassName, int dwgVersion,
                        int maintenanceVersion, int proxyFlags, AcRxPseudoConstructor make, const ACHAR* dxfName,
                        const ACHAR* appName) {
    cvxRegisterAllHostClasses();
    auto* cls = new AcRxClass(className, parentClassName, dwgVersion, maintenanceVersion, proxyFlags, make,
                              dxfName, appName);
    cls->setCustom(true);
    cls->setParent(static_cast<AcRxClass*>(acrxClassDictionary()->at(parentClassName)));
    AcRxObject* old = acrxClassDictionary()->atPut(className, cls);
    if (old && old != cls) delete old;
    return cls;
}

void deleteAcRxClass(AcRxClass* cls) {
    if (!cls) return;
    AcRxDictionary* dict = acrxClassDictionary();
    if (dict->at(cls->name()) == cls) dict->remove(cls->name());
    for (auto& [k, v] : dict->items()) {
        auto* c = static_cast<AcRxClass*>(v);
        if (c->myParent() == cls) c->setParent(nullptr);
    }
    delete cls;
}

void acrxBuildClassHierarchy() {
    cvxRegisterAllHostClasses();
    AcRxDictionary* dict = acrxClassDictionary();
    for (auto& [k, v] : dict->items()) {
        auto* c = static_cast<AcRxClass*>(v);
        if (!c->myParent() && c->parentName()[0])
            c->setParent(static_cast<AcRxClass*>(dict->at(c->parentName())));
    }
}

AcRxClass* acrxFindClassByDxfName(const ACHAR* dxfName) {
    if (!dxfName || !*dxfName) return nullptr;
    cvxRegisterAllHostClasses();
    for (auto& [k, v] : acrxClassDictionary()->items()) {
        auto* c = static_cast<AcRxClass*>(v);
        if (std::wcscmp(c->dxfName(), dxfName) == 0) return c;
    }
    return nullptr;
}

void acrx_abort(const ACHAR* format, ...) {
    va_list ap;
    va_start(ap, format);
    std::fputws(L"\nFatal error: ", stderr);
    std::vfwprintf(stderr, format, ap);
    std::fputws(L"\n", stderr);
    va_end(ap);
    std::fflush(stderr);
    std::abort();
}
