// Fuzz target: any bytes given to the drawing-file reader either read or give an error; what was read can
// be written again; and reading through small windows, as files are read, gives the same as reading the
// text whole (the program stops when it does not).
#include <fcntl.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "cvx/dbents.h"
#include "dxf/dxf_error.h"
#include "dxf/memory_text.h"
#include "dxf/out_stream.h"
#include "dxf/reader.h"
#include "dxf/writer.h"

namespace {
// The error, or how much was read.
template <typename Read>
std::string outcome(AcDbDatabase& db, Read read) {
    try {
        read();
    } catch (const DxfError& e) {
        return e.message;
    }
    auto* ms = AcDbBlockTableRecord::cast(db.modelSpaceId().objectPtr());
    return "read " + std::to_string(ms ? ms->entityIds().size() : 0) + " entities, next handle " +
           std::to_string(db.handseed().value());
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    AcDbDatabase db(false);
    std::string whole = outcome(db, [&] { dxfReadDatabase(text, db); });
    AcDbDatabase windowed(false);
    DxfMemoryText source(text);
    std::string inWindows = outcome(windowed, [&] { dxfReadDatabase(source, windowed, 64); });
    if (whole != inWindows) {
        std::fprintf(stderr, "whole text: %s\nin windows: %s\n", whole.c_str(), inWindows.c_str());
        std::abort();
    }
    if (!whole.starts_with("read ")) return 0;
    static int devNull = open("/dev/null", O_WRONLY | O_CLOEXEC);
    DxfOutStream out(devNull);
    std::string error;
    dxfWriteDatabase(out, db, 15, error);
    out.flush();
    return 0;
}
