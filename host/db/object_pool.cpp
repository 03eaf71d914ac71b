#include "db/object_pool.h"

#include <sys/mman.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
constexpr size_t kArena = size_t(2) << 20;  // one huge page
constexpr size_t kGrain = 16;
constexpr size_t kMaxPooled = 1024;         // larger objects go to the general heap
constexpr size_t kClasses = kMaxPooled / kGrain;

struct FreeNode {
    FreeNode* next;
};

// Objects are made and deleted on the host's main thread; the lock only guards against misuse elsewhere.
class SpinLock {
public:
    void lock() {
        while (mFlag.test_and_set(std::memory_order_acquire)) {
        }
    }
    void unlock() { mFlag.clear(std::memory_order_release); }

private:
    std::atomic_flag mFlag = ATOMIC_FLAG_INIT;
};

struct Pool {
    SpinLock lock;
    FreeNode* free[kClasses + 1] = {};
    char* cursor = nullptr;
    char* end = nullptr;

    void* carve(size_t bytes) {
        if (static_cast<size_t>(end - cursor) < bytes) {
            cursor = static_cast<char*>(cvxArenaAlloc(kArena));
            end = cursor + kArena;
        }
        void* p = cursor;
        cursor += bytes;
        return p;
    }
};

Pool& pool() {
    static Pool* p = new Pool();  // never destroyed: objects may outlive static destruction order
    return *p;
}

size_t classOf(size_t size) { return (size + kGrain - 1) / kGrain; }
}  // namespace

void* cvxArenaAlloc(size_t size) {
    size_t bytes = (size + kArena - 1) / kArena * kArena;
    void* p = std::aligned_alloc(kArena, bytes);
    if (!p) throw std::bad_alloc();
    madvise(p, bytes, MADV_HUGEPAGE);
    return p;
}

void cvxArenaFree(void* p, size_t) { std::free(p); }

void* cvxPoolAlloc(size_t size) {
    if (size == 0) size = 1;
    if (size > kMaxPooled) return ::operator new(size);
    size_t c = classOf(size);
    Pool& p = pool();
    p.lock.lock();
    void* out;
    if (FreeNode* n = p.free[c]) {
        p.free[c] = n->next;
        out = n;
    } else {
        out = p.carve(c * kGrain);
    }
    p.lock.unlock();
    return out;
}

void cvxPoolFree(void* ptr, size_t size) {
    if (!ptr) return;
    if (size == 0) size = 1;
    if (size > kMaxPooled) {
        ::operator delete(ptr);
        return;
    }
    size_t c = classOf(size);
    Pool& p = pool();
    p.lock.lock();
    auto* n = static_cast<FreeNode*>(ptr);
    n->next = p.free[c];
    p.free[c] = n;
    p.lock.unlock();
}
