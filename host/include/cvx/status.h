// Basic scalar types, status codes and the enumerations shared across the host API.
#pragma once

#include <cstdint>

using ACHAR = wchar_t;  // host strings are wide; on this platform wchar_t holds a whole code point

namespace Adesk {
using Int8 = int8_t;
using Int16 = int16_t;
using Int32 = int32_t;
using Int64 = int64_t;
using UInt8 = uint8_t;
using UInt16 = uint16_t;
using UInt32 = uint32_t;
using UInt64 = uint64_t;
using IntPtr = intptr_t;
using UIntPtr = uintptr_t;
using Boolean = bool;
constexpr bool kTrue = true;
constexpr bool kFalse = false;
}  // namespace Adesk

namespace Acad {
// The status a host call returns. eOk is 0 and eInvalidInput is 3; the module relies on both values.
enum ErrorStatus : int {
    eOk = 0,
    eNotImplementedYet = 1,
    eNotApplicable = 2,
    eInvalidInput = 3,
    eAmbiguousInput = 4,
    eInvalidIndex = 5,
    eOutOfRange = 6,
    eNullObjectId = 7,
    eNullObjectPointer = 8,
    eNullEntityPointer = 9,
    eNotOpenForRead = 10,
    eNotOpenForWrite = 11,
    eWasOpenForRead = 12,
    eWasOpenForWrite = 13,
    eWasOpenForNotify = 14,
    eWasNotifying = 15,
    eAtMaxReaders = 16,
    eWasErased = 17,
    eWasNotErased = 18,
    ePermanentlyErased = 19,
    eKeyNotFound = 20,
    eDuplicateKey = 21,
    eDuplicateRecordName = 22,
    eInvalidKey = 23,
    eInvalidSymbolTableName = 24,
    eAlreadyInDb = 25,
    eNotInDatabase = 26,
    eWrongDatabase = 27,
    eWrongObjectType = 28,
    eNotThatKindOfClass = 29,
    eSelfReference = 30,
    eNoDatabase = 31,
    eFileNotFound = 32,
    eFilerError = 33,
    eBadDxfSequence = 34,
    eEndOfFile = 35,
    eCannotScaleNonUniformly = 36,
    eDegenerateGeometry = 37,
    eNotOnCurve = 38,
    eOutOfMemory = 39,
    eLockViolation = 40,
    eInvalidDxfCode = 41,
    eIllegalReplacement = 42,
    eBadUCS = 43,
    eNoInputFiler = 44,
    eFileAccessErr = 45,
    eNotInBlock = 46,
    eObjectToBeDeleted = 47,
    eInvalidOwnerObject = 48,
    eGeneralModelingFailure = 49,
    eCannotBeErasedByCaller = 50,
    eNotApplicableHere = 51,
    eRegappIdNotFound = 52,
    eVertexAfterFace = 53,
    eInvalidExtents = 54,
};
}  // namespace Acad

// Short readable text for a status, for messages.
const char* acadErrorStatusText(Acad::ErrorStatus es);

