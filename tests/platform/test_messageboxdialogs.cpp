#include "platform/messageboxdialogs.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QLineEdit>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

// Runs `inspect` on the message box once it is open (the box's own loop is
// running then), so the test sees it as the user would.
void whenTheBoxOpens(const std::function<void(QMessageBox *)> &inspect)
{
    auto *poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, inspect] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            inspect(box);
            // A failed check returns early: never leave the box waiting.
            if (box->isVisible())
                box->done(QMessageBox::Close);
        }
    });
    poll->start(10);
}

} // namespace

class TestMessageBoxDialogs : public QObject
{
    Q_OBJECT

private slots:
    void aCarriageReturnIsALineBreak_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::newRow("no break") << "Saved." << "Saved.";
        QTest::newRow("a leading break") << "\rHelp file not found !" << "\nHelp file not found !";
        QTest::newRow("a break inside") << "First\rSecond" << "First\nSecond";
        QTest::newRow("a Windows line end counts once") << "First\r\nSecond" << "First\nSecond";
        QTest::newRow("two breaks stay two") << "a\r\rb" << "a\n\nb";
    }

    void aCarriageReturnIsALineBreak()
    {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QCOMPARE(MessageBoxDialogs::displayText(text), shown);
    }

    void questionsFocusCancelAndReportTheButtonPressed_data()
    {
        QTest::addColumn<bool>("yesCancel");
        QTest::addColumn<int>("pressed");
        QTest::addColumn<int>("answer");

        QTest::newRow("warning answered with OK")
            << false << int(QMessageBox::Ok) << int(Dialogs::Answer::Ok);
        QTest::newRow("warning answered with Cancel")
            << false << int(QMessageBox::Cancel) << int(Dialogs::Answer::Cancel);
        QTest::newRow("warning closed with Escape") << false << -1 << int(Dialogs::Answer::Cancel);
        QTest::newRow("question answered with Yes")
            << true << int(QMessageBox::Yes) << int(Dialogs::Answer::Yes);
        QTest::newRow("question answered with Cancel")
            << true << int(QMessageBox::Cancel) << int(Dialogs::Answer::Cancel);
        QTest::newRow("question closed with Escape") << true << -1 << int(Dialogs::Answer::Cancel);
    }

    void questionsFocusCancelAndReportTheButtonPressed()
    {
        QFETCH(bool, yesCancel);
        QFETCH(int, pressed);
        QFETCH(int, answer);

        bool inspected = false;
        whenTheBoxOpens([&](QMessageBox *box) {
            inspected = true;
            QAbstractButton *cancel = box->button(QMessageBox::Cancel);
            QVERIFY(cancel);
            QCOMPARE(box->defaultButton(), cancel);
            QCOMPARE(box->focusWidget(), cancel);
            QVERIFY(box->button(yesCancel ? QMessageBox::Yes : QMessageBox::Ok));
            QCOMPARE(box->windowTitle(), QStringLiteral("Delete"));
            // Names from files are shown as they are, never as markup.
            QCOMPARE(box->textFormat(), Qt::PlainText);
            QCOMPARE(box->text(), QStringLiteral("<b>Alpha</b>\ngoes"));
            if (pressed < 0)
                QTest::keyClick(box, Qt::Key_Escape);
            else
                box->button(QMessageBox::StandardButton(pressed))->click();
        });
        MessageBoxDialogs dialogs;
        const QString text = QStringLiteral("<b>Alpha</b>\rgoes");
        const Dialogs::Answer got = yesCancel ? dialogs.askYesCancel(QStringLiteral("Delete"), text)
                                              : dialogs.warnOkCancel(QStringLiteral("Delete"), text);
        QVERIFY(inspected);
        QCOMPARE(int(got), answer);
    }

    void aConfirmationFocusesOkSoThatEnterConfirms_data()
    {
        QTest::addColumn<int>("key");     // 0: a button is clicked instead
        QTest::addColumn<int>("pressed"); // the button clicked when key is 0
        QTest::addColumn<int>("answer");

        QTest::newRow("Enter confirms") << int(Qt::Key_Return) << 0 << int(Dialogs::Answer::Ok);
        QTest::newRow("Escape cancels") << int(Qt::Key_Escape) << 0 << int(Dialogs::Answer::Cancel);
        QTest::newRow("OK clicked") << 0 << int(QMessageBox::Ok) << int(Dialogs::Answer::Ok);
        QTest::newRow("Cancel clicked")
            << 0 << int(QMessageBox::Cancel) << int(Dialogs::Answer::Cancel);
    }

    void aConfirmationFocusesOkSoThatEnterConfirms()
    {
        QFETCH(int, key);
        QFETCH(int, pressed);
        QFETCH(int, answer);

        bool inspected = false;
        whenTheBoxOpens([&](QMessageBox *box) {
            inspected = true;
            QAbstractButton *ok = box->button(QMessageBox::Ok);
            QVERIFY(ok);
            QVERIFY(box->button(QMessageBox::Cancel));
            QCOMPARE(box->defaultButton(), ok);
            QCOMPARE(box->focusWidget(), ok);
            QCOMPARE(box->windowTitle(), QStringLiteral("Warning"));
            QCOMPARE(box->text(), QStringLiteral("Delete it?\nFor good."));
            if (key != 0)
                QTest::keyClick(box->focusWidget(), Qt::Key(key));
            else
                box->button(QMessageBox::StandardButton(pressed))->click();
        });
        MessageBoxDialogs dialogs;
        const Dialogs::Answer got = dialogs.confirmOkCancel(QStringLiteral("Warning"),
                                                            QStringLiteral("Delete it?\rFor good."));
        QVERIFY(inspected);
        QCOMPARE(int(got), answer);
    }

    void anErrorCarriesTheProgramsNameAndOnlyOk()
    {
        QCoreApplication::setApplicationName(QStringLiteral("Kelvane Submit"));
        bool inspected = false;
        whenTheBoxOpens([&](QMessageBox *box) {
            inspected = true;
            QCOMPARE(box->windowTitle(), QStringLiteral("Kelvane Submit"));
            QCOMPARE(box->text(), QStringLiteral("Cannot open file x.dat"));
            QCOMPARE(box->icon(), QMessageBox::Critical);
            QCOMPARE(box->buttons().size(), 1);
            box->button(QMessageBox::Ok)->click();
        });
        MessageBoxDialogs dialogs;
        dialogs.error(QStringLiteral("Cannot open file x.dat"));
        QVERIFY(inspected);
    }

    void fileDialogsShowTheirSettingsAndCancelToNothing_data()
    {
        QTest::addColumn<bool>("save");
        QTest::newRow("save") << true;
        QTest::newRow("open") << false;
    }

    void fileDialogsShowTheirSettingsAndCancelToNothing()
    {
        QFETCH(bool, save);
        QString title, suffix, typed;
        QStringList filters;
        QFileDialog::AcceptMode mode = QFileDialog::AcceptOpen;
        auto *poll = new QTimer;
        QObject::connect(poll, &QTimer::timeout, poll, [&, poll] {
            if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
                poll->stop();
                poll->deleteLater();
                title = dialog->windowTitle();
                suffix = dialog->defaultSuffix();
                filters = dialog->nameFilters();
                mode = dialog->acceptMode();
                if (auto *name = dialog->findChild<QLineEdit *>("fileNameEdit"))
                    typed = name->text();
                dialog->reject();
            }
        });
        poll->start(10);
        MessageBoxDialogs dialogs;
        const Dialogs::FileDialogSettings settings{"Export to PAD file", "XML file (*)", "xml", "*.xml"};
        const QString chosen = save ? dialogs.saveFileName(settings) : dialogs.openFileName(settings);
        QCOMPARE(chosen, QString());
        QCOMPARE(title, QStringLiteral("Export to PAD file"));
        QCOMPARE(suffix, QStringLiteral("xml"));
        QCOMPARE(filters, QStringList{"XML file (*)"});
        QCOMPARE(typed, QStringLiteral("*.xml"));
        QCOMPARE(mode, save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    }
};

QTEST_MAIN(TestMessageBoxDialogs)
#include "test_messageboxdialogs.moc"
