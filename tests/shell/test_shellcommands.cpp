// The "?" menu's commands, F1 and the browser settings of the options view
// in the real main window, with fake dialogs and address handler, a
// temporary data folder and a browser settings store in it.

#include "catalogue/fieldcatalogue.h"
#include "shell/aboutbox.h"
#include "shell/feedbackview.h"
#include "support/builtfiles.h"
#include "support/softwarerecord.h"
#include "support/windowharness.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTimer>

namespace {

const QString Images = QStringLiteral("Software/Microsoft/Internet Explorer/Main/Display Inline Images");
const QString Scripts = QStringLiteral("Software/Microsoft/Windows/CurrentVersion/Internet Settings/Zones/3/1400");
const QString PostPlatform = QStringLiteral(
    "Software/Microsoft/Windows/CurrentVersion/Internet Settings/User Agent/Post Platform");

} // namespace

class TestShellCommands : public QObject, public WindowHarness
{
    Q_OBJECT

    QString storePath() const { return path("user-config/BrowserSettings.ini"); }

    // A program folder without the help file; the site library comes from
    // the data folder.
    QString folderWithoutHelp()
    {
        const QString folder = path("program");
        QDir().mkpath(folder);
        copyInto(builtSiteLibrary(), m_dir->path());
        return folder;
    }

    static QString helpBesideTests()
    {
        return QUrl::fromLocalFile(QCoreApplication::applicationDirPath() + "/KelvaneSubmit.html")
            .toString();
    }

private slots:
    void initTestCase() { QCoreApplication::setApplicationName(QStringLiteral("Kelvane Submit")); }
    void init() { resetHarness(); }

    void theFeedbackFormSendsTheMessageOrAsksForOne_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("sent");

