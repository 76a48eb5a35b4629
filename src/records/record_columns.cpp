#include "records/record_columns.hpp"

#include "text/printf_number.hpp"

namespace mirvok {

void appendRecordNumber(std::string& out, RecordField field, double value) {
    const RecordColumn& column = kRecordColumns[field];
    if (column.kind == ColumnKind::Count)
        appendPaddedInt(out, static_cast<long long>(value), column.width);
    else
        appendFixed(out, value, column.decimals, column.width);
    out += ';';
}

}  // namespace mirvok
