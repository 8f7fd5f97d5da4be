#include "platform/settings.h"

#include "platform/datafiles.h"
#include "platform/inifile.h"
#include "platform/recordfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStringList>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("Settings", text);
}

QString keyPath(const char *section, const char *key)
{
    return QString::fromLatin1(section) + QLatin1Char('/') + QString::fromLatin1(key);
}

constexpr auto OwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

} // namespace

QString WebWindowGeometry::toText() const
{
    return QStringLiteral("%1.%2.%3.%4").arg(width).arg(height).arg(left).arg(top);
}

std::optional<WebWindowGeometry> WebWindowGeometry::parse(const QString &text, QString *error)
{
    const QStringList parts = text.split(QLatin1Char('.'));
    int values[4] = {0, 0, 0, 0};
    for (int i = 0; i < 4; ++i) {
        const QString part = parts.value(i);
        bool ok = false;
        values[i] = part.trimmed().toInt(&ok);
        if (!ok || i >= parts.size()) {
            if (error)
                *error = QCoreApplication::translate("Settings", "'%1' is not a valid integer value")
                             .arg(part);
            return std::nullopt;
        }
    }
    if (parts.size() > 4) {
        if (error)
            *error = QCoreApplication::translate("Settings", "'%1' is not a valid integer value")
                         .arg(parts.mid(3).join(QLatin1Char('.')));
        return std::nullopt;
    }
    return WebWindowGeometry{values[0], values[1], values[2], values[3]};
}

Settings::Settings(const QString &dataFolder)
    : m_path(DataFiles(dataFolder).settings())
{
    // The file holds the login: create it owner-only before anything is written
    // (later rewrites keep the permissions of the file they replace).
    if (!QFile::exists(m_path)) {
        QFile create(m_path);
        if (create.open(QIODevice::WriteOnly))
            create.setPermissions(OwnerOnly);
    }
    m_settings = std::make_unique<QSettings>(m_path, QSettings::IniFormat);
    if (m_settings->status() == QSettings::FormatError
        || (QFile::exists(m_path) && !IniFile::looksLikeIni(m_path))) {
        // Keep what we could not read, then start from the defaults.
        const QString copy = RecordFile::keepBadCopy(m_path);
        m_settings.reset();
        QFile::remove(m_path);
        QFile create(m_path);
        if (create.open(QIODevice::WriteOnly))
            create.setPermissions(OwnerOnly);
        create.close();
        m_settings = std::make_unique<QSettings>(m_path, QSettings::IniFormat);
        m_openProblem =
            tr("The settings file %1 could not be read; the defaults are used. The original was kept as %2.")
                .arg(QDir::toNativeSeparators(m_path), QDir::toNativeSeparators(copy));
    }
    if (QFile::exists(m_path))
        QFile::setPermissions(m_path, OwnerOnly);
}

Settings::~Settings()
{
    sync();
}

void Settings::sync()
{
    m_settings->sync();
    if (QFile::exists(m_path))
        QFile::setPermissions(m_path, OwnerOnly);
}

QString Settings::text(const char *section, const char *key, const QString &fallback) const
{
    const QVariant v = m_settings->value(keyPath(section, key));
    return v.isValid() ? v.toString() : fallback;
}

void Settings::setText(const char *section, const char *key, const QString &value)
{
    m_settings->setValue(keyPath(section, key), value);
    sync();
}

bool Settings::flag(const char *section, const char *key, bool fallback) const
{
    const QString v = text(section, key, QString()).trimmed();
    if (v.isEmpty())
        return fallback;
    if (v.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (v.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    bool ok = false;
    const int n = v.toInt(&ok);
    return ok ? n != 0 : fallback;
}

int Settings::software(int fallback) const
{
    bool ok = false;
    const int row = text("Options", "Software", QString()).trimmed().toInt(&ok);
    return ok ? row : fallback;
}

void Settings::setSoftware(int row)
{
    setText("Options", "Software", QString::number(row));
}

QString Settings::submitTo(const QString &fallback) const
{
    return text("Options", "SubmitTo", fallback);
}

void Settings::setSubmitTo(const QString &name)
{
    setText("Options", "SubmitTo", name);
}

QString Settings::webWindow() const
{
    return text("Options", "WebWindow", QStringLiteral("0.0.0.0"));
}

void Settings::setWebWindow(const QString &text)
{
    setText("Options", "WebWindow", text);
}

QString Settings::displayInlineImages(const QString &fallback) const
{
    return text("Options", "DisplayInlineImages", fallback);
}

void Settings::setDisplayInlineImages(const QString &value)
{
    setText("Options", "DisplayInlineImages", value);
}

QString Settings::zone31400(const QString &fallback) const
{
    return text("Options", "Zone.3.1400", fallback);
}

void Settings::setZone31400(const QString &value)
{
    setText("Options", "Zone.3.1400", value);
}

bool Settings::javaScript() const
{
    return flag("Options", "JavaScript", true);
}

void Settings::setJavaScript(bool on)
{
    setText("Options", "JavaScript", on ? QStringLiteral("1") : QStringLiteral("0"));
}

bool Settings::showImages() const
{
    return flag("Options", "ShowImages", true);
}

void Settings::setShowImages(bool on)
{
    setText("Options", "ShowImages", on ? QStringLiteral("1") : QStringLiteral("0"));
}

bool Settings::hasLogin() const
{
    return m_settings->contains(keyPath("Login", "UserName"))
           && m_settings->contains(keyPath("Login", "PassWord"));
}

QString Settings::userNameStored() const
{
    return text("Login", "UserName", QString());
}

QString Settings::passWordStored() const
{
    return text("Login", "PassWord", QString());
}

void Settings::setLoginStored(const QString &userName, const QString &passWord)
{
    m_settings->setValue(keyPath("Login", "UserName"), userName);
    m_settings->setValue(keyPath("Login", "PassWord"), passWord);
    sync();
}
