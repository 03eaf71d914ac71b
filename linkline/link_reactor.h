// LinkLineToNotify: the persistent reactor a linked shape carries. When the shape is about to change it
// remembers the shape's side midpoints and the splines around it; after the change it moves every spline end
// that sat on an old side midpoint to the new midpoint of the same side. Only the base object data is filed:
// the working data is rebuilt at every change, so following works in a reopened drawing.
#pragma once

#include "cvx/arx.h"
#include "linkline/linked_shape.h"

class LinkLineToNotify : public AcDbObject {
public:
    ACRX_DECLARE_MEMBERS(LinkLineToNotify);
    LinkLineToNotify();
    ~LinkLineToNotify() override;

    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* filer) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* filer) const override;
    Acad::ErrorStatus dxfInFields(AcDbDxfFiler* filer) override;
    Acad::ErrorStatus dxfOutFields(AcDbDxfFiler* filer) const override;

    void openedForModify(const AcDbObject* obj) override;
    void modified(const AcDbObject* obj) override;

    const SideMidpoints& storedMidpoints() const { return mMidpoints; }
    const AcDbObjectIdArray& splines() const { return mSplines; }

private:
    SideMidpoints mMidpoints;
    AcDbObjectIdArray mSplines;
};

// Adds the class to the run-time class tree (once; a different class already registered under the name is
// a fatal "Class mismatch").
void registerLinkLineClass();
// Removes the class again.
void unregisterLinkLineClass();
