// libFuzzer target for the PAD check: a record from any PAD file, or any
// cells, must get its verdict without a crash or a hang, and every broken
// rule must name the value the record really holds for that field.
#include "catalogue/fieldcatalogue.h"
#include "pad/padcheck.h"
#include "pad/padimport.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fail(const char *what, int field = -1)
{
    std::fprintf(stderr, "fuzz_padcheck: %s (field %d)\n", what, field);
    std::abort();
}

// The check box fields are written as "Y"/"N", not as stored.
bool writtenAsStored(int field)
{
    return field != Field::IncludesJavaVm && field != Field::IncludesVbRuntime
        && field != Field::IncludesDirectX;
}

void checkRecord(const QStringList &record)
{
    for (const PadCheck::Violation &v : PadCheck::check(record)) {
        if (v.field < -1 || v.field >= FieldCatalogue::FieldCount)
            fail("violation of no field", v.field);
        if (v.field >= 0 && writtenAsStored(v.field) && v.value != record.value(v.field))
            fail("violation names another value", v.field);
        if (v.rule.isEmpty() || v.element.isEmpty())
            fail("violation without its rule", v.field);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const PadImport::Result imported = PadImport::fromBytes(bytes);
    if (imported.imported())
        checkRecord(imported.record);
    // The same bytes as hand-edited cells, one a line.
    QStringList cells = QString::fromLatin1(bytes).split(QLatin1Char('\n'));
    cells.resize(FieldCatalogue::FieldCount);
    checkRecord(cells);
    return 0;
}
