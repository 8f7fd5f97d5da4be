// The options view on the real main window: the default site login loaded
// at start-up, the note, and the "ok" button's checks and stored values.

#include "platform/scrambler.h"
#include "platform/settings.h"
#include "shell/mainwindow.h"
#include "shell/optionsview.h"
#include "support/windowharness.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class TestOptionsView : public QObject, public WindowHarness
{
    Q_OBJECT

private:
    QString iniPath() const { return path("KelvaneSubmit.ini"); }

    std::unique_ptr<TForm1> start() { return startWindow(); }

    static void type(TForm1 &form, const QString &userName, const QString &passWord)
    {
        form.optionsView()->userNameEdit()->setText(userName);
        form.optionsView()->passWordEdit()->setText(passWord);
    }

    static QLabel *label(TForm1 &form, const char *name)
    {
        return form.findChild<QLabel *>(QString::fromLatin1(name));
    }

private slots:
    void init() { resetHarness(); }

    void withoutALoginSectionTheBuiltInPairIsShown()
    {
        auto form = start();
        const QString userName = form->optionsView()->userName();
        const QString passWord = form->optionsView()->passWord();
        QCOMPARE(userName.size(), 7);
        QCOMPARE(passWord.size(), 7);
        // The built-in values are held scrambled, not in clear.
        QCOMPARE(Scrambler::scramble(userName, Scrambler::LoginUserNameKeys),
                 Login::defaultUserNameScrambled());
        QCOMPARE(passWord, Login::noteComparisonText());
        QVERIFY(userName != Login::defaultUserNameScrambled());
    }

    void theOptionsButtonShowsTheViewOnTheRightHalf()
    {
        auto form = start();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        click(*form, "Button_opt");
        QCOMPARE(form->currentView(), form->optionsView());
        QCOMPARE(form->optionsView()->geometry().left(), 304);
        QCOMPARE(form->optionsView()->width(), 336);
        QCOMPARE(form->optionsView()->y(), TForm1::MenuBarHeight);
        QCOMPARE(label(*form, "Label17")->text(),
                 QStringLiteral("you should change the default Username & Password to something "
                                "else now, for your safety..."));
        auto *ok = form->findChild<QPushButton *>(QStringLiteral("SpeedButton2"));
        QCOMPARE(ok->y(), form->optionsView()->height() - 27);
    }

    void theNoteStaysOnlyWhileTheBuiltInPasswordIsShown()
    {
        auto form = start();
        click(*form, "Button_opt");
        QVERIFY(!label(*form, "Label17")->isHidden());
        QVERIFY(!label(*form, "Label18")->isHidden());

        form->optionsView()->passWordEdit()->setText(QStringLiteral("mine"));
        click(*form, "Button_opt");
        QVERIFY(label(*form, "Label17")->isHidden());
        QVERIFY(label(*form, "Label18")->isHidden());

        // Typing the built-in password back does not bring it back.
        form->optionsView()->passWordEdit()->setText(Login::noteComparisonText());
        click(*form, "Button_opt");
        QVERIFY(label(*form, "Label17")->isHidden());
    }

    void okChecksThePairBeforeStoringIt_data()
    {
        QTest::addColumn<QString>("userName");
        QTest::addColumn<QString>("passWord");
        QTest::addColumn<QString>("warning"); // empty: stored

        const QString empty = QStringLiteral("Username / Password can't be empty!");
        const QString tooLong = QStringLiteral("Username / Password max 8 characters length");
        QTest::newRow("eight characters each are accepted") << "abcdefgh" << "12345678" << "";
        QTest::newRow("a user name of nine is refused") << "abcdefghi" << "1234" << tooLong;
        QTest::newRow("a password of nine is refused") << "abc" << "123456789" << tooLong;
        QTest::newRow("a blank user name is empty") << "   " << "1234" << empty;
        QTest::newRow("a blank password is empty") << "abc" << " \t " << empty;
        QTest::newRow("emptiness is checked before length") << "abcdefghi" << "" << empty;
        QTest::newRow("two letters and blanks, eight in all, keep their blanks")
            << "ab      " << " pw" << "";
        QTest::newRow("seven letters and two blanks are too long") << "abcdefg  " << "pw" << tooLong;
    }

    void okChecksThePairBeforeStoringIt()
    {
        QFETCH(QString, userName);
        QFETCH(QString, passWord);
        QFETCH(QString, warning);
        auto form = start();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        click(*form, "Button_opt");
        type(*form, userName, passWord);
        click(*form, "SpeedButton2");

        if (!warning.isEmpty()) {
            QCOMPARE(m_dialogs.messages(), QStringList{warning});
            // Nothing stored, the view stays with the fields as typed.
            QCOMPARE(form->currentView(), form->optionsView());
            QCOMPARE(form->optionsView()->userName(), userName);
            QVERIFY(!Settings(m_dir->path()).hasLogin());
            return;
        }
        QVERIFY(m_dialogs.shown.isEmpty());
        QCOMPARE(form->currentView(), nullptr);

        // Written scrambled, byte for byte the length typed, owner-only.
        const Settings ini(m_dir->path());
        const QString storedUser = ini.userNameStored();
        const QString storedPass = ini.passWordStored();
        QCOMPARE(storedUser.size(), userName.size());
        QVERIFY(storedUser != userName);
        QCOMPARE(Scrambler::scramble(storedUser, Scrambler::LoginUserNameKeys), userName);
        QCOMPARE(Scrambler::scramble(storedPass, Scrambler::LoginPasswordKeys), passWord);
        const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup
                                                | QFileDevice::ReadOther | QFileDevice::WriteOther;
        QCOMPARE(QFileInfo(iniPath()).permissions() & others, QFileDevice::Permissions());

        // The next start shows the stored pair.
        form.reset();
        auto next = start();
        QCOMPARE(next->optionsView()->userName(), userName);
        QCOMPARE(next->optionsView()->passWord(), passWord);
    }
};

QTEST_MAIN(TestOptionsView)
#include "test_optionsview.moc"
