// Generated drawings for the benchmarks: every kind in turn, spread over an
// image area, with a handful of shared attribute entries, as a user's
// diagram would have.
#pragma once

#include "model/data.h"

struct SampleOptions {
    int elementCount = 1000;
    double width = 1920;
    double height = 1080;
    unsigned seed = 1;
};

void fillSampleDrawing(Drawing& drawing, const SampleOptions& options);
