// The software editor on every product-chooser change: loading a record into
// the seven pages, and storing the pages back into the software list; target
// under 2 ms each. Typing into the 2,000-character description, key press to
// repaint, under 16 ms; the PAD marks' check of the whole editor, under 1 ms. Also the whole Save of a 1,000-record catalogue (with the
// file write) and opening the class drop-down, for information.
#include "catalogue/fieldcatalogue.h"
#include "editor/editorvalues.h"
#include "editor/padcheckmarks.h"
#include "editor/softwareeditor.h"
#include "platform/datafiles.h"
#include "platform/dialogs.h"
#include "platform/table.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

// Answers every question so that the save runs through.
class YesDialogs : public Dialogs
{
public:
    void message(const QString &, const QString &) override {}
    void error(const QString &text) override { std::fprintf(stderr, "error: %s\n", qPrintable(text)); }
    Answer warnOkCancel(const QString &, const QString &) override { return Answer::Ok; }
    Answer askYesCancel(const QString &, const QString &) override { return Answer::Yes; }
};

QStringList sampleRecord(int r)
{
    EditorValues v = EditorRules::exampleContents();
    v.fields[0] = QStringLiteral("Product %1").arg(r);
    v.fields[2] = r % 2 ? QStringLiteral("shareware") : QStringLiteral("Freeware");
    v.fields[8] = r % 2 ? QStringLiteral("EUR") : QStringLiteral("GBP");
    v.fields[31] = r % 2 ? QStringLiteral("Portugal") : QStringLiteral("Zimbabwe");
    v.fields[47] = QStringLiteral("Utilities");
    v.fields[51] = QStringLiteral("1");
    v.fields[63] = QString(1500 + r % 7, QLatin1Char('d'));
    v.classItem = EditorRules::classItems().at(r % 2 ? 1 : 150);
    v.selectedOs = {EditorRules::osItems().at(r % 30), EditorRules::osItems().at(33)};
    v.selectedLanguages = {QStringLiteral("English"), QStringLiteral("Yiddish")};
    QStringList record(FieldCatalogue::FieldCount);
    EditorRules::storeInto(record, v);
    return record;
}

struct Timing
{
    double median;
    double worst;
};

Timing measure(int runs, const std::function<void(int)> &work)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work(i);
        ms.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.back()};
}

void report(const char *what, const Timing &t, double target)
{
    if (target > 0)
        std::printf("%-44s median %7.3f ms  worst %7.3f ms  target < %.1f ms: %s\n", what, t.median,
                    t.worst, target, t.median < target ? "met" : "MISSED");
    else
        std::printf("%-44s median %7.3f ms  worst %7.3f ms\n", what, t.median, t.worst);
}

// The offscreen platform reports every popup it cannot raise; that is noise here.
void quietPlatform(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (message.startsWith(QLatin1String("This plugin does not support")))
        return;
    if (type != QtDebugMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietPlatform);
    QApplication app(argc, argv);

    QTemporaryDir dir;
    QWidget window;
    QList<QWidget *> pages;
    for (int p = 0; p < FieldCatalogue::PageCount; ++p) {
        auto *page = new QFrame(&window);
        page->setObjectName(FieldCatalogue::pageName(p));
        page->setGeometry(0, 28, 640, 296);
        pages.append(page);
    }
    const int records = 1000;
    Table software(FieldCatalogue::FieldCount, 2);
    for (int r = 1; r <= records; ++r) {
        if (r > 1)
            software.appendRow();
        software.setRow(r, sampleRecord(r));
    }
    Table history(records + 1, 3);
    YesDialogs dialogs;
    SoftwareEditor editor(pages, software, history, dialogs, DataFiles(dir.path()), [&pages] {
        for (QWidget *page : pages)
            page->hide();
    });
    window.show();
    editor.showPage(0);
    QCoreApplication::processEvents();

    const int runs = 400;
    report("load a record into the editor", measure(runs, [&](int i) {
               editor.loadRecord(1 + i % 2);
           }),
           2.0);
    // Storing back: reading the pages and writing the record into the list.
    editor.loadRecord(1);
    report("store the editor back into the list", measure(runs, [&](int) {
               QStringList record = software.row(1);
               EditorRules::storeInto(record, editor.values());
               software.setRow(1, std::move(record));
           }),
           2.0);
    report("Save of 1,000 records, file written", measure(40, [&](int) {
               editor.Button_save1aClick();
           }),
           0);
    // A key press and the repaint it needs, with the description nearly full;
    // the PAD marks' check waits for a pause and runs on its own below.
    auto *description = window.findChild<QPlainTextEdit *>(QStringLiteral("Memo_descript2000"));
    editor.showPage(3);
    description->setPlainText(QString(1990, QLatin1Char('d')));
    description->moveCursor(QTextCursor::End);
    description->setFocus();
    QCoreApplication::processEvents();
    report("type a key into the full description", measure(runs, [&](int i) {
               const int key = i % 2 ? Qt::Key_Backspace : Qt::Key_X;
               const QString text = i % 2 ? QString() : QStringLiteral("x");
               QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
               QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
               QCoreApplication::sendEvent(description, &press);
               QCoreApplication::sendEvent(description, &release);
               description->viewport()->repaint();
           }),
           16.0);
    // A mark that comes and goes on every run.
    auto *month = window.findChild<QLineEdit *>(QStringLiteral("Edit_release_month"));
    report("PAD marks: check the whole editor", measure(runs, [&](int i) {
               month->setText(i % 2 ? QStringLiteral("5") : QStringLiteral("05"));
               editor.padMarks().refresh();
           }),
           1.0);
    auto *classes = window.findChild<QComboBox *>(QStringLiteral("ComboBox_class"));
    report("open and close the class drop-down", measure(40, [&](int) {
               classes->showPopup();
               QCoreApplication::processEvents();
               classes->hidePopup();
           }),
           0);
    return 0;
}
