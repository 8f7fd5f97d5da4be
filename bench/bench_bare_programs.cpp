// The yardsticks of bench_program: a bare QtCore program that reads the
// catalogue file, and a bare Qt Widgets window with a table of the products.
// Both answer the way the program does, so the same clock measures them.
#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <QTableWidget>
#include <QTextStream>
#include <QTimer>

#include <cstring>

namespace {

void reportMappedLibraries()
{
    const QString target = qEnvironmentVariable("KELVANE_MAPS_FILE");
    QFile maps(QStringLiteral("/proc/self/maps"));
    QSaveFile copy(target);
    if (!target.isEmpty() && maps.open(QIODevice::ReadOnly) && copy.open(QIODevice::WriteOnly)) {
        copy.write(maps.readAll());
        copy.commit();
    }
}

} // namespace

int main(int argc, char *argv[])
{
    // bench_bare_programs read FILE: reads the file and prints its size.
    if (argc == 3 && std::strcmp(argv[1], "read") == 0) {
        QCoreApplication app(argc, argv);
        QFile file(QString::fromLocal8Bit(argv[2]));
        if (!file.open(QIODevice::ReadOnly))
            return 2;
        QTextStream(stdout) << file.readAll().size() << '\n';
        return 0;
    }
    // bench_bare_programs window: a window with a 12-row table, shown.
    QApplication app(argc, argv);
    QTableWidget table(12, 10);
    for (int row = 0; row < 12; ++row)
        for (int column = 0; column < 10; ++column)
            table.setItem(row, column, new QTableWidgetItem(QStringLiteral("Product %1").arg(row)));
    table.resize(640, 330);
    table.show();
    QTimer::singleShot(0, &table, reportMappedLibraries);
    return app.exec();
}
