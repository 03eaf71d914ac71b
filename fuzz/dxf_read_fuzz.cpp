// Fuzz target: any bytes given to the drawing-file reader either read or give an error; what was read can
// be written again.
#include <fcntl.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "cvx/dbmain.h"
#include "dxf/dxf_error.h"
#include "dxf/out_stream.h"
#include "dxf/reader.h"
#include "dxf/writer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    AcDbDatabase db(false);
    try {
        dxfReadDatabase(text, db);
    } catch (const DxfError&) {
        return 0;
    }
    static int devNull = open("/dev/null", O_WRONLY | O_CLOEXEC);
    DxfOutStream out(devNull);
    std::string error;
    dxfWriteDatabase(out, db, 15, error);
    out.flush();
    return 0;
}
