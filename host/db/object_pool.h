// Memory for database objects: size-classed free lists over 2 MiB arenas the kernel may back with huge pages.
// A drawing of a million entities then costs a few hundred page faults instead of tens of thousands.
#pragma once

#include <cstddef>

void* cvxPoolAlloc(size_t size);
void cvxPoolFree(void* p, size_t size);
// 2 MiB-aligned memory for the host's own bulk tables (the stubs of a drawing); blocks given back are kept
// for reuse.
void* cvxArenaAlloc(size_t size);
void cvxArenaFree(void* p, size_t size);
