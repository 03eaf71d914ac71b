// FORMULA: the formula curve dialog, run on the locked current document.
#pragma once

void formulaCommand();
