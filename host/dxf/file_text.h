// A drawing file read a window at a time: a file of any size goes through a few megabytes of memory, and
// that memory stays with the process for the next file (memory touched once is cheap to use again; fresh
// memory costs a page fault per page).
#pragma once

#include <string>
#include <vector>

#include "dxf/group_reader.h"

class DxfFileText : public DxfTextSource {
public:
    DxfFileText() = default;
    ~DxfFileText() override;
    DxfFileText(const DxfFileText&) = delete;
    DxfFileText& operator=(const DxfFileText&) = delete;

    // False with a reason (from the system) when the file cannot be read: missing, a folder, not a regular
    // file (a named pipe would block).
    bool open(const std::string& path, std::string& error);
    size_t size() const override { return mSize; }
    std::string_view window(size_t from, size_t atLeast, bool& final) override;

private:
    int mFd = -1;
    size_t mSize = 0;
    size_t mStart = 0;   // the file offset of mBuffer[0]
    size_t mFilled = 0;  // bytes of the file in mBuffer
    std::vector<char> mBuffer;
};
