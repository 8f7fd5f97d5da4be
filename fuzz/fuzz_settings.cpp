// libFuzzer target for the settings file's reader: any bytes must parse
// without a crash or a hang, write back byte for byte when nothing was set,
// and keep every other value when one is set.
#include "platform/cp1252.h"
#include "platform/inifile.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "fuzz_settings: %s\n", what);
    std::abort();
}

const char *const Keys[] = {"Software", "SubmitTo", "WebWindow", "JavaScript", "UserName", "PassWord"};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    IniFile ini = IniFile::parse(bytes);
    if (ini.toBytes() != bytes)
        fail("an unchanged file does not write back as it was");

    // The first line (up to 40 bytes) is set as a value.
    QString value = Cp1252::decode(bytes.left(bytes.indexOf('\n')).left(40));
    const QString section = QStringLiteral("Options");
    const QString other = QStringLiteral("Login");
    std::optional<QString> before[std::size(Keys)];
    for (std::size_t k = 0; k < std::size(Keys); ++k)
        before[k] = ini.value(other, QString::fromLatin1(Keys[k]));
    ini.setValue(section, QStringLiteral("SubmitTo"), value);
    ini.removeNotUnderstood();
    const IniFile again = IniFile::parse(ini.toBytes());
    if (!again.notUnderstood().isEmpty())
        fail("a written file holds lines it cannot read");
    value.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    if (again.value(section, QStringLiteral("submitto")) != value)
        fail("the value set does not read back");
    for (std::size_t k = 0; k < std::size(Keys); ++k) {
        if (again.value(other, QString::fromLatin1(Keys[k])) != before[k])
            fail("another section's value changed");
    }
    return 0;
}
