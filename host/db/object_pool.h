// Memory for database objects: size-classed free lists over 2 MiB arenas the kernel may back with huge pages.
// A drawing of a million entities then costs a few hundred page faults instead of tens of thousands.
#pragma once

#include <cstddef>

void* cvxPoolAlloc(size_t size);
void cvxPoolFree(void* p, size_t size);
// A block of memory for the host's own bulk tables (not freed until the process ends or given back).
void* cvxArenaAlloc(size_t size);
void cvxArenaFree(void* p, size_t size);
