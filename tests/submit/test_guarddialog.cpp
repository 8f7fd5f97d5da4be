// The dialog of the check before a run: both groups listed, "Skip these"
// the default, and what each way out answers.
#include "submit/guarddialog.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

Q_DECLARE_METATYPE(SubmitGuard::Answer)

namespace {

SubmitGuard::Findings findings()
{
    SubmitGuard::Findings f;
    f.sent = {{1, 1, "1000files", "Alpha Tool", "3/5/2026"}, {2, 1, "FilesWeb", "Alpha Tool", ""}};
    f.policy = {{9, 1, "FreewareHome", "Alpha Tool", "Freeware only"}};
    return f;
}

QStringList rows(const QTreeWidget *list)
{
    QStringList out;
    for (int i = 0; list && i < list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *item = list->topLevelItem(i);
        out.append(item->text(0) + " | " + item->text(1) + " | " + item->text(2));
    }
    return out;
}

} // namespace

class TestGuardDialog : public QObject
{
    Q_OBJECT

private slots:
    void bothGroupsAreListedAndSkipTheseHasTheFocus()
    {
        GuardDialog dialog(findings());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(rows(dialog.findChild<QTreeWidget *>("List_sent")),
                 (QStringList{"1000files | Alpha Tool | 3/5/2026", "FilesWeb | Alpha Tool | "}));
        QCOMPARE(rows(dialog.findChild<QTreeWidget *>("List_policy")),
                 QStringList{"FreewareHome | Alpha Tool | Freeware only"});
        auto *skip = dialog.findChild<QPushButton *>("Button_skip");
        QVERIFY(skip);
        QCOMPARE(skip->text(), QString("Skip these"));
        QVERIFY(skip->isDefault());
        QCOMPARE(dialog.focusWidget(), skip);
        QCOMPARE(dialog.findChild<QPushButton *>("Button_send_anyway")->text(), QString("Send anyway"));
        QCOMPARE(dialog.findChild<QPushButton *>("Button_cancel")->text(), QString("Cancel"));
    }

    void aGroupWithoutPairsIsLeftOut()
    {
        SubmitGuard::Findings f = findings();
        f.sent.clear();
        GuardDialog dialog(f);
        QVERIFY(!dialog.findChild<QTreeWidget *>("List_sent"));
        QVERIFY(dialog.findChild<QTreeWidget *>("List_policy"));
    }

    void eachWayOutGivesItsAnswer_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<SubmitGuard::Answer>("answer");
        QTest::newRow("Enter") << "Enter" << SubmitGuard::Answer::SkipThese;
        QTest::newRow("Send anyway") << "Button_send_anyway" << SubmitGuard::Answer::SendAnyway;
        QTest::newRow("Cancel") << "Button_cancel" << SubmitGuard::Answer::Cancel;
        QTest::newRow("Escape") << "Escape" << SubmitGuard::Answer::Cancel;
    }

    void eachWayOutGivesItsAnswer()
    {
        QFETCH(QString, action);
        QFETCH(SubmitGuard::Answer, answer);
        GuardDialogPrompt prompt(nullptr);
        // The prompt's dialog is modal: it is answered from inside its own loop.
        bool shown = false;
        QTimer::singleShot(0, [action, &shown] {
            auto *dialog = qobject_cast<GuardDialog *>(QApplication::activeModalWidget());
            shown = dialog;
            if (!dialog) {
                // Whatever is open goes, so the prompt returns and the test fails.
                QApplication::closeAllWindows();
                return;
            }
            if (action == "Enter")
                QTest::keyClick(dialog, Qt::Key_Return);
            else if (action == "Escape")
                QTest::keyClick(dialog, Qt::Key_Escape);
            else
                dialog->findChild<QPushButton *>(action)->click();
        });
        const SubmitGuard::Answer given = prompt.ask(findings());
        QVERIFY(shown);
        QCOMPARE(given, answer);
    }
};

QTEST_MAIN(TestGuardDialog)
#include "test_guarddialog.moc"
