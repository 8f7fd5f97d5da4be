#pragma once

#include "editor/editorvalues.h"

#include <QList>
#include <QString>
#include <QStringList>

class Dialogs;
class Table;

// "Save" and "Delete item" over plain data: the editor's contents, the
// software list, the history (one column per software row, headed by its
// program name) and the two files. The caller owns the widgets: it passes the
// product chooser's items in and applies what the result asks for.
class SoftwareSave
{
public:
    SoftwareSave(Table &software, Table &history, Dialogs &dialogs, QString catalogueFile,
                 QString historyFile);

    enum class Outcome {
        Refused,   // no program name, or a value the file cannot keep; nothing checked or stored
        Cancelled, // a warning answered with Cancel; nothing stored or written
        Declined,  // the name exists and the update was not wanted; the file was rewritten as it was
        Stored,    // the record is in the list and in the file
        NotSaved,  // the file could not be written; the list is back as it was
    };

    struct SaveResult
    {
        Outcome outcome = Outcome::Cancelled;
        // The contact fill (and, past the checks, the fills) changed `values`:
        // the editor shows them again, whatever the outcome.
        bool valuesChanged = false;
        int row = -1;         // the stored row
        bool newRow = false;  // the row was appended to the list
        QString name;         // the program name saved
        // The name is new to the product chooser: item `chooserIndex` (row - 1)
        // takes it, appended when the chooser is shorter. The history got its
        // column (historyChanged) by then.
        bool addChooserItem = false;
        int chooserIndex = -1;
        bool historyChanged = false;
        // The history file could not be written; its table holds the change,
        // so it must be written later.
        bool historyNotSaved = false;

        // Whether the record-selected step and hiding the views follow.
        bool finished() const { return outcome == Outcome::Stored || outcome == Outcome::Declined; }
    };

    // Button_save1aClick: refusal of unstorable values, contact fill, the
    // fifteen checks, the fills, the shareware ID checks, the store with its
    // name question, the catalogue file, the history column.
    SaveResult save(EditorValues &values, const QStringList &chooserItems);

    struct DeleteResult
    {
        bool deleted = false;
        int row = -1;           // the row removed from the list
        int chooserIndex = -1;  // the product chooser item to remove, -1 for none
        bool historyNotSaved = false;
    };

    // Button_del_softClick for the selected row.
    DeleteResult deleteRecord(int selectedRow, const QStringList &chooserItems);

    // The steps, one by one.
    static bool fillContactFromAuthor(EditorValues &values);
    // Numbers (1..15) of the checks the values fail, in order.
    static QList<int> failedChecks(const EditorValues &values);
    static QString checkMessage(int check);
    static bool applyFills(EditorValues &values);
    static QStringList sharewareIdWarnings(const EditorValues &values);
    // Row of the record named `name` (letter case aside), or -1; the empty
    // row 1 of an empty list matches the empty name.
    static int findByName(const Table &software, const QString &name);

    static QString nameExistsQuestion();
    static QString deleteQuestion();
    // Shown when a record without a program name is saved; nothing is stored.
    static QString namelessMessage();

private:
    bool warn(const QString &text);

    Table &m_software;
    Table &m_history;
    Dialogs &m_dialogs;
    QString m_catalogueFile;
    QString m_historyFile;
};
