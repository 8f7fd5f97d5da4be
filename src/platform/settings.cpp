#include "platform/settings.h"

#include "platform/datafiles.h"
#include "platform/inifile.h"
#include "platform/recordfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("Settings", text);
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
    open();
}

void Settings::open()
{
    const QFileInfo info(m_path);
    // No file yet: the first write creates it (owner-only, as it holds the
    // login), so a start that changes nothing leaves nothing behind.
    if (!info.exists() && !info.isSymLink())
        return;
    // Not a plain file (a folder, a pipe that would block the start): not ours
    // to read or replace.
    QFile file(m_path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly)) {
        m_writable = false;
        m_openProblem = tr("The settings file %1 could not be read; the defaults are used "
                           "and the file is left as it is, so changed settings are not kept.")
                            .arg(QDir::toNativeSeparators(m_path));
        return;
    }
    m_ini = IniFile::parse(file.readAll());
    file.close();
    QFile::setPermissions(m_path, OwnerOnly);
    const int setAside = int(m_ini.notUnderstood().size());
    if (setAside == 0)
        return;
    // Keep what we could not read, then go on with every line we could.
    const QString copy = RecordFile::keepBadCopy(m_path);
    if (copy.isEmpty())
        return; // the lines stay in the file untouched
    QFile::setPermissions(copy, OwnerOnly);
    // Written at once, so the next start neither copies nor reports them again.
    m_ini.removeNotUnderstood();
    m_changed = true;
    sync();
    m_openProblem = QCoreApplication::translate(
                        "Settings",
                        "%n line(s) of the settings file %1 could not be read and were set "
                        "aside; the other settings are used. The original was kept as %2.",
                        nullptr, setAside)
                        .arg(QDir::toNativeSeparators(m_path), QDir::toNativeSeparators(copy));
}

Settings::~Settings()
{
    sync();
}

void Settings::sync()
{
    if (!m_changed || !m_writable)
        return;
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.setPermissions(OwnerOnly);
    const QByteArray bytes = m_ini.toBytes();
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        file.cancelWriting();
        return;
    }
    QFile::setPermissions(m_path, OwnerOnly);
    m_changed = false;
}

QString Settings::text(const char *section, const char *key, const QString &fallback) const
{
    return m_ini.value(QString::fromLatin1(section), QString::fromLatin1(key)).value_or(fallback);
}

void Settings::setText(const char *section, const char *key, const QString &value)
{
    // The same value again is no change: the file is left as it is.
    if (m_ini.value(QString::fromLatin1(section), QString::fromLatin1(key)) == value)
        return;
    m_ini.setValue(QString::fromLatin1(section), QString::fromLatin1(key), value);
    m_changed = true;
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

QString Settings::mainWindow() const
{
    return text("Options", "MainWindow", QString());
}

void Settings::setMainWindow(const QString &text)
{
    setText("Options", "MainWindow", text);
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
    return m_ini.value(QStringLiteral("Login"), QStringLiteral("UserName")).has_value()
           && m_ini.value(QStringLiteral("Login"), QStringLiteral("PassWord")).has_value();
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
    m_ini.setValue(QStringLiteral("Login"), QStringLiteral("UserName"), userName);
    m_ini.setValue(QStringLiteral("Login"), QStringLiteral("PassWord"), passWord);
    m_changed = true;
    sync();
}

QString Settings::updateHost() const
{
    return text("Options", UpdateHostKey, QString());
}

void Settings::setUpdateHost(const QString &host)
{
    setText("Options", UpdateHostKey, host);
}

QString Settings::sitePackAddress() const
{
    return text("Options", SitePackAddressKey, QString());
}

void Settings::setSitePackAddress(const QString &address)
{
    setText("Options", SitePackAddressKey, address);
}
