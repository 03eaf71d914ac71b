// AcArray: the growable array the host API passes points, ids and numbers in.
// A thin wrapper over std::vector with the index-based interface callers expect.
#pragma once

#include <algorithm>
#include <cstddef>
#include <initializer_list>
#include <vector>

template <typename T>
class AcArray {
public:
    AcArray() = default;
    explicit AcArray(int physicalLength, int growLength = 8) : mGrow(growLength) {
        mData.reserve(physicalLength > 0 ? physicalLength : 0);
    }
    AcArray(std::initializer_list<T> items) : mData(items) {}

    int length() const { return static_cast<int>(mData.size()); }
    int logicalLength() const { return length(); }
    int physicalLength() const { return static_cast<int>(mData.capacity()); }
    bool isEmpty() const { return mData.empty(); }
    int growLength() const { return mGrow; }
    AcArray& setGrowLength(int n) { mGrow = n > 0 ? n : 1; return *this; }

    T& operator[](int i) { return mData[static_cast<size_t>(i)]; }
    const T& operator[](int i) const { return mData[static_cast<size_t>(i)]; }
    T& at(int i) { return mData.at(static_cast<size_t>(i)); }
    const T& at(int i) const { return mData.at(static_cast<size_t>(i)); }
    T& first() { return mData.front(); }
    const T& first() const { return mData.front(); }
    T& last() { return mData.back(); }
    const T& last() const { return mData.back(); }

    int append(const T& v) { mData.push_back(v); return length() - 1; }
    AcArray& append(const AcArray& other) {
        mData.insert(mData.end(), other.mData.begin(), other.mData.end());
        return *this;
    }
    AcArray& insertAt(int i, const T& v) { mData.insert(mData.begin() + i, v); return *this; }
    AcArray& removeAt(int i) { mData.erase(mData.begin() + i); return *this; }
    AcArray& removeSubArray(int from, int to) {
        mData.erase(mData.begin() + from, mData.begin() + to + 1);
        return *this;
    }
    bool remove(const T& v, int start = 0) {
        int i = find(v, start);
        if (i < 0) return false;
        removeAt(i);
        return true;
    }
    AcArray& removeFirst() { return removeAt(0); }
    AcArray& removeLast() { mData.pop_back(); return *this; }
    AcArray& removeAll() { mData.clear(); return *this; }
    AcArray& setAll(const T& v) { std::fill(mData.begin(), mData.end(), v); return *this; }
    AcArray& setAt(int i, const T& v) { mData[static_cast<size_t>(i)] = v; return *this; }
    AcArray& setLogicalLength(int n) { mData.resize(static_cast<size_t>(n)); return *this; }
    AcArray& setPhysicalLength(int n) { mData.reserve(static_cast<size_t>(n)); return *this; }
    AcArray& reverse() { std::reverse(mData.begin(), mData.end()); return *this; }
    bool contains(const T& v, int start = 0) const { return find(v, start) >= 0; }
    int find(const T& v, int start = 0) const {
        for (int i = start; i < length(); ++i)
            if (mData[static_cast<size_t>(i)] == v) return i;
        return -1;
    }
    bool find(const T& v, int& index, int start = 0) const {
        index = find(v, start);
        return index >= 0;
    }

    T* asArrayPtr() { return mData.data(); }
    const T* asArrayPtr() const { return mData.data(); }
    bool operator==(const AcArray& o) const { return mData == o.mData; }

    // Standard-library access for the host's own code.
    auto begin() { return mData.begin(); }
    auto end() { return mData.end(); }
    auto begin() const { return mData.begin(); }
    auto end() const { return mData.end(); }
    std::vector<T>& vec() { return mData; }
    const std::vector<T>& vec() const { return mData; }

private:
    std::vector<T> mData;
    int mGrow = 8;
};
