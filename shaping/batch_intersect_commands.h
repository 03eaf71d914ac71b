// PLJD: all crossings of the selected curves. PLJD1: the crossings of one picked curve with the curves
// around it, numbered along it from the end nearer the pick. Both then mark, number, list or insert blocks.
#pragma once

void pljdCommand();
void pljd1Command();
