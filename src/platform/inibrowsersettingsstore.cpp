#include "platform/inibrowsersettingsstore.h"

#include "platform/inicheck.h"
#include "platform/recordfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace {

QString group(const QString &key)
{
    QString path = key;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (path.startsWith(QLatin1Char('/')))
        path.remove(0, 1);
    return path;
}

QString valuePath(const QString &key, const QString &name)
{
    return group(key) + QLatin1Char('/') + name;
}

} // namespace

IniBrowserSettingsStore::IniBrowserSettingsStore(const QString &path)
    : m_path(path)
{
    m_settings = std::make_unique<QSettings>(m_path, QSettings::IniFormat);
    if (m_settings->status() == QSettings::FormatError || !IniCheck::looksLikeIni(m_path)) {
        // The system browser's own values may be in there: keep the file.
        const QString copy = RecordFile::keepBadCopy(m_path);
        if (copy.isEmpty()) {
            // Without a copy the file is left as it is and nothing is written.
            m_settings.reset();
            m_openProblem = QCoreApplication::translate(
                                "IniBrowserSettingsStore",
                                "The browser settings file %1 could not be read; the browser's "
                                "defaults are used for this run and the file is left unchanged.")
                                .arg(QDir::toNativeSeparators(m_path));
            return;
        }
        m_settings.reset();
        QFile::remove(m_path);
        m_settings = std::make_unique<QSettings>(m_path, QSettings::IniFormat);
        m_openProblem =
            QCoreApplication::translate(
                "IniBrowserSettingsStore",
                "The browser settings file %1 could not be read; the browser's defaults are "
                "used. The original was kept as %2.")
                .arg(QDir::toNativeSeparators(m_path), QDir::toNativeSeparators(copy));
    }
}

IniBrowserSettingsStore::~IniBrowserSettingsStore() = default;

QString IniBrowserSettingsStore::userPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
           + QStringLiteral("/KelvaneSubmit/BrowserSettings.ini");
}

QString IniBrowserSettingsStore::readString(const QString &key, const QString &name) const
{
    if (!m_settings)
        return QString();
    const QVariant v = m_settings->value(valuePath(key, name));
    // A hand-edited "a,b" reads as a list.
    if (v.typeId() == QMetaType::QStringList)
        return v.toStringList().join(QLatin1Char(','));
    return v.toString();
}

std::optional<qint32> IniBrowserSettingsStore::readInteger(const QString &key,
                                                           const QString &name) const
{
    bool ok = false;
    const qint32 n = readString(key, name).trimmed().toInt(&ok);
    if (!ok)
        return std::nullopt;
    return n;
}

void IniBrowserSettingsStore::writeString(const QString &key, const QString &name,
                                          const QString &value)
{
    if (!m_settings)
        return;
    // The same value again is no change: the file is left as it is.
    const QString path = valuePath(key, name);
    const QVariant stored = m_settings->value(path);
    if (stored.isValid() && stored.toString() == value)
        return;
    m_settings->setValue(path, value);
    m_settings->sync();
}

void IniBrowserSettingsStore::writeInteger(const QString &key, const QString &name, qint32 value)
{
    writeString(key, name, QString::number(value));
}

void IniBrowserSettingsStore::deleteValue(const QString &key, const QString &name)
{
    if (!m_settings || !m_settings->contains(valuePath(key, name)))
        return;
    m_settings->remove(valuePath(key, name));
    m_settings->sync();
}

QStringList IniBrowserSettingsStore::valueNames(const QString &key) const
{
    if (!m_settings)
        return {};
    m_settings->beginGroup(group(key));
    const QStringList names = m_settings->childKeys();
    m_settings->endGroup();
    return names;
}
