// The .xls export: cells written by BiffWriter read back with the tests'
// BIFF reader must give what was written; the reader itself takes any bytes.

#include "FuzzText.h"
#include "grid/BiffReadBack.h"
#include "grid/BiffWriter.h"

#include <QBuffer>
#include <cstring>
#include <fuzzer/FuzzedDataProvider.h>
#include <map>
#include <variant>

namespace {

using Value = std::variant<QString, double, qint64, std::monostate>;

bool sameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

void check(bool condition) {
    if (!condition)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    if (in.ConsumeBool()) {
        (void)tolvi::test::readBiff(tolvi::fuzz::bytesOf(data, size));
        return 0;
    }
    QByteArray stream;
    QBuffer buffer(&stream);
    buffer.open(QIODevice::WriteOnly);
    tolvi::grid::BiffWriter writer(&buffer);
    std::map<std::pair<int, int>, Value> written;
    writer.beginOfFile();
    while (in.remaining_bytes() > 0) {
        const int row = in.ConsumeIntegralInRange<int>(0, 65535);
        const int column = in.ConsumeIntegralInRange<int>(0, 255);
        switch (in.ConsumeIntegralInRange<int>(0, 3)) {
        case 0: {
            const std::string raw = in.ConsumeRandomLengthString(1 << 17);
            const QString text =
                tolvi::fuzz::textOf(reinterpret_cast<const uint8_t*>(raw.data()), raw.size());
            writer.text(row, column, text);
            written[{row, column}] = text;
            break;
        }
        case 1: {
            const double v = in.ConsumeFloatingPoint<double>();
            writer.number(row, column, v);
            written[{row, column}] = v;
            break;
        }
        case 2: {
            const qint64 v = in.ConsumeIntegral<qint64>();
            writer.integer(row, column, v);
            written[{row, column}] = v;
            break;
        }
        default:
            writer.blank(row, column);
            written[{row, column}] = std::monostate{};
        }
    }
    writer.endOfFile();
    check(writer.ok());

    const tolvi::test::BiffSheet sheet = tolvi::test::readBiff(stream);
    check(sheet.wellFormed);
    for (const auto& [at, value] : written) {
        const auto cell = sheet.cell(at.first, at.second);
        check(cell.has_value());
        if (const auto* text = std::get_if<QString>(&value)) {
            const QByteArray gbk = tolvi::gbk::encode(*text);
            check(cell->textBytes <= tolvi::grid::biff::kMaxTextBytes);
            if (gbk.size() <= tolvi::grid::biff::kMaxTextBytes)
                check(cell->text == tolvi::gbk::decode(gbk));
            else
                check(gbk.startsWith(tolvi::gbk::encode(cell->text)));
        } else if (const auto* number = std::get_if<double>(&value)) {
            check(cell->type == tolvi::grid::biff::kNumber && sameBits(cell->number, *number));
        } else if (const auto* integer = std::get_if<qint64>(&value)) {
            check(cell->number == static_cast<double>(*integer));
        } else {
            check(cell->type == tolvi::grid::biff::kBlank);
        }
    }
    return 0;
}
