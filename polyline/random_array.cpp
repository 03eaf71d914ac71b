#include "polyline/random_array.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "cvx/dbents.h"
#include "cvx/win.h"
#include "frame/append.h"
#include "frame/bilingual.h"
#include "polyline/commands.h"
#include "polyline/curve_kinds.h"

namespace {

// The factors of the step along X and along Y for step j.
void stepFactors(const ArrayPathSettings& s, int j, const std::function<int()>& randomDraw, double& fx, double& fy) {
    const int t = j % s.groupSize;
    const double part = static_cast<double>(t) / s.groupSize;
    switch (s.law) {
    case ArrayStepLaw::kRandom:
        fx = fy = ((randomDraw() % 100) + 50) / 150.0;
        return;
    case ArrayStepLaw::kHalfWave:
        fx = std::cos(part * M_PI / 2);
        fy = std::sin(part * M_PI / 2);
        return;
    case ArrayStepLaw::kFullWave:
        fx = std::fabs(std::cos(part * M_PI));
        fy = std::fabs(std::sin(part * M_PI));
        return;
    case ArrayStepLaw::kExponential:
        fx = fy = t == 0 ? 0.0 : std::exp((t - 1) * 3.0 / t);
        return;
    case ArrayStepLaw::kLogarithmic:
        fx = fy = std::log10(t + 1.0);
        return;
    }
}

}  // namespace

std::vector<AcGePoint3d> arrayPath(const ArrayPathSettings& settings, const std::function<int()>& randomDraw) {
    std::vector<AcGePoint3d> path;
    if (settings.total < 1 || settings.groupSize < 1) return path;
    path.push_back(AcGePoint3d::kOrigin);
    const double cx = std::cos(settings.angle) * settings.spacing, cy = std::sin(settings.angle) * settings.spacing;
    for (int j = 1; j < settings.total; ++j) {
        double fx = 0, fy = 0;
        stepFactors(settings, j, randomDraw, fx, fy);
        path.push_back(path.back() + AcGeVector3d(fx * cx, fy * cy, 0));
    }
    return path;
}

void seedRandomSource() {
    const char* fixed = std::getenv("CURVIX_RANDOM_SEED");
    std::srand(fixed && *fixed ? static_cast<unsigned>(std::strtoul(fixed, nullptr, 10))
                               : static_cast<unsigned>(GetTickCount()));
}

// ---- PLRNDArray ----

namespace {

constexpr double kSmallestSpacing = 0.0001;

int askTotal() {
    acedInitGet(6, nullptr);
    int total = 10;
    getIntBilingual(L"\n请输入阵列总数(1~1000)[10]:", L"\nPlease enter the array total number(1~1000)[10]:", total);
    return total >= 1 ? std::min(total, 1000) : 10;
}

ArrayStepLaw askLaw() {
    int mode = 1;
    getIntBilingual(L"\n模式: [随机阵列(1), 半波(2), 全波(3), 指数(4), 对数(5)]<1>:",
                    L"\nMode: [random array(1), HalfWave(2), FullWave(3), Exponential(4), Logarithmic(5)]<1>:", mode);
    return static_cast<ArrayStepLaw>(std::clamp(mode, 1, 5));
}

int askGroupSize() {
    acedInitGet(6, nullptr);
    int group = 10;
    getIntBilingual(L"\n请输入每组数量(10~100)[10]:", L"\nPlease enter the number in a group(10~100)[10]:", group);
    return std::clamp(group, 10, 100);
}

void addMovedCopy(AcDbObjectId id, const AcGeVector3d& shift) {
    AcDbObjectPointer<AcDbEntity> source(id, AcDb::kForRead);
    if (!source) return;
    auto* copy = AcDbEntity::cast(source->clone());
    source.close();
    if (!copy) return;
    AcDbObjectId newId;
    if (copy->transformBy(AcGeMatrix3d::translation(shift)) != Acad::eOk ||
        appendToWorkingSpace(copy, newId) != Acad::eOk)
        delete copy;
}

}  // namespace

void plrndarrayCommand() {
    TypedSelection selection = selectCurvesOfAnyKind({L"请选择曲线 >\n", L"Please select Curves >\n"},
                                                     {L"没有选择曲线。\n", L"No Curve selected.\n"});
    if (!selection.ok()) return;
    ArrayPathSettings settings;
    settings.total = askTotal();
    acedInitGet(6, nullptr);
    if (getDistBilingual(nullptr, L"\n请输入等分距离:", L"\nPlease enter the equal distance:", settings.spacing) !=
            RTNORM ||
        settings.spacing < kSmallestSpacing)
        return;
    int degrees = 0;
    getIntBilingual(L"\n请输入角度[0]:", L"\nPlease enter the angle[0]:", degrees);
    settings.angle = degrees * M_PI / 180.0;
    settings.law = askLaw();
    if (settings.law != ArrayStepLaw::kRandom) settings.groupSize = askGroupSize();
    seedRandomSource();
    const std::vector<AcGePoint3d> path = arrayPath(settings, [] { return std::rand(); });
    if (path.size() < 2) return;
    const std::vector<AcDbObjectId> ids = selection.ids();
    for (size_t k = 1; k < path.size(); ++k)
        for (AcDbObjectId id : ids) addMovedCopy(id, path[k] - path[0]);
}
