// The module-wide vertex counters of the optimisation tools: vertices read and vertices written by the
// thinning engine (PLYH resets both), and vertices deleted as duplicates (PLYH2 resets it).
#pragma once

struct VertexCounters {
    int before = 0;
    int after = 0;
    int deletedDuplicates = 0;
};

VertexCounters& vertexCounters();