namespace AcDb {
enum OpenMode { kForRead = 0, kForWrite = 1, kForNotify = 2 };

enum Poly2dType { k2dSimplePoly = 0, k2dFitCurvePoly = 1, k2dQuadSplinePoly = 2, k2dCubicSplinePoly = 3 };
enum Poly3dType { k3dSimplePoly = 0, k3dQuadSplinePoly = 1, k3dCubicSplinePoly = 2 };
enum Vertex2dType { k2dVertex = 0, k2dSplineCtlVertex = 1, k2dSplineFitVertex = 2, k2dCurveFitVertex = 3 };
enum Vertex3dType { k3dSimpleVertex = 0, k3dControlVertex = 1, k3dFitVertex = 2 };

enum Visibility { kVisible = 0, kInvisible = 1 };

enum DxfCode : int {
    kDxfInvalid = -9999,
    kDxfXDictionary = -6,
    kDxfPReactors = -5,
    kDxfOperator = -4,
    kDxfXDataStart = -3,
    kDxfHeaderId = -2,
    kDxfEnd = -1,
    kDxfStart = 0,
    kDxfText = 1,
    kDxfXRefPath = 1,
    kDxfShapeName = 2,
    kDxfBlockName = 2,
    kDxfAttributeTag = 2,
    kDxfSymbolTableName = 2,
    kDxfMstyleName = 2,
    kDxfSymTableRecName = 2,
    kDxfAttributePrompt = 3,
    kDxfDimStyleName = 3,
    kDxfLinetypeProse = 3,
    kDxfTextFontFile = 3,
    kDxfDescription = 3,
    kDxfDimPostStr = 3,
    kDxfTextBigFontFile = 4,
    kDxfDimAPostStr = 4,
    kDxfCLShapeName = 4,
    kDxfSymTableRecComments = 4,
    kDxfHandle = 5,
    kDxfDimBlk = 5,
    kDxfLinetypeName = 6,
    kDxfTextStyleName = 7,
    kDxfLayerName = 8,
    kDxfCLShapeText = 9,
    kDxfXCoord = 10,
    kDxfYCoord = 20,
    kDxfZCoord = 30,
    kDxfElevation = 38,
    kDxfThickness = 39,
    kDxfReal = 40,
    kDxfTxtSize = 40,
    kDxfViewportHeight = 40,
    kDxfAngle = 50,
    kDxfColor = 62,
    kDxfInt16 = 70,
    kDxfInt32 = 90,
    kDxfNormalX = 210,
    kDxfSubclass = 100,
    kDxfControlString = 102,
    kDxfHardPointerId = 340,
    kDxfSoftPointerId = 330,
    kDxfHardOwnershipId = 360,
    kDxfSoftOwnershipId = 350,
    kDxfLineWeight = 370,
    kDxfColorRGB = 420,
    kDxfComment = 999,
    kDxfXdAsciiString = 1000,
    kDxfRegAppName = 1001,
    kDxfXdControlString = 1002,
    kDxfXdLayerName = 1003,
    kDxfXdBinaryChunk = 1004,
    kDxfXdHandle = 1005,
    kDxfXdXCoord = 1010,
    kDxfXdWorldXCoord = 1011,
    kDxfXdWorldXDisp = 1012,
    kDxfXdWorldXDir = 1013,
    kDxfXdReal = 1040,
    kDxfXdDist = 1041,
    kDxfXdScale = 1042,
    kDxfXdInteger16 = 1070,
    kDxfXdInteger32 = 1071,
};

// Drawing format versions the host reads and writes.
enum AcDbDwgVersion {
    kDHL_1012 = 12,  // R12 (AC1009)
    kDHL_1014 = 14,  // R14 (AC1014)
    kDHL_1015 = 15,  // 2000 (AC1015)
    kDHL_1018 = 18,  // 2004 (AC1018)
    kDHL_1021 = 21,  // 2007 (AC1021)
    kDHL_1024 = 24,  // 2010 (AC1024)
    kDHL_1027 = 27,  // 2013 (AC1027)
    kDHL_1032 = 32,  // 2018 (AC1032)
    kDHL_CURRENT = kDHL_1032,
};

enum MaintenanceReleaseVersion { kMReleaseCurrent = 0 };
}  // namespace AcDb

namespace AcRx {
enum AppMsgCode {
    kNullMsg = 0,
    kInitAppMsg = 1,
    kUnloadAppMsg = 2,
    kLoadDwgMsg = 3,
    kUnloadDwgMsg = 4,
    kInvkSubrMsg = 5,
    kCfgMsg = 6,
    kEndMsg = 7,
    kQuitMsg = 8,
    kSaveMsg = 9,
    kDependencyMsg = 10,
    kNoDependencyMsg = 11,
    kOleUnloadAppMsg = 12,
    kPreQuitMsg = 13,
    kInitDialogMsg = 14,
    kEndDialogMsg = 15,
    kSuspendMsg = 16,
};
enum AppRetCode { kRetOK = 0, kRetError = 3 };
}  // namespace AcRx
