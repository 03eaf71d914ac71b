#include "cvx/status.h"

const char* acadErrorStatusText(Acad::ErrorStatus es) {
    switch (es) {
        case Acad::eOk: return "eOk";
        case Acad::eNotImplementedYet: return "eNotImplementedYet";
        case Acad::eNotApplicable: return "eNotApplicable";
        case Acad::eInvalidInput: return "eInvalidInput";
        case Acad::eAmbiguousInput: return "eAmbiguousInput";
        case Acad::eInvalidIndex: return "eInvalidIndex";
        case Acad::eOutOfRange: return "eOutOfRange";
        case Acad::eNullObjectId: return "eNullObjectId";
        case Acad::eNullObjectPointer: return "eNullObjectPointer";
        case Acad::eNullEntityPointer: return "eNullEntityPointer";
        case Acad::eNotOpenForRead: return "eNotOpenForRead";
        case Acad::eNotOpenForWrite: return "eNotOpenForWrite";
        case Acad::eWasOpenForRead: return "eWasOpenForRead";
        case Acad::eWasOpenForWrite: return "eWasOpenForWrite";
        case Acad::eWasOpenForNotify: return "eWasOpenForNotify";
        case Acad::eWasNotifying: return "eWasNotifying";
        case Acad::eAtMaxReaders: return "eAtMaxReaders";
        case Acad::eWasErased: return "eWasErased";
        case Acad::eWasNotErased: return "eWasNotErased";
        case Acad::ePermanentlyErased: return "ePermanentlyErased";
        case Acad::eKeyNotFound: return "eKeyNotFound";
        case Acad::eDuplicateKey: return "eDuplicateKey";
        case Acad::eDuplicateRecordName: return "eDuplicateRecordName";
        case Acad::eInvalidKey: return "eInvalidKey";
        case Acad::eInvalidSymbolTableName: return "eInvalidSymbolTableName";
        case Acad::eAlreadyInDb: return "eAlreadyInDb";
        case Acad::eNotInDatabase: return "eNotInDatabase";
        case Acad::eWrongDatabase: return "eWrongDatabase";
        case Acad::eWrongObjectType: return "eWrongObjectType";
        case Acad::eNotThatKindOfClass: return "eNotThatKindOfClass";
        case Acad::eSelfReference: return "eSelfReference";
        case Acad::eNoDatabase: return "eNoDatabase";
        case Acad::eFileNotFound: return "eFileNotFound";
        case Acad::eFilerError: return "eFilerError";
        case Acad::eBadDxfSequence: return "eBadDxfSequence";
        case Acad::eEndOfFile: return "eEndOfFile";
        case Acad::eCannotScaleNonUniformly: return "eCannotScaleNonUniformly";
        case Acad::eDegenerateGeometry: return "eDegenerateGeometry";
        case Acad::eNotOnCurve: return "eNotOnCurve";
        case Acad::eOutOfMemory: return "eOutOfMemory";
        case Acad::eLockViolation: return "eLockViolation";
        case Acad::eInvalidDxfCode: return "eInvalidDxfCode";
        case Acad::eIllegalReplacement: return "eIllegalReplacement";
        case Acad::eBadUCS: return "eBadUCS";
        case Acad::eNoInputFiler: return "eNoInputFiler";
        case Acad::eFileAccessErr: return "eFileAccessErr";
        case Acad::eNotInBlock: return "eNotInBlock";
        case Acad::eObjectToBeDeleted: return "eObjectToBeDeleted";
        case Acad::eInvalidOwnerObject: return "eInvalidOwnerObject";
        case Acad::eGeneralModelingFailure: return "eGeneralModelingFailure";
        case Acad::eCannotBeErasedByCaller: return "eCannotBeErasedByCaller";
        case Acad::eNotApplicableHere: return "eNotApplicableHere";
        case Acad::eRegappIdNotFound: return "eRegappIdNotFound";
        case Acad::eVertexAfterFace: return "eVertexAfterFace";
        case Acad::eInvalidExtents: return "eInvalidExtents";
    }
    return "unknown status";
}