        QTest::newRow("blanks and empty lines") << " \n\t\n" << "";
        QTest::newRow("two lines with an ampersand")
            << "a & b\nc  "
            << "mailto:feedback@kelvane.example?subject=Kelvane%20Submit%20FEEDBACK%20from%20%20"
               "Acme%20%26%20Co&body=%0Aa%20%26%20b%0Ac&bcc=";
    }

    void theFeedbackFormSendsTheMessageOrAsksForOne()
    {
        QFETCH(QString, message);
        QFETCH(QString, sent);
        writeCatalogue({recordWith({{Field::ProgramName, "Tool"}, {Field::CompanyName, "Acme & Co"}})});
        auto form = startWindow();
        QVERIFY(showOnScreen(*form));
        FeedbackView *view = form->feedbackView();
        view->messageEdit()->setPlainText("left from before");
        form->systemCommand(1028);
        QCOMPARE(form->currentView(), view);
        QCOMPARE(view->subjectEdit()->text(), QStringLiteral("Kelvane Submit FEEDBACK from  Acme & Co"));
        QVERIFY(!view->subjectEdit()->isEnabled());
        QCOMPARE(view->messageEdit()->toPlainText(), QString());
        QCOMPARE(view->messageEdit()->height(), view->height() - 151);

        view->messageEdit()->setPlainText(message);
        QTest::mouseClick(view->findChild<QWidget *>("Button_FdbckSend"), Qt::LeftButton);
        if (sent.isEmpty()) {
            QCOMPARE(m_dialogs.messages(), QStringList{"Missing Data... Please check."});
            QVERIFY(m_addresses.opened.isEmpty());
            QCOMPARE(form->currentView(), view);
            QTRY_VERIFY(view->messageEdit()->hasFocus());
        } else {
            QCOMPARE(m_addresses.opened, QStringList{sent});
            QVERIFY(m_dialogs.shown.isEmpty());
            QCOMPARE(form->currentView(), nullptr);
        }
    }

    void cancelClosesTheFeedbackFormAndSendsNothing()
    {
        auto form = startWindow();
        form->systemCommand(1028);
        form->feedbackView()->messageEdit()->setPlainText("hello");
        QTest::mouseClick(form->feedbackView()->findChild<QWidget *>("Button_FdbckCancel"),
                          Qt::LeftButton);
        QCOMPARE(form->currentView(), nullptr);
        QVERIFY(m_addresses.opened.isEmpty());
    }

    void theHelpOpensBesideTheProgramOrIsReportedMissing_data()
    {
        QTest::addColumn<bool>("present");
        QTest::newRow("present") << true;
        QTest::newRow("missing") << false;
    }

    void theHelpOpensBesideTheProgramOrIsReportedMissing()
    {
        QFETCH(bool, present);
        auto form = startWindow(present ? QString() : folderWithoutHelp());
        QVERIFY(!form->startUpFailed());
        QVERIFY(showOnScreen(*form));
        form->systemCommand(1027);
        QTest::keyClick(form.get(), Qt::Key_F1);
        if (present) {
            QCOMPARE(m_addresses.opened, (QStringList{helpBesideTests(), helpBesideTests() + "#topic1"}));
            QVERIFY(m_dialogs.shown.isEmpty());
            // In a view, F1 opens that view's topic.
            click(*form, "SpeedButton1");
            QTest::keyClick(form.get(), Qt::Key_F1);
            QCOMPARE(m_addresses.opened.value(2), helpBesideTests() + "#topic7");
        } else {
            // F1 stays silent.
            QVERIFY(m_addresses.opened.isEmpty());
            QCOMPARE(m_dialogs.messages(), QStringList{"\rHelp file not found !"});
        }
    }

    void theHomePageCommandOpensTheMakersPage()
    {
        auto form = startWindow();
        form->systemCommand(1026);
        QCOMPARE(m_addresses.opened, QStringList{"https://www.kelvane.example/submit/"});
    }

    void theAboutBoxShowsTheVersionAndClosesOnAClickOutsideTheAddress()
    {
        auto form = startWindow();
        TFormAbout *about = form->aboutBox();
        QVERIFY(about);
        QCOMPARE(about->windowTitle(), QStringLiteral("Kelvane Submit   (v1.0.0.0)"));
        QCOMPARE(about->pos(), form->pos() + QPoint(50, 90));
        QCOMPARE(about->palette().color(QPalette::Window), QColor(215, 240, 255));
        auto *label4 = about->findChild<QLabel *>("Label4");
        QCOMPARE(label4->text(), QStringLiteral("for questions, suggestions, etc., email us at"));
        QCOMPARE(about->width(), label4->x() + label4->width() + 6);
        QCOMPARE(about->height(), about->contactLabel()->y() + about->contactLabel()->height() + 5);

        bool wasShownModal = false;
        bool stayedAfterAddressClick = false;
        // It opens over the main window where that stands now.
        form->move(form->pos() + QPoint(120, 30));
        QPoint openedAt;
        QTimer::singleShot(0, about, [&] {
            wasShownModal = about->isVisible() && about->isModal();
            openedAt = about->pos();
            QTest::mouseClick(about->contactLabel(), Qt::LeftButton);
            stayedAfterAddressClick = about->isVisible();
            QTest::mouseClick(label4, Qt::LeftButton);
        });
        form->systemCommand(1025);
        QVERIFY(wasShownModal);
        QCOMPARE(openedAt, form->pos() + QPoint(50, 90));
        QVERIFY(stayedAfterAddressClick);
        QVERIFY(!about->isVisible());
        QCOMPARE(m_addresses.opened,
                 QStringList{"mailto:contact@kelvane.example?subject=from%20%27Kelvane%20Submiter%27%20software..."});
    }

    void theFirstShowAppliesTheBrowserSettingsAndTheCloseGivesThemBack()
    {
        {
            QSettings store(storePath(), QSettings::IniFormat);
            store.setValue(Images, "no");
        }
        m_browserStore = std::make_unique<IniBrowserSettingsStore>(storePath());
        auto form = startWindow();
        auto *images = form->findChild<QCheckBox *>("CheckBox_ie_images");
        auto *scripts = form->findChild<QCheckBox *>("CheckBox_javascript");
        QCOMPARE(images->text(), QStringLiteral("Do not load Inline images (much faster)"));
        QCOMPARE(scripts->text(), QStringLiteral("Enable javascript (needed by most sites...)"));
        QVERIFY(!images->isChecked());
        QVERIFY(!scripts->isChecked());

        QVERIFY(showOnScreen(*form));
        QVERIFY(images->isChecked());
        QVERIFY(scripts->isChecked());
        QCOMPARE(QSettings(storePath(), QSettings::IniFormat).value(Scripts).toString(), "0");

        click(*form, "Button_opt");
        QTest::mouseClick(scripts, Qt::LeftButton);
        QVERIFY(!scripts->isChecked());
        QCOMPARE(QSettings(storePath(), QSettings::IniFormat).value(Scripts).toString(), "3");
        QCOMPARE(writtenOption("JavaScript"), QStringLiteral("0"));
        QTest::mouseClick(scripts, Qt::LeftButton);
        QCOMPARE(QSettings(storePath(), QSettings::IniFormat).value(Scripts).toString(), "0");

        QVERIFY(form->close());
        QSettings store(storePath(), QSettings::IniFormat);
        QCOMPARE(store.value(Images).toString(), QStringLiteral("no"));
        // The store had no scripts value: scripts on is what it gets back.
        QCOMPARE(store.value(Scripts).toString(), QStringLiteral("0"));
        store.beginGroup(PostPlatform);
        QVERIFY(store.childKeys().isEmpty());
    }

    void anUnreadableBrowserSettingsFileIsKeptAndReported()
    {
        QDir().mkpath(QFileInfo(storePath()).absolutePath());
        QVERIFY(writeFile(storePath(), QByteArray("\0\1\2garbage", 10)));
        m_browserStore = std::make_unique<IniBrowserSettingsStore>(storePath());
        auto form = startWindow();
        QCOMPARE(m_dialogs.messages().size(), 1);
        QVERIFY(m_dialogs.messages().first().startsWith("The browser settings file "));
        const QStringList kept = QDir(QFileInfo(storePath()).absolutePath())
                                     .entryList({"BrowserSettings.ini.bad-*"}, QDir::Files);
        QCOMPARE(kept.size(), 1);
        QCOMPARE(fileBytes(QFileInfo(storePath()).absolutePath() + "/" + kept.first()),
                 QByteArray("\0\1\2garbage", 10));
    }
};

QTEST_MAIN(TestShellCommands)
#include "test_shellcommands.moc"
