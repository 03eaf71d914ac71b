// The density acceleration law that spaces a family of in-between shapes unevenly.
#pragma once

// Maps a fraction t in [0, 1] for an acceleration a in [-1, 1]: with e = 1 + 2|a|, t^e for a >= 0 (the shapes
// crowd towards the start) and 1 - (1 - t)^e for a < 0 (towards the end). a = 0 leaves t as it is.
double accelerate(double t, double a);
