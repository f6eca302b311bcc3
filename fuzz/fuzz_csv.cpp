// The shop's CSV report: decoding, splitting and the table built from it.

#include "FuzzText.h"
#include "data/db/DbError.h"
#include "import/CsvTable.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = tolvi::fuzz::bytesOf(data, size);
    try {
        const tolvi::db::ExternalTable table = tolvi::csvTableFromBytes(bytes);
        for (const auto& row : table.rows)
            if (row.isEmpty())
                __builtin_trap(); // rows without any value are left out
    } catch (const tolvi::db::DbError&) {
        // an unclosed quote is refused with a message
    }
    return 0;
}
