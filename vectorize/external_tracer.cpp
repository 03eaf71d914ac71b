// Quick-mode tracing through the companion program.
#include "vectorize/external_tracer.h"

#include <cmath>
#include <cstdio>
#include <vector>

#include "cvx/dbents.h"
#include "cvx/editor.h"
#include "cvx/files.h"
#include "cvx/msgbox.h"
#include "cvx/process.h"
#include "frame/bilingual.h"
#include "frame/module_folder.h"
#include "frame/sysvars.h"

namespace {

constexpr DWORD kTracerWaitMs = 20000;
constexpr size_t kInsertPathChars = 128;  // the DXF path with its terminating zero
constexpr DWORD kTempFolderChars = 512;
constexpr double kFrameTolerance = 0.001;
constexpr int16_t kColorByBlock = 0;

// A name without its folder (which ends at the last backslash, or the last slash when there is none) and
// without its extension (from the last dot on).
std::wstring bareName(const std::wstring& path) {
    size_t cut = path.rfind(L'\\');
    if (cut == std::wstring::npos)
        cut = path.rfind(L'/');
    std::wstring name = cut == std::wstring::npos ? path : path.substr(cut + 1);
    size_t dot = name.rfind(L'.');
    return dot == std::wstring::npos ? name : name.substr(0, dot);
}

// The box round the block's entities in the block's own coordinates (attribute definitions left out).
AcDbExtents blockExtents(const AcDbBlockTableRecord& block) {
    AcDbExtents box;
    for (AcDbObjectId id : block.entityIds()) {
        AcDbObjectPointer<AcDbEntity> piece(id, AcDb::kForRead);
        AcDbExtents e;
        if (piece && !AcDbAttributeDefinition::cast(piece.object()) && piece->getGeomExtents(e) == Acad::eOk)
            box.addExt(e);
    }
    return box;
}

bool isFrame(const AcDbExtents& piece, const AcDbExtents& block) {
    const AcGePoint3d a = piece.minPoint(), b = piece.maxPoint(), lo = block.minPoint(), hi = block.maxPoint();
    return std::fabs(a.x - lo.x) < kFrameTolerance && std::fabs(a.y - lo.y) < kFrameTolerance &&
           std::fabs(b.x - hi.x) < kFrameTolerance && std::fabs(b.y - hi.y) < kFrameTolerance;
}

}  // namespace

std::wstring tracerPath() { return moduleFolder() + L"autotrace\\autotrace.exe"; }

std::wstring tracedDxfPath(const std::wstring& bmpPath) {
    WCHAR folder[kTempFolderChars] = {};
    WCHAR tempFile[MAX_PATH] = {};
    GetTempPathW(kTempFolderChars, folder);
    GetTempFileNameW(folder, L"", 0, tempFile);
    return folder + bareName(bmpPath) + bareName(tempFile) + L".dxf";
}

