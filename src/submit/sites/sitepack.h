#pragma once

#include "submit/sites/usersites.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

// Site packs: files that carry sites from one author to another. A pack is
// UTF-8 JSON text, one object:
//
//   {
//       "format": "kelvane-site-pack",
//       "version": 1,
//       "program": "Kelvane Submit 1.0.0.0",
//       "created": "2026-12-10",
//       "sites": [
//           {
//               "name": "BestSoftware",
//               "homePage": "https://best.example/",
//               "notes": "",
//               "auto": "yes",
//               "submitPage": "https://best.example/add",
//               "login": "0",
//               "registrationPage": "",
//               "fieldMap": ["0=b_Program_Name", "57=padurl"]
//           }
//       ]
//   }
//
// "format" marks the file as a pack. "version" is a whole number: a reader
// takes its own version and older ones and refuses a newer one as a whole.
// "program" and "created" (yyyy-MM-dd) only tell where the pack came from.
// Each site object holds the site record's cells (SiteRecord) by name, every
// one a JSON string: "name", "submitPage" and "login" must be there, the
// others are blank when left out; "fieldMap" is a list of the field-map
// entries in order. Keys the reader does not know are ignored and named in a
// note, so a later version may add some; other top-level keys are ignored.
//
// A pack never carries a user name or password: the writer leaves the user
// pass out, and a pack whose site objects hold a key named like a credential
// ("userPass", "user", "password", ...) is refused as a whole.
//
// Bounds: the whole file (MaxFileBytes) and the number of sites (MaxSites) are
// the pack's: past them nothing is read. One site's texts (MaxSiteChars) and
// its field-map entries (MaxFieldMapEntries) are the site's own: past them
// only that site is refused, as is a site that breaks the caller's rule, lacks
// a key, holds something other than text, names a script or file address, or
// takes a name (letter case aside) an earlier site of the pack already has.
namespace SitePack {

inline constexpr const char *FormatName = "kelvane-site-pack";
inline constexpr int Version = 1;
// Larger than any pack of MaxSites ordinary sites; also for callers that download.
inline constexpr qsizetype MaxFileBytes = 16 * 1024 * 1024;
inline constexpr int MaxSites = 20000;
// All of one site's texts together, in characters: a site library record's bound.
inline constexpr qsizetype MaxSiteChars = 64 * 1024;
inline constexpr int MaxFieldMapEntries = UserSites::MaxCells - UserSites::FixedCells;
// Names and keys the user is shown are cut short past this; a reason the
// site rule gives past four times this.
inline constexpr int MaxShownChars = 100;

// Writes the sites (site records in SiteRecord order) as a pack, user passes
// left out and each field map up to its first blank entry.
QByteArray write(const QList<QStringList> &siteRecords, const QString &programText,
                 const QDate &created);

// Why a site may not be stored among the user's sites (the site editor's
// rule), or "". Handed the site's stored cells, user pass blank.
using Refusal = UserSites::Refusal;

enum class Status {
    Ok,
    NotAPack,       // empty, a web page, binary, or JSON that is no pack
    NewerVersion,   // made by a newer program
    TooLarge,       // past MaxFileBytes or MaxSites
    HasCredentials, // a site carries a user name or password
};

struct RefusedSite
{
    int number = 0; // the site's place in the pack, from 1
    QString name;   // as the pack gives it, cut short (MaxShownChars); "" when none
    QString reason;
};

struct ReadResult
{
    Status status = Status::NotAPack;
    // Why the pack was refused as a whole, for the user; "" when Ok.
    QString message;
    int version = 0;
    QString program;
    QDate created; // null when the pack gives none that reads as a date
    // The sites taken, in pack order: their stored cells (UserSites::storedCells),
    // user pass blank.
    QList<QStringList> sites;
    QList<RefusedSite> refused;
    // Site keys this version does not know (cut short), and a line for the
    // user naming some of them ("" when there are none).
    QStringList unknownKeys;
    QString note;
};

// Reads a pack. Each site must also pass `siteRule`; without one only the
// pack's own checks apply.
ReadResult read(const QByteArray &bytes, const Refusal &siteRule);

enum class State { New, Same, Differs };
enum class Ours { None, Library, User };

struct Difference
{
    QString caption; // the submit list's column heading, or "field map"
    QString ours;
    QString theirs; // field maps: one entry a line
};

struct SiteComparison
{
    QString name; // the pack's
    State state = State::New;
    // What the pack site is compared with: the user's site of that name,
    // letter case aside, else the library's.
    Ours ours = Ours::None;
    QList<Difference> differences; // Differs only, in column order
};

struct Comparison
{
    QList<SiteComparison> sites; // in the pack's order
    int newCount = 0;
    int sameCount = 0;
    int differsCount = 0;
};

// Each pack site against what the program has now. The user pass is never
// compared; a different letter case of the name is a difference.
Comparison compare(const QList<QStringList> &packSites, const QList<QStringList> &librarySites,
                   const QList<QStringList> &userSites);

// The chosen pack sites as the user's own: each replaces the user's site of
// its name (letter case aside) or is added. One named like a library site
// thus becomes the user's copy of it. The caller saves the file.
UserSites::File apply(UserSites::File file, const QList<QStringList> &chosen);

} // namespace SitePack
