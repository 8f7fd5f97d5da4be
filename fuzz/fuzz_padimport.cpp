// libFuzzer target for the PAD import: any bytes must import or be refused
// without a crash, a hang or memory out of proportion, and what imports must
// be storable, export as well-formed XML and come back unchanged through
// our own export.
#include "catalogue/fieldcatalogue.h"
#include "pad/padexport.h"
#include "pad/padimport.h"
#include "platform/cp1252.h"

#include <QXmlStreamReader>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fail(const char *what, int field = -1)
{
    std::fprintf(stderr, "fuzz_padimport: %s (field %d)\n", what, field);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const PadImport::Result result = PadImport::fromBytes(bytes);
    if (!result.imported()) {
        if (result.error.isEmpty())
            fail("refused without a reason");
        return 0;
    }
    if (result.record.size() != FieldCatalogue::FieldCount)
        fail("record of the wrong size");
    for (int f = 0; f < FieldCatalogue::FieldCount; ++f) {
        if (!Cp1252::canEncode(result.record.at(f)))
            fail("value the catalogue cannot store", f);
    }
    const QByteArray exported = PadExport::document(result.record);
    QXmlStreamReader xml(exported);
    while (!xml.atEnd())
        xml.readNext();
    if (xml.hasError())
        fail("our own export is no well-formed XML");
    const PadImport::Result again = PadImport::fromBytes(exported);
    if (!again.imported())
        fail("our own export of an imported record is refused");
    for (int f = 0; f < FieldCatalogue::FieldCount; ++f) {
        if (again.record.at(f) != result.record.at(f))
            fail("value changed through export and import", f);
    }
    return 0;
}
