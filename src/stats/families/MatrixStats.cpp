// The matrix of the draw: this game lays the digits out in one column of ten rows, so only the
// combinations of columns and rows are offered; the whole-matrix methods stay unavailable.
#include "stats/StatClassOf.h"
#include "stats/families/Families.h"
#include "stats/families/GroupMembers.h"

namespace qx {
namespace {

template <TLiteral ClassName, TLiteral CodeFormat, TLiteral NameFormat, bool HasParams = false>
using TUnavailableMatrix = TUnavailableStat<TCustomMatrixStat, ClassName, CodeFormat, NameFormat, HasParams>;

constexpr auto kColumn = &TCustomMatrixStat::ColumnOf;
constexpr auto kRow = &TCustomMatrixStat::RowOf;
constexpr char kColMixName[] = "Сочетания из %0:d столбцов по всем числам тиража";
constexpr char kColSeqName[] = "Сочетания из %0:d столбцов по соседним числам";
constexpr char kRowMixName[] = "Сочетания из %0:d строк по всем числам тиража";
constexpr char kRowSeqName[] = "Сочетания из %0:d строк по соседним числам";

template <int Size, TLiteral ClassName>
using TColumnMix = TGroupCombStat<TCustomMatrixStat, kColumn, Size, false, ClassName, "KFM%d", kColMixName>;
template <int Size, TLiteral ClassName>
using TColumnSeq = TGroupCombStat<TCustomMatrixStat, kColumn, Size, true, ClassName, "KFS%d", kColSeqName>;
template <int Size, TLiteral ClassName>
using TRowMix = TGroupCombStat<TCustomMatrixStat, kRow, Size, false, ClassName, "KRM%d", kRowMixName>;
template <int Size, TLiteral ClassName>
using TRowSeq = TGroupCombStat<TCustomMatrixStat, kRow, Size, true, ClassName, "KRS%d", kRowSeqName>;

} // namespace

std::vector<const TStatClass*> MatrixClasses() {
    return {
        &StatClassOf<TUnavailableMatrix<"TstColumns", "COLS", "Столбцы матрицы (не пустые)">>(),
        &StatClassOf<TUnavailableMatrix<"TstRows", "ROWS", "Строки матрицы (не пустые)">>(),
        &StatClassOf<TUnavailableMatrix<"TstColValues", "COLV", "Количество чисел в столбце матрицы">>(),
        &StatClassOf<TUnavailableMatrix<"TstRowValues", "ROWV", "Количество чисел в строке матрицы">>(),
        &StatClassOf<TUnavailableMatrix<"TstColCount", "COLN", "Количество не пустых столбцов в матрице">>(),
        &StatClassOf<TUnavailableMatrix<"TstRowCount", "ROWN", "Количество не пустых строк в матрице">>(),
        &StatClassOf<TUnavailableMatrix<"TstColMask", "COLM", "Сочетания столбцов матрицы">>(),
        &StatClassOf<TUnavailableMatrix<"TstRowMask", "ROWM", "Сочетания строк матрицы">>(),
        &StatClassOf<TUnavailableMatrix<"TstColAjacent", "COLA", "Столбцы матрицы со смежными числами">>(),
        &StatClassOf<TUnavailableMatrix<"TstRowAjacent", "ROWA", "Строки матрицы со смежными числами">>(),
        &StatClassOf<TUnavailableMatrix<"TstColAjacentCnt", "COLC", "Количество столбцов матрицы со смежными числами">>(),
        &StatClassOf<TUnavailableMatrix<"TstRowAjacentCnt", "ROWC", "Количество строк матрицы со смежными числами">>(),
        &StatClassOf<TUnavailableMatrix<"TstColValCnt", "COL%d", "Количество чисел в %0:d столбце матрицы", true>>(),
        &StatClassOf<TUnavailableMatrix<"TstRowValCnt", "ROW%d", "Количество чисел в %0:d строке матрицы", true>>(),
        &StatClassOf<TColumnMix<2, "TstCombColMix2">>(),
        &StatClassOf<TColumnMix<3, "TstCombColMix3">>(),
        &StatClassOf<TColumnMix<4, "TstCombColMix4">>(),
        &StatClassOf<TColumnSeq<2, "TstCombColSeq2">>(),
        &StatClassOf<TColumnSeq<3, "TstCombColSeq3">>(),
        &StatClassOf<TColumnSeq<4, "TstCombColSeq4">>(),
        &StatClassOf<TRowMix<2, "TstCombRowMix2">>(),
        &StatClassOf<TRowMix<3, "TstCombRowMix3">>(),
        &StatClassOf<TRowMix<4, "TstCombRowMix4">>(),
        &StatClassOf<TRowSeq<2, "TstCombRowSeq2">>(),
        &StatClassOf<TRowSeq<3, "TstCombRowSeq3">>(),
        &StatClassOf<TRowSeq<4, "TstCombRowSeq4">>(),
    };
}

} // namespace qx
