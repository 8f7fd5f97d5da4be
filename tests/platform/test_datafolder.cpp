#include "platform/datafolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

bool notWritable(const QString &)
{
    return false;
}

} // namespace

class TestDataFolder : public QObject
{
    Q_OBJECT

private slots:
    void aWritableProgramFolderKeepsTheData()
    {
        QTemporaryDir program;
        QTemporaryDir perUser;
        writeAll(program.filePath(QStringLiteral("Kelvane_soft.dat")), "abc");
        const DataFolder::Choice choice = DataFolder::choose(program.path(), perUser.path());
        QCOMPARE(choice.folder, QDir(program.path()).absolutePath());
        QVERIFY(choice.copied.isEmpty());
        QVERIFY(choice.message.isEmpty());
        QVERIFY(QDir(perUser.path()).isEmpty());
    }

    // Root writes anywhere: a "folder" below a plain file is one no one can write into.
    void aProgramFolderBelowAFileIsNotWritable()
    {
        QTemporaryDir dir;
        writeAll(dir.filePath(QStringLiteral("file")), "x");
        const QString perUser = dir.filePath(QStringLiteral("user/data"));
        const DataFolder::Choice choice = DataFolder::choose(dir.filePath(QStringLiteral("file/bin")), perUser);
        QCOMPARE(choice.folder, QDir(perUser).absolutePath());
        QVERIFY(QFileInfo(perUser).isDir());
        QVERIFY(choice.message.isEmpty()); // nothing was there to bring over
    }

    void dataBesideAReadOnlyProgramIsCopiedOnceAndNeverOverAFileOfTheUser()
    {
        QTemporaryDir program;
        QTemporaryDir perUser;
        writeAll(program.filePath(QStringLiteral("Kelvane_soft.dat")), "catalogue");
        writeAll(program.filePath(QStringLiteral("Kelvane_pass.dat")), "pairs");
        writeAll(program.filePath(QStringLiteral("Kelvane_sites.dat")), "my sites");
        writeAll(program.filePath(QStringLiteral("KelvaneSubmit.ini")), "[Options]\r\nSoftware=2\r\n");
        writeAll(perUser.filePath(QStringLiteral("KelvaneSubmit.ini")), "mine");

        const DataFolder::Choice choice = DataFolder::choose(program.path(), perUser.path(), notWritable);
        QCOMPARE(choice.folder, QDir(perUser.path()).absolutePath());
        QCOMPARE(choice.copied, (QStringList{perUser.filePath(QStringLiteral("Kelvane_soft.dat")),
                                             perUser.filePath(QStringLiteral("Kelvane_pass.dat")),
                                             perUser.filePath(QStringLiteral("Kelvane_sites.dat"))}));
        QCOMPARE(readAll(perUser.filePath(QStringLiteral("Kelvane_sites.dat"))), QByteArray("my sites"));
        QCOMPARE(readAll(perUser.filePath(QStringLiteral("Kelvane_soft.dat"))), QByteArray("catalogue"));
        QCOMPARE(readAll(perUser.filePath(QStringLiteral("Kelvane_pass.dat"))), QByteArray("pairs"));
        QCOMPARE(readAll(perUser.filePath(QStringLiteral("KelvaneSubmit.ini"))), QByteArray("mine"));
        QVERIFY(!QFileInfo::exists(perUser.filePath(QStringLiteral("Kelvane_hist.dat"))));
        // Copied, not moved.
        QCOMPARE(readAll(program.filePath(QStringLiteral("Kelvane_soft.dat"))), QByteArray("catalogue"));
        const auto others = QFileDevice::ReadGroup | QFileDevice::ReadOther;
        QVERIFY(!(QFile::permissions(perUser.filePath(QStringLiteral("Kelvane_pass.dat"))) & others));
        QVERIFY2(choice.message.contains(QDir::toNativeSeparators(perUser.path())), qPrintable(choice.message));
        QVERIFY(choice.message.contains(QStringLiteral("Kelvane_soft.dat")));

        // Said once: the next start finds the files already there.
        writeAll(perUser.filePath(QStringLiteral("Kelvane_soft.dat")), "changed since");
        const DataFolder::Choice next = DataFolder::choose(program.path(), perUser.path(), notWritable);
        QVERIFY(next.copied.isEmpty());
        QVERIFY(next.message.isEmpty());
        QCOMPARE(readAll(perUser.filePath(QStringLiteral("Kelvane_soft.dat"))), QByteArray("changed since"));
    }

    void anInstalledCopyKeepsItsDataPerUserAndSaysWhyTruly()
    {
        QTemporaryDir program; // writable, as under root or a prefix in the home folder
        QTemporaryDir perUser;
        writeAll(program.filePath(QStringLiteral("Kelvane_hist.dat")), "history");
        const DataFolder::Choice choice = DataFolder::choose(program.path(), perUser.path(),
                                                             DataFolder::canWriteInto,
                                                             DataFolder::Copy::Installed);
        QCOMPARE(choice.folder, QDir(perUser.path()).absolutePath());
        QCOMPARE(readAll(perUser.filePath(QStringLiteral("Kelvane_hist.dat"))), QByteArray("history"));
        QCOMPARE(choice.message.section(u'\n', 0, 0),
                 QStringLiteral("The program in %1 is an installed copy, so your data is now kept in %2.")
                     .arg(QDir::toNativeSeparators(QDir(program.path()).absolutePath()),
                          QDir::toNativeSeparators(QDir(perUser.path()).absolutePath())));
    }
};

QTEST_GUILESS_MAIN(TestDataFolder)
#include "test_datafolder.moc"
