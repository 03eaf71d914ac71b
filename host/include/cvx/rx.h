// Run-time classes: every host object knows its class descriptor; modules can add classes of their own.
#pragma once

#include <map>
#include <string>

#include "cvx/status.h"

class AcRxClass;

class AcRxObject {
public:
    virtual ~AcRxObject() = default;
    static AcRxClass* desc();
    static AcRxObject* cast(const AcRxObject* p) { return const_cast<AcRxObject*>(p); }
    virtual AcRxClass* isA() const;
    bool isKindOf(const AcRxClass* c) const;
    virtual AcRxObject* clone() const { return nullptr; }
};

using AcRxPseudoConstructor = AcRxObject* (*)();

class AcRxClass : public AcRxObject {
public:
    AcRxClass(const ACHAR* name, const ACHAR* parentName, int dwgVersion, int maintenanceVersion,
              int proxyFlags, AcRxPseudoConstructor make, const ACHAR* dxfName, const ACHAR* appName);
    static AcRxClass* desc();
    AcRxClass* isA() const override;

    const ACHAR* name() const { return mName.c_str(); }
    const ACHAR* dxfName() const { return mDxfName.c_str(); }
    const ACHAR* appName() const { return mAppName.c_str(); }
    const ACHAR* parentName() const { return mParentName.c_str(); }
    AcRxClass* myParent() const { return mParent; }
    bool isDerivedFrom(const AcRxClass* other) const;
    AcRxObject* create() const { return mMake ? mMake() : nullptr; }
    int proxyFlags() const { return mProxyFlags; }
    int dwgVersion() const { return mDwgVersion; }
    int maintenanceVersion() const { return mMaintenanceVersion; }
    // True for classes that a loaded module added (they are written to a drawing's class list).
    bool isCustom() const { return mCustom; }
    void setCustom(bool c) { mCustom = c; }
    void setParent(AcRxClass* p) { mParent = p; }

private:
    std::wstring mName, mParentName, mDxfName, mAppName;
    AcRxClass* mParent = nullptr;
    AcRxPseudoConstructor mMake = nullptr;
    int mDwgVersion = 0, mMaintenanceVersion = 0, mProxyFlags = 0;
    bool mCustom = false;
};

// A dictionary of run-time objects by name; the system registry and the class dictionary are two of them.
class AcRxDictionary : public AcRxObject {
public:
    ~AcRxDictionary() override;
    AcRxObject* at(const ACHAR* key) const;
    AcRxObject* atPut(const ACHAR* key, AcRxObject* obj);  // returns the object it replaced
    AcRxObject* remove(const ACHAR* key);                  // returns the removed object, not deleted
    bool has(const ACHAR* key) const { return at(key) != nullptr; }
    int numEntries() const { return static_cast<int>(mItems.size()); }
    const std::map<std::wstring, AcRxObject*>& items() const { return mItems; }
    void setDeletesEntries(bool d) { mOwns = d; }

private:
    std::map<std::wstring, AcRxObject*> mItems;
    bool mOwns = false;
};

AcRxDictionary* acrxSysRegistry();
AcRxDictionary* acrxClassDictionary();
#define ACRX_CLASS_DICTIONARY L"ClassDictionary"

// Creates a class, enters it in the class dictionary and links it to its parent.
AcRxClass* newAcRxClass(const ACHAR* className, const ACHAR* parentClassName, int dwgVersion,
                        int maintenanceVersion, int proxyFlags, AcRxPseudoConstructor make,
                        const ACHAR* dxfName = nullptr, const ACHAR* appName = nullptr);
void deleteAcRxClass(AcRxClass* cls);
// Links every class in the dictionary to its parent by name.
void acrxBuildClassHierarchy();
// The class whose drawing-file name is dxfName, or null.
AcRxClass* acrxFindClassByDxfName(const ACHAR* dxfName);
// Fatal error: prints the message and ends the process.
[[noreturn]] void acrx_abort(const ACHAR* format, ...);

// Application messages and the dynamic linker that loads modules.
class AcRxDynamicLinker {
public:
    virtual ~AcRxDynamicLinker() = default;
    virtual bool unlockApplication(void* appId) const = 0;
    virtual bool lockApplication(void* appId) const = 0;
    virtual bool isApplicationLocked(const ACHAR* name) const = 0;
    virtual bool registerAppMDIAware(void* appId) const = 0;
    virtual bool loadModule(const ACHAR* fileName, bool printit, bool asCmd = false) = 0;
    virtual bool unloadModule(const ACHAR* fileName, bool asCmd = false) = 0;
};
extern AcRxDynamicLinker* acrxDynamicLinker;

// Declares the run-time class members of a host class.
#define ACRX_DECLARE_MEMBERS(CLASS)                                                         \
    static AcRxClass* desc();                                                               \
    static CLASS* cast(const AcRxObject* p) {                                               \
        return (p && p->isKindOf(CLASS::desc())) ? const_cast<CLASS*>(static_cast<const CLASS*>(p)) \
                                                 : nullptr;                                 \
    }                                                                                       \
    AcRxClass* isA() const override

// Template for the cast of a host class to another.
template <typename T>
T* acrxCast(const AcRxObject* p) {
    return T::cast(p);
}
