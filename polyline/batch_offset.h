// Several parallel copies of a curve, to one or both sides, at cumulative spacings. The command PLOFFSET
// and the inward offsets of enclosed areas both use offsetCurve.
#pragma once

#include <array>
#include <string>

#include "cvx/dbents.h"

inline constexpr int kMaxOffsetCopies = 10;
// The spacing of copy k from copy k-1 (copy 0 being the source) is spacings[k-1].
using OffsetSpacings = std::array<double, kMaxOffsetCopies>;

// Which sides get copies: 'D' both, 'I' inner (negative distances), 'O' outer (positive distances), in the
// sign convention of AcDbCurve::getOffsetCurves.
enum class OffsetSide : wchar_t { kBoth = L'D', kInner = L'I', kOuter = L'O' };

// Reads a typed list such as "9,2,1" (also with "，" or "/" between the numbers and blanks anywhere). Missing
// entries repeat the last given one, and an entry below 0.0001 takes the one before it. False (spacings
// unusable) when nothing was given or the first spacing is not above 0.0001.
bool parseOffsetSpacings(const std::wstring& text, OffsetSpacings& spacings);
// The prompt for such a list, in the current language.
const ACHAR* offsetListPrompt();

// Reverses a polyline (of any kind) whose edges mostly turn clockwise about the mean of its vertices, seen from
// +Z, so that outer offsets lie outside. The curve is open for read and stays so; other curves are left alone.
void orientCounterClockwise(AcDbCurve* curve);

// Orients the curve (see above), then adds copies 1..count (count at most 10) on the chosen sides, beside the
// source, on the drawing's current layer and in its current colour. The curve is open for read; curves shorter
// than 0.0001 and curves the host cannot offset give nothing. Returns the number of curves added.
int offsetCurve(AcDbCurve* curve, const OffsetSpacings& spacings, int count, OffsetSide side);