bool traceInto(const std::wstring& bmpPath, const std::wstring& dxfPath) {
    if (fileExists(dxfPath.c_str()))
        DeleteFileW(dxfPath.c_str());
    const std::wstring program = tracerPath();
    if (!fileExists(program.c_str())) {
        AfxMessageBox((program + L"Program file not found, please reinstall.").c_str(), MB_OK);
        printBilingual((L"\n找不到描摹程序 " + program + L"。\n").c_str(),
                       (L"\nThe tracing program " + program + L" was not found.\n").c_str());
        return false;
    }
    // Quoted, so that a temporary folder or a picture name with a blank in it stays one argument.
    const std::wstring parameters =
        L"\"" + bmpPath + L"\" -color-count 2 -output-format dxf -output-file \"" + dxfPath + L"\"";
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_NOCLOSEPROCESS;
    info.lpVerb = L"";
    info.lpFile = program.c_str();
    info.lpParameters = parameters.c_str();
    info.nShow = SW_HIDE;
    if (!ShellExecuteExW(&info)) {
        printBilingual(L"\n描摹程序无法启动。\n", L"\nThe tracing program could not be started.\n");
        return false;
    }
    std::printf("waiting... \n ");
    std::fflush(stdout);
    DWORD code = 0;
    bool ranOut = false;
    if (info.hProcess) {
        ranOut = WaitForSingleObject(info.hProcess, kTracerWaitMs) == WAIT_TIMEOUT;  // left to run
        if (!ranOut && !GetExitCodeProcess(info.hProcess, &code)) code = 0;
        CloseHandle(info.hProcess);  // the handle is not needed after the wait
    }
    const bool written = fileExists(dxfPath.c_str());
    if (ranOut && !written) {
        printBilingual(L"\n描摹程序在20秒内没有完成，未绘制任何内容。\n",
                       L"\nThe tracing program did not finish within 20 seconds; nothing was drawn.\n");
    } else if (!ranOut && code != 0 && !written) {
        printBilingual((L"\n描摹程序失败（退出码 " + std::to_wstring(code) + L"），未绘制任何内容。\n").c_str(),
                       (L"\nThe tracing program failed (exit code " + std::to_wstring(code) +
                        L"); nothing was drawn.\n").c_str());
    } else if (!written) {
        printBilingual(L"\n描摹程序没有写出结果文件，未绘制任何内容。\n",
                       L"\nThe tracing program wrote no result; nothing was drawn.\n");
    }
    return written;
}

bool runTracer(const std::wstring& bmpPath, std::wstring& dxfPath) {
    dxfPath = tracedDxfPath(bmpPath);
    return traceInto(bmpPath, dxfPath);
}

void vectorizeBitmapFile(const std::wstring& bmpPath, int minVertices) {
    std::wstring dxfPath;
    if (!runTracer(bmpPath, dxfPath))
        return;
    if (dxfPath.size() >= kInsertPathChars) {
        DeleteFileW(dxfPath.c_str());
        printBilingual(L"临时文件路径太长，无法插入描摹结果。\n",
                       L"The traced file's path is too long to be inserted.\n");
        return;
    }
    ACHAR path[kInsertPathChars] = {};
    dxfPath.copy(path, dxfPath.size());
    ads_name before = {0, 0};
    acdbEntLast(before);
    setSysVarShort(L"CMDECHO", 0);
    acedCommand(RTSTR, L"_INSERT", RTSTR, path, RTSTR, L"\\", RTREAL, 1.0, RTREAL, 1.0, RTSHORT, 0, RTNONE);
    DeleteFileW(path);
    setSysVarShort(L"CMDECHO", 1);
    ads_name after = {0, 0};
    if (acdbEntLast(after) != RTNORM || ads_name_equal(before, after))
        return;  // INSERT made nothing (the insertion point was cancelled)
    AcDbObjectId id;
    if (acdbGetObjectId(id, after) != Acad::eOk)
        return;
    {
        AcDbObjectPointer<AcDbBlockReference> reference(id, AcDb::kForRead);
        if (!reference)
            return;
        cleanTracedBlock(reference.object(), minVertices);
    }
    acdbEntUpd(after);
}

void cleanTracedBlock(AcDbBlockReference* reference, int minVertices) {
    if (!reference)
        return;
    AcDbObjectPointer<AcDbBlockTableRecord> block(reference->blockTableRecord(), AcDb::kForRead);
    if (!block)
        return;
    const AcDbExtents bounds = blockExtents(*block.object());
    const std::vector<AcDbObjectId> ids = block->entityIds();
    for (AcDbObjectId id : ids) {
        AcDbObjectPointer<AcDbEntity> piece(id, AcDb::kForWrite);
        if (!piece)
            continue;
        AcDbExtents extents;
        const auto* polyline = AcDbPolyline::cast(piece.object());
        if (piece->getGeomExtents(extents) == Acad::eOk && isFrame(extents, bounds))
            piece->erase();
        else if (polyline && static_cast<int>(polyline->numVerts()) < minVertices)
            piece->erase();
        else
            piece->setColorIndex(kColorByBlock);
    }
}
