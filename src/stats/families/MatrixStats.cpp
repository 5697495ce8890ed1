// The matrix of the draw: this game lays the digits out in one column of ten rows, so only the
// combinations of columns and rows are offered; the whole-matrix methods stay unavailable.
#include "stats/StatClassOf.h"
#include "stats/families/Families.h"
#include "stats/families/GroupMembers.h"

namespace qx {
namespace {

template <TLiteral ClassName, TLiteral CodeFormat, TLiteral NameFormat, bool HasParams = false>
const TStatClass* Unavailable() {
    return &StatClassOf<TUnavailableStat<TCustomMatrixStat, ClassName, CodeFormat, NameFormat, HasParams>>();
}

} // namespace

std::vector<const TStatClass*> MatrixClasses() {
    std::vector<const TStatClass*> classes = {
        Unavailable<"TstColumns", "COLS", "Столбцы матрицы (не пустые)">(),
        Unavailable<"TstRows", "ROWS", "Строки матрицы (не пустые)">(),
        Unavailable<"TstColValues", "COLV", "Количество чисел в столбце матрицы">(),
        Unavailable<"TstRowValues", "ROWV", "Количество чисел в строке матрицы">(),
        Unavailable<"TstColCount", "COLN", "Количество не пустых столбцов в матрице">(),
        Unavailable<"TstRowCount", "ROWN", "Количество не пустых строк в матрице">(),
        Unavailable<"TstColMask", "COLM", "Сочетания столбцов матрицы">(),
        Unavailable<"TstRowMask", "ROWM", "Сочетания строк матрицы">(),
        Unavailable<"TstColAjacent", "COLA", "Столбцы матрицы со смежными числами">(),
        Unavailable<"TstRowAjacent", "ROWA", "Строки матрицы со смежными числами">(),
        Unavailable<"TstColAjacentCnt", "COLC", "Количество столбцов матрицы со смежными числами">(),
        Unavailable<"TstRowAjacentCnt", "ROWC", "Количество строк матрицы со смежными числами">(),
        Unavailable<"TstColValCnt", "COL%d", "Количество чисел в %0:d столбце матрицы", true>(),
        Unavailable<"TstRowValCnt", "ROW%d", "Количество чисел в %0:d строке матрицы", true>(),
    };
    for (const TStatClass* c : GroupCombClasses<TCustomMatrixStat, &TCustomMatrixStat::ColumnOf, "TstCombCol",
                                                "KFM%d", "Сочетания из %0:d столбцов по всем числам тиража",
                                                "KFS%d", "Сочетания из %0:d столбцов по соседним числам">())
        classes.push_back(c);
    for (const TStatClass* c : GroupCombClasses<TCustomMatrixStat, &TCustomMatrixStat::RowOf, "TstCombRow",
                                                "KRM%d", "Сочетания из %0:d строк по всем числам тиража",
                                                "KRS%d", "Сочетания из %0:d строк по соседним числам">())
        classes.push_back(c);
    return classes;
}

} // namespace qx
