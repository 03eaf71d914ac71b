#include "polyline/vertex_counters.h"

VertexCounters& vertexCounters() {
    static VertexCounters counters;
    return counters;
}
