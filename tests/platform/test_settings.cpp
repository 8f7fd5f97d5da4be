#include "platform/settings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {

QString writeIni(const QTemporaryDir &dir, const QByteArray &bytes)
{
    const QString path = dir.filePath(QStringLiteral("KelvaneSubmit.ini"));
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return path;
}

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

QStringList badCopies(const QTemporaryDir &dir)
{
    return QDir(dir.path()).entryList({QStringLiteral("KelvaneSubmit.ini.bad-*")}, QDir::Files);
}

} // namespace

class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    void absentKeysGiveTheirDefaults()
    {
        QTemporaryDir dir;
        Settings s(dir.path());
        QCOMPARE(s.software(), 1);
        QCOMPARE(s.software(7), 7);
        QCOMPARE(s.submitTo(QStringLiteral("1000files")), QStringLiteral("1000files"));
        QCOMPARE(s.webWindow(), QStringLiteral("0.0.0.0"));
        QCOMPARE(s.displayInlineImages(), QString());
        QCOMPARE(s.zone31400(), QString());
        QVERIFY(s.javaScript());
        QVERIFY(s.showImages());
        QVERIFY(!s.hasLogin());
    }

    void valuesLandInTheIniFileUnderTheirSectionsAndKeys()
    {
        QTemporaryDir dir;
        {
            Settings s(dir.path());
            s.setSoftware(3);
            s.setSubmitTo(QStringLiteral("FilesWeb"));
            s.setWebWindow(QStringLiteral("700.400.10.20"));
            s.setZone31400(QStringLiteral("0"));
            s.setJavaScript(false);
            s.setShowImages(true);
            s.setLoginStored(QStringLiteral("u"), QStringLiteral("p"));
        }
        QFile f(dir.filePath(QStringLiteral("KelvaneSubmit.ini")));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString ini = QString::fromUtf8(f.readAll());
        QVERIFY2(ini.contains(QStringLiteral("[Options]")), qPrintable(ini));
        QVERIFY(ini.contains(QStringLiteral("Software=3")));
        QVERIFY(ini.contains(QStringLiteral("SubmitTo=FilesWeb")));
        QVERIFY(ini.contains(QStringLiteral("WebWindow=700.400.10.20")));
        QVERIFY(ini.contains(QStringLiteral("Zone.3.1400=0")));
        QVERIFY(ini.contains(QStringLiteral("JavaScript=0"))); // booleans as 0 and 1
        QVERIFY(ini.contains(QStringLiteral("ShowImages=1")));
        QVERIFY(ini.contains(QStringLiteral("[Login]")));

        Settings again(dir.path());
        QCOMPARE(again.software(), 3);
        QVERIFY(!again.javaScript());
        QCOMPARE(again.userNameStored(), QStringLiteral("u"));
    }

    void theFileIsReadableByItsOwnerOnly()
    {
        QTemporaryDir dir;
        Settings s(dir.path());
        // Nothing is left behind by a start that changes nothing.
        QVERIFY(!QFile::exists(s.filePath()));
        s.setLoginStored(QStringLiteral("user"), QStringLiteral("secret"));
        const auto perms = QFile::permissions(s.filePath());
        QVERIFY(perms.testFlag(QFileDevice::ReadOwner));
        QVERIFY(!(perms & (QFileDevice::ReadGroup | QFileDevice::ReadOther | QFileDevice::WriteGroup
                           | QFileDevice::WriteOther)));
    }

    void aNonNumericSoftwareRowFallsBack()
    {
        QTemporaryDir dir;
        QFile f(dir.filePath(QStringLiteral("KelvaneSubmit.ini")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[Options]\nSoftware=abc\n");
        f.close();
        Settings s(dir.path());
        QVERIFY(s.openProblem().isEmpty());
        QCOMPARE(s.software(5), 5);
    }

    void aFileThatIsNoIniFileStillOpens()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("KelvaneSubmit.ini"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QByteArray junk;
        for (int i = 0; i < 4096; ++i)
            junk.append(char((i * 37) & 0xFF));
        f.write(junk);
        f.close();
        Settings s(dir.path());
        QVERIFY(!s.openProblem().isEmpty());
        QCOMPARE(s.software(), 1);
        // What could not be read is kept beside the new file.
        const QStringList copies =
            QDir(dir.path()).entryList({QStringLiteral("KelvaneSubmit.ini.bad-*")}, QDir::Files);
        QCOMPARE(copies.size(), 1);
        QFile copy(dir.filePath(copies.first()));
        QVERIFY(copy.open(QIODevice::ReadOnly));
        QCOMPARE(copy.readAll(), junk);
        s.setSoftware(4);
        Settings again(dir.path());
        QCOMPARE(again.software(), 4);
    }

    // Read the way the platform's own ini functions read it.
    void aValueIsReadWhole_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QString>("submitTo");
        QTest::newRow("comma") << QByteArray("[Options]\r\nSubmitTo=Files, Inc\r\n")
                               << QStringLiteral("Files, Inc");
        QTest::newRow("letter case") << QByteArray("[OPTIONS]\nsubmitto=FilesWeb\n")
                                     << QStringLiteral("FilesWeb");
        QTest::newRow("blanks and quotes")
            << QByteArray("[Options]\n  SubmitTo =  \"  Files \"  \n") << QStringLiteral("  Files ");
        QTest::newRow("windows-1252") << QByteArray("[Options]\nSubmitTo=Caf\xE9 \x80\n")
                                      << QStringLiteral("Caf\u00E9 \u20AC");
        QTest::newRow("first of two") << QByteArray("[Options]\nSubmitTo=A\nSubmitTo=B\n")
                                      << QStringLiteral("A");
        QTest::newRow("no line break at the end") << QByteArray("[Options]\nSubmitTo=a=b;c")
                                                  << QStringLiteral("a=b;c");
        QTest::newRow("line without =") << QByteArray("[Options]\nnot a setting\nSubmitTo=X\n")
                                        << QStringLiteral("X");
        QTest::newRow("key before any section") << QByteArray("SubmitTo=X\n[Options]\n")
                                                << QStringLiteral("absent");
        QTest::newRow("other section") << QByteArray("[Login]\nSubmitTo=X\n")
                                       << QStringLiteral("absent");
    }
    void aValueIsReadWhole()
    {
        QFETCH(QByteArray, ini);
        QFETCH(QString, submitTo);
        QTemporaryDir dir;
        writeIni(dir, ini);
        Settings s(dir.path());
        QCOMPARE(s.submitTo(QStringLiteral("absent")), submitTo);
    }

    void aLineItCannotReadIsSetAsideAndTheRestKept()
    {
        QTemporaryDir dir;
        const QByteArray original("[Options]\r\nSoftware=4\r\nnot a setting\r\n"
                                  "[Login]\r\nUserName=abc\r\nPassWord=def\r\n");
        const QString path = writeIni(dir, original);
        Settings s(dir.path());
        QVERIFY(s.openProblem().contains(QStringLiteral("KelvaneSubmit.ini.bad-")));
        QCOMPARE(s.software(), 4);
        QCOMPARE(s.userNameStored(), QStringLiteral("abc"));
        QVERIFY(s.hasLogin());
        QCOMPARE(badCopies(dir).size(), 1);
        QCOMPARE(bytesOf(dir.filePath(badCopies(dir).first())), original);
        // Set aside for good: said once.
        QCOMPARE(bytesOf(path), QByteArray("[Options]\r\nSoftware=4\r\n"
                                           "[Login]\r\nUserName=abc\r\nPassWord=def\r\n"));
        Settings again(dir.path());
        QVERIFY(again.openProblem().isEmpty());
        QCOMPARE(badCopies(dir).size(), 1);
    }

    void aRewriteKeepsCommentsUnknownKeysAndTheBytesOfEveryOtherLine()
    {
        QTemporaryDir dir;
        const QString path = writeIni(dir, "; mine \xE9\r\n[options]\r\nsoftware=2\r\nColor=blue\r\n"
                                           "\r\n[Extra]\r\nKeep=\"x\"\r\n");
        Settings s(dir.path());
        QVERIFY(s.openProblem().isEmpty());
        s.setSoftware(5);
        s.setSubmitTo(QStringLiteral("Files, Inc"));
        s.setLoginStored(QStringLiteral(" u "), QStringLiteral("\"p\""));
        QCOMPARE(bytesOf(path),
                 QByteArray("; mine \xE9\r\n[options]\r\nsoftware=5\r\nColor=blue\r\n"
                            "SubmitTo=Files, Inc\r\n\r\n[Extra]\r\nKeep=\"x\"\r\n\r\n"
                            "[Login]\r\nUserName=\" u \"\r\nPassWord=\"\"p\"\"\r\n"));
        QVERIFY(badCopies(dir).isEmpty());
        Settings again(dir.path());
        QCOMPARE(again.userNameStored(), QStringLiteral(" u "));
        QCOMPARE(again.passWordStored(), QStringLiteral("\"p\""));
    }

    void aFileItCannotReadIsLeftAsItIs()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("KelvaneSubmit.ini"));
        // A pipe: opening it to read would block; root meets this too.
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        {
            Settings s(dir.path());
            QVERIFY(s.openProblem().contains(QStringLiteral("could not be read")));
            QCOMPARE(s.software(), 1);
            s.setSoftware(3);
            QCOMPARE(s.software(), 3); // kept for the run
        }
        QVERIFY(QFileInfo(path).exists() && !QFileInfo(path).isFile());
    }

    void theWebWindowTextParses_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("message");
        QTest::newRow("zeros") << QStringLiteral("0.0.0.0") << true << QString();
        QTest::newRow("geometry") << QStringLiteral("640.380.250.230") << true << QString();
        QTest::newRow("negative left") << QStringLiteral("640.380.-8.230") << true << QString();
        QTest::newRow("three parts") << QStringLiteral("640.380.250") << false
                                     << QStringLiteral("'' is not a valid integer value");
        QTest::newRow("word") << QStringLiteral("640.big.250.230") << false
                              << QStringLiteral("'big' is not a valid integer value");
        QTest::newRow("five parts") << QStringLiteral("1.2.3.4.5") << false
                                    << QStringLiteral("'4.5' is not a valid integer value");
        QTest::newRow("empty") << QString() << false << QStringLiteral("'' is not a valid integer value");
    }
    void theWebWindowTextParses()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(QString, message);
        QString error;
        const auto g = WebWindowGeometry::parse(text, &error);
        QCOMPARE(g.has_value(), ok);
        QCOMPARE(error, message);
        if (ok)
            QCOMPARE(g->toText(), text);
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "test_settings.moc"
