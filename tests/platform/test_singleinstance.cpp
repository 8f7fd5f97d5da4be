#include "platform/raisechannel.h"
#include "platform/singleinstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstring>

// Run as "--hold <folder>", the executable is a first instance: it takes the
// guard (an empty folder: the default one), says so on stdout, and waits to
// be killed.
static int holdGuard(const QString &folder)
{
    SingleInstance guard(folder);
    if (!guard.acquire())
        return 3;
    QFile out;
    out.open(stdout, QIODevice::WriteOnly);
    // As the program does once its window shows: a second start's request
    // is answered on stdout.
    RaiseChannel raise(guard.channelName());
    QObject::connect(&raise, &RaiseChannel::raiseRequested, [&out] {
        out.write("raised\n");
        out.flush();
    });
    out.write(raise.listen() ? "held\n" : "held, deaf\n");
    out.flush();
    QTimer::singleShot(120000, QCoreApplication::instance(), &QCoreApplication::quit);
    return QCoreApplication::exec();
}

class TestSingleInstance : public QObject
{
    Q_OBJECT

    QProcess *startFirstInstance(const QString &folder, const QString &runtimeFolder = QString())
    {
        auto *first = new QProcess(this);
        if (!runtimeFolder.isEmpty()) {
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeFolder);
            first->setProcessEnvironment(env);
        }
        first->start(QCoreApplication::applicationFilePath(), {QStringLiteral("--hold"), folder});
        if (!first->waitForStarted(5000) || !first->waitForReadyRead(10000))
            return nullptr;
        return first->readAll().startsWith("held") ? first : nullptr;
    }

private slots:
    void aSecondInstanceIsRefusedWhileTheFirstRuns()
    {
        QTemporaryDir dir;
        QProcess *first = startFirstInstance(dir.path());
        QVERIFY(first);
        SingleInstance second(dir.path());
        QVERIFY(!second.acquire());
        // ... and its request to come forward reaches the first.
        QVERIFY(RaiseChannel::ask(second.channelName()));
        QVERIFY(first->waitForReadyRead(10000));
        QCOMPARE(first->readAll(), QByteArray("raised\n"));
        first->kill();
        first->waitForFinished();
    }

    void aLongRunningFirstInstanceIsNeverTakenOver()
    {
        QTemporaryDir dir;
        QProcess *first = startFirstInstance(dir.path());
        QVERIFY(first);
        // An old lock of a live process must still count (QLockFile's default
        // would call a lock older than 30 s stale).
        const QString lock = dir.filePath(QString::fromLatin1(SingleInstance::InstanceName) + ".lock");
        QFile f(lock);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
        f.close();
        SingleInstance second(dir.path());
        QVERIFY(!second.acquire());
        first->kill();
        first->waitForFinished();
    }

    void aCrashedFirstInstanceDoesNotBlockTheNextStart()
    {
        QTemporaryDir dir;
        QProcess *first = startFirstInstance(dir.path());
        QVERIFY(first);
        first->kill(); // SIGKILL: the lock file stays behind
        first->waitForFinished();
        QVERIFY(QFile::exists(dir.filePath(QString::fromLatin1(SingleInstance::InstanceName) + ".lock")));
        SingleInstance next(dir.path());
        QVERIFY(next.acquire());
    }

    // Each user has a runtime folder of their own: one user's instance,
    // running or crashed, must not refuse another user.
    void theGuardIsPerUser()
    {
        QTemporaryDir mine;
        QTemporaryDir theirs;
        QProcess *first = startFirstInstance(QString(), theirs.path());
        QVERIFY(first);
        const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(mine.path()));
        SingleInstance guard;
        QCOMPARE(guard.lockPath(), mine.filePath(QStringLiteral("TarnowelKelvaneSubmitSoftware.lock")));
        const bool mineAcquired = guard.acquire();
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(theirs.path()));
        SingleInstance sameUser;
        const bool sameUserAcquired = sameUser.acquire();
        if (saved.isNull())
            qunsetenv("XDG_RUNTIME_DIR");
        else
            qputenv("XDG_RUNTIME_DIR", saved);
        first->kill();
        first->waitForFinished();
        QVERIFY(mineAcquired);
        QVERIFY(!sameUserAcquired);
    }
};

int main(int argc, char **argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--hold") == 0) {
        QCoreApplication app(argc, argv);
        return holdGuard(QString::fromLocal8Bit(argv[2]));
    }
    QCoreApplication app(argc, argv);
    TestSingleInstance test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_singleinstance.moc"
