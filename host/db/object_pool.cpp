#include "db/object_pool.h"

#include <sys/mman.h>

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <new>
#include <unordered_map>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#include <sanitizer/common_interface_defs.h>
#define CVX_POOL_CHECKED 1
#define CVX_PRINT_STACK() __sanitizer_print_stack_trace()
#else
#define CVX_POOL_CHECKED 0
#define ASAN_POISON_MEMORY_REGION(p, n) ((void)(p), (void)(n))
#define ASAN_UNPOISON_MEMORY_REGION(p, n) ((void)(p), (void)(n))
#define CVX_PRINT_STACK() ((void)0)
#endif

namespace {
constexpr size_t kArena = size_t(2) << 20;  // one huge page
constexpr size_t kGrain = 16;
constexpr size_t kMaxPooled = 1024;  // larger objects go to the general heap
constexpr size_t kClasses = kMaxPooled / kGrain;
// Under the address sanitizer (checked builds) every slot is followed by a poisoned gap (overruns are
// caught), freed slots wait, poisoned, in a queue before reuse (late uses of a deleted object are caught),
// and a slot freed twice or with another size than it was made with stops the program.
constexpr size_t kRedZone = CVX_POOL_CHECKED ? 32 : 0;
constexpr size_t kQuarantineSlots = 1 << 16;
// Arenas given back (the stubs of a closed drawing) are kept for the next drawing, up to 256 MiB: memory the
// process has touched once costs nothing to use again, fresh memory costs a page fault per page.
constexpr size_t kSpareArenas = 128;

struct FreeNode {
    FreeNode* next;
};

// Objects are made and deleted on the host's main thread only, so the pool takes no lock.
struct Pool {
    FreeNode* free[kClasses + 1] = {};
    char* cursor = nullptr;
    char* end = nullptr;
    std::deque<std::pair<void*, size_t>> quarantine;
    std::unordered_map<void*, size_t> live;  // checked builds: the size class of every slot in use
    std::vector<void*> spareArenas;
    std::vector<void*> arenas;  // every arena carved: the pool holds them for the process's life

    void* carve(size_t bytes) {
        if (static_cast<size_t>(end - cursor) < bytes + kRedZone) {
            cursor = static_cast<char*>(cvxArenaAlloc(kArena));
            arenas.push_back(cursor);
            end = cursor + kArena;
            ASAN_POISON_MEMORY_REGION(cursor, kArena);
        }
        void* p = cursor;
        cursor += bytes + kRedZone;
        return p;
    }

    void push(void* ptr, size_t c) {
        auto* n = static_cast<FreeNode*>(ptr);
        n->next = free[c];
        free[c] = n;
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
    Pool& pl = pool();
    if (bytes == kArena && !pl.spareArenas.empty()) {
        void* p = pl.spareArenas.back();
        pl.spareArenas.pop_back();
        ASAN_UNPOISON_MEMORY_REGION(p, kArena);
        return p;
    }
    void* p = std::aligned_alloc(kArena, bytes);
    if (!p) throw std::bad_alloc();
    madvise(p, bytes, MADV_HUGEPAGE);
    return p;
}

void cvxArenaFree(void* p, size_t size) {
    Pool& pl = pool();
    if (p && size <= kArena && pl.spareArenas.size() < kSpareArenas) {
        ASAN_POISON_MEMORY_REGION(p, kArena);
        pl.spareArenas.push_back(p);
        return;
    }
    std::free(p);
}

void* cvxPoolAlloc(size_t size) {
    if (size == 0) size = 1;
    if (size > kMaxPooled) return ::operator new(size);
    size_t c = classOf(size);
    Pool& p = pool();
    void* out;
    if (FreeNode* n = p.free[c]) {
        ASAN_UNPOISON_MEMORY_REGION(n, sizeof(FreeNode));
        p.free[c] = n->next;
        out = n;
    } else {
        out = p.carve(c * kGrain);
    }
    ASAN_UNPOISON_MEMORY_REGION(out, size);
    if (CVX_POOL_CHECKED) p.live[out] = c;
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
    if (!CVX_POOL_CHECKED) {
        p.push(ptr, c);
        return;
    }
    auto it = p.live.find(ptr);
    if (it == p.live.end() || it->second != c) {
        std::fprintf(stderr, "object pool: %p freed %s (as %zu bytes)\n", ptr,
                     it == p.live.end() ? "but not in use" : "with another size than it was made with", size);
        CVX_PRINT_STACK();
        std::abort();
    }
    p.live.erase(it);
    ASAN_POISON_MEMORY_REGION(ptr, c * kGrain);
    p.quarantine.emplace_back(ptr, c);
    if (p.quarantine.size() > kQuarantineSlots) {
        auto [old, oc] = p.quarantine.front();
        p.quarantine.pop_front();
        ASAN_UNPOISON_MEMORY_REGION(old, sizeof(FreeNode));
        p.push(old, oc);
        ASAN_POISON_MEMORY_REGION(old, sizeof(FreeNode));
    }
}
