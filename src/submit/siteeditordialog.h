#pragma once

#include "submit/formwalk/formwalkplanner.h"

#include <QDialog>
#include <QList>
#include <QStringList>

#include <functional>

class Dialogs;
class FieldMapModel;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

// The site editor: every cell of one site record, the login type as a choice
// with what it means, and the field map as rows of (input name, catalogue
// field). "Save" checks the record first and stays open with the reason
// when it cannot be stored; accepted, record() is what to store.
class SiteEditorDialog : public QDialog
{
    Q_OBJECT

public:
    using FormReader =
        std::function<QList<FormWalk::FieldMapEntry>(const QStringList &siteRecord)>;
    // A check of the whole record beyond the record's own rules (a name
    // another site of the user's already has); "" when it passes.
    using ExtraCheck = std::function<QString(const QStringList &siteRecord)>;

    SiteEditorDialog(Dialogs &dialogs, QWidget *parent = nullptr);

    // Name .. reg url, then the entries; the user pass as user name, tab, password.
    void setRecord(const QStringList &record);
    QStringList record() const;
    // The name the record had when it was set ("" for a new site).
    QString originalName() const { return m_originalName; }

    // "read form from page" shows only once a reader is set; the entries it
    // returns join the field map (a row of the same input name is replaced).
    void setFormReader(FormReader reader);
    void setExtraCheck(ExtraCheck check) { m_extraCheck = std::move(check); }

    FieldMapModel *fieldMap() const { return m_fieldMap; }

    // The four login types, with the sentence each shows.
    static QList<QPair<int, QString>> loginTypes();

public slots:
    // "Save": accepts when the record may be stored, else says why.
    void saveClicked();
    void readFormClicked();

private:
    void showLoginSentence();
    QWidget *controlFor(int column) const;

    Dialogs &m_dialogs;
    QString m_originalName;
    FormReader m_reader;
    ExtraCheck m_extraCheck;
    QString m_otherAuto;

    QLineEdit *m_name = nullptr;
    QLineEdit *m_home = nullptr;
    QLineEdit *m_notes = nullptr;
    QCheckBox *m_auto = nullptr;
    QLineEdit *m_submit = nullptr;
    QComboBox *m_login = nullptr;
    QLabel *m_loginSentence = nullptr;
    QLineEdit *m_user = nullptr;
    QLineEdit *m_pass = nullptr;
    QLineEdit *m_regUrl = nullptr;
    QTableView *m_table = nullptr;
    FieldMapModel *m_fieldMap = nullptr;
    QPushButton *m_addRow = nullptr;
    QPushButton *m_removeRow = nullptr;
    QPushButton *m_readForm = nullptr;
};
