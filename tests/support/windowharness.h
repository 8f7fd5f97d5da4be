#pragma once

#include "platform/inibrowsersettingsstore.h"
#include "platform/inifile.h"
#include "platform/tablefile.h"
#include "editor/softwareeditor.h"
#include "shell/mainwindow.h"
#include "submit/history/history.h"
#include "support/fakeaddresshandler.h"
#include "support/fakeconnectivity.h"
#include "support/fakedialogs.h"
#include "support/fakeguardprompt.h"
#include "support/records.h"

#include <QPushButton>
#include <QFile>
#include <QVariant>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// The main window over a fresh temporary data folder, with fake ports. The
// data files a user's earlier runs left are written before the start.
// Test classes derive from it and call resetHarness() from init().
class WindowHarness
{
protected:
    std::unique_ptr<QTemporaryDir> m_dir;
    FakeDialogs m_dialogs;
    FakeAddressHandler m_addresses;
    FakeConnectivity m_connectivity;
    FakeGuardPrompt m_guard;
    // Never the user's own store: a file in the test's folder.
    std::unique_ptr<IniBrowserSettingsStore> m_browserStore;

    void resetHarness()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_dialogs.shown.clear();
        m_dialogs.answers.clear();
        // Products of the tests' catalogues are not complete PAD records.
        m_dialogs.standingAnswers = {{QStringLiteral("PAD check"), Dialogs::Answer::Ok}};
        m_addresses.opened.clear();
        m_connectivity.online = true;
        m_connectivity.checks = 0;
        m_guard.asked.clear();
        m_guard.answers.clear();
        m_browserStore = std::make_unique<IniBrowserSettingsStore>(
            m_dir->filePath(QStringLiteral("user-config/BrowserSettings.ini")));
    }

    QString path(const QString &name) const { return m_dir->filePath(name); }
    QString path(const char *name) const { return path(QString::fromLatin1(name)); }

    void writeCatalogue(const QList<QStringList> &records)
    {
        const TableFile::SaveResult saved =
            TableFile::save(catalogueOf(records), path("Kelvane_soft.dat"), TableFile::Kind::Marked);
        QVERIFY2(saved.ok, qPrintable(saved.error));
    }

    // Rows of site name and product cells, as the history file keeps them.
    void writeHistory(const QList<QStringList> &rows)
    {
        Table history(3, 2);
        for (int i = 0; i < rows.size(); ++i)
            history.setRow(i == 0 ? 1 : history.appendRow(), rows.at(i));
        QVERIFY(History::save(history, path("Kelvane_hist.dat")).ok);
    }

    // Through the ini reader itself: QSettings caches files by path and time
    // stamp and would miss a rewrite of the same size within the same instant.
    void writeOption(const QString &key, const QVariant &value)
    {
        QFile file(path("KelvaneSubmit.ini"));
        IniFile ini;
        if (file.open(QIODevice::ReadOnly))
            ini = IniFile::parse(file.readAll());
        file.close();
        ini.setValue(QStringLiteral("Options"), key, value.toString());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(ini.toBytes());
    }

    QString writtenOption(const QString &key) const
    {
        QFile file(path("KelvaneSubmit.ini"));
        if (!file.open(QIODevice::ReadOnly))
            return QString();
        return IniFile::parse(file.readAll()).value(QStringLiteral("Options"), key).value_or(QString());
    }

    // The site library is the one built beside the tests unless
    // `programFolder` names another folder to look in.
    std::unique_ptr<TForm1> startWindow(const QString &programFolder = QString())
    {
        auto form = std::make_unique<TForm1>(m_dir->path(), m_dialogs, m_addresses,
                                             m_connectivity, *m_browserStore, programFolder);
        if (form->startUpFailed())
            qWarning("start-up failed: %s", qPrintable(m_dialogs.errors().join('\n')));
        if (form->submission())
            form->submission()->setGuardPrompt(m_guard);
        // As once the window has painted itself.
        if (form->editor())
            form->editor()->build();
        return form;
    }

    static void click(TForm1 &form, const QString &name)
    {
        auto *button = form.findChild<QPushButton *>(name);
        QVERIFY2(button, qPrintable(name));
        button->click();
    }

    static bool showOnScreen(TForm1 &form)
    {
        form.show();
        form.activateWindow();
        return QTest::qWaitForWindowActive(&form);
    }
};
