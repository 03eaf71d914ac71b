// The catalogue of formula curves: 71 rows, each with a label, a picture and up to four whole-number
// parameters. The English and the Chinese table have the same rows; only their label texts differ.
#pragma once

#include <array>
#include <cstdint>
#include <string>

struct FormulaParam {
    std::wstring label;  // empty: the row does not use this slot
    int32_t min = 0, defaultValue = 0, max = 0;
};

struct FormulaCurveEntry {
    std::wstring label;
    int32_t pictureId = 0;  // the row's PNG picture among the module's resources
    std::array<FormulaParam, 4> params;
};

constexpr int kFormulaRowCount = 71;
using FormulaCatalogue = std::array<FormulaCurveEntry, kFormulaRowCount>;

const FormulaCatalogue& englishFormulaCatalogue();
const FormulaCatalogue& chineseFormulaCatalogue();
// The table of the module's language.
const FormulaCatalogue& formulaCatalogue();

// The default values of a row's four slots (0-based row).
std::array<int, 4> formulaDefaults(int row);
