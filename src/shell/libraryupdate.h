#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QUrl>

// The rules of "&update soft": where the new site library comes from, how
// large it may be, what the user is told, and how a finished download takes
// its place for the swap at the next start.
namespace LibraryUpdate {

// The update server's host (with an optional ":port"): the one the
// environment names in KELVANE_UPDATE_HOST (kept for tests), else the one the
// options store (`storedHost`, "" for none), else the built-in one.
inline constexpr const char *DefaultHost = "update.kelvane.example";
inline constexpr const char *HostVariable = "KELVANE_UPDATE_HOST";
inline constexpr const char *Path = "/software/soft_full/KelvaneSubmit_dll.dll";
QString host(const QString &storedHost = QString());

// A site library is a few megabytes at most; a larger answer is refused
// before it fills the disk.
inline constexpr qint64 MaxBytes = 32 * 1024 * 1024;
// A transfer that receives nothing for this long has failed.
inline constexpr int StallMilliseconds = 30000;

QString dialogLabel();    // "Download update..."
QString successMessage(); // "You must now restart 'Kelvane Submit' to complete update."
QString errorMessage();   // "An error ocurred while downloading the file."
// What the user is told of a failed update: errorMessage(), then the reason.
QString failureMessage(const QString &reason);

// Redirects an update follows: to the same host only (another path, a
// mirror; https where it was http, never the other way), at most this many.
inline constexpr int MaxRedirects = 3;
bool followsRedirect(const QUrl &from, const QUrl &to);

// The checksum file beside the library: the SHA-256 in hex as the first word
// ("sha256sum" output or the bare digest). A longer answer is no checksum file.
inline constexpr qsizetype MaxChecksumBytes = 1024;
// The digest in lower-case hex, or empty when `answer` holds none.
QByteArray checksumOf(const QByteArray &answer);

// How a transfer without a usable answer ended.
enum class Break { None, Stalled, HostNotFound, Refused, Other };
// What a transfer fetches: the site library, or the site pack the options name.
enum class Source { Library, SitePack };
// A failed transfer's reason in plain words, from its HTTP status (0 for
// none) or else how it broke off.
QString transferProblem(int httpStatus, Break broken, Source source = Source::Library);
// The site pack download's progress title, and what the user is told when
// it fails, with the reason.
QString packDialogLabel(); // "Download site pack..."
QString packFailureMessage(const QString &reason);

// Whole days since 30 December 1899, the fraction giving the time of day.
double dayNumber(const QDateTime &localTime);
// Up to 15 significant digits with the locale's decimal separator.
QString dayNumberText(double dayNumber, const QLocale &locale = QLocale());

// "http://" user ":" password "@" host path "?" day number. The account is
// percent-encoded, so that ":", "@", "/" or "#" in it stay inside the account.
QString address(const QString &host, const QString &userName, const QString &passWord,
                const QString &dayNumberText);

struct InstallResult
{
    bool ok = false;
    QString reason; // why not, for the log; the user sees errorMessage()
};

// Checks the finished download at `downloadedPath` in the checker process and
// moves it in one rename to "KelvaneSubmit_dll.dll" in `dataFolder`, where the
// next start swaps it in. A refused download is removed.
InstallResult install(const QString &downloadedPath, const QString &dataFolder);

} // namespace LibraryUpdate
