// A file's bytes in memory for reading: mapped when possible, pages handed back as reading moves on.
#pragma once

#include <string>
#include <string_view>

class DxfMappedFile {
public:
    DxfMappedFile() = default;
    ~DxfMappedFile();
    DxfMappedFile(const DxfMappedFile&) = delete;
    DxfMappedFile& operator=(const DxfMappedFile&) = delete;

    // False with a reason (from the system) when the file cannot be read.
    bool open(const std::string& path, std::string& error);
    std::string_view text() const { return mText; }
    // Tells the system the bytes before offset are not needed any more (they stay readable).
    void release(size_t offset);

private:
    void* mMap = nullptr;
    size_t mMapSize = 0;
    size_t mReleased = 0;
    std::string mCopy;  // when the file could not be mapped
    std::string_view mText;
};
