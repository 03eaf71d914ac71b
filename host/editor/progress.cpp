#include "cvx/progress.h"

#include <chrono>
#include <string>

#include "cvx/editor.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Run {
    std::wstring label;
    long long total = 0;
    int tenthShown = 0;
    bool active = false;
    Clock::time_point start;
};

Run gRun;
CvxProgressSink gSink = nullptr;

}  // namespace

void cvxProgressBegin(const wchar_t* label, long long total) {
    gRun = Run{label ? label : L"", total, 0, true, Clock::now()};
    if (gSink) gSink(gRun.label.c_str(), 0, total);
}

void cvxProgressStep(long long done) {
    if (!gRun.active || gRun.total <= 0) return;
    const int tenth = static_cast<int>(done * 10 / gRun.total);
    if (tenth <= gRun.tenthShown) return;
    if (gSink) {
        gRun.tenthShown = tenth;
        gSink(gRun.label.c_str(), done, gRun.total);
        return;
    }
    if (Clock::now() - gRun.start < std::chrono::seconds(1)) return;
    gRun.tenthShown = tenth;
    acutPrintf(L"\n%ls %d%%", gRun.label.c_str(), tenth * 10);
}

void cvxProgressEnd() {
    if (gRun.active && gSink) gSink(gRun.label.c_str(), gRun.total, gRun.total);
    gRun.active = false;
}

CvxProgressSink cvxSetProgressSink(CvxProgressSink sink) {
    CvxProgressSink before = gSink;
    gSink = sink;
    return before;
}
