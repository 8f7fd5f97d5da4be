#pragma once

#include <QElapsedTimer>
#include <QFrame>

class QLabel;
class QProgressBar;
class QTimer;
class SubmissionRun;
class Table;

// While a submission run is under way, the main window's foot shows how far
// it has come: site n of m, the product, the time so far and left, the
// outcomes so far, and a bar. Hidden when no run is.
class RunProgressLine : public QFrame
{
    Q_OBJECT

public:
    RunProgressLine(const SubmissionRun &run, const Table &software, QWidget *parent);

    // The text shown, "" while hidden.
    QString text() const;
    int barValue() const;

    // The run's progress changed: a pair opened or the run ended.
    void update();

private:
    void refresh();

    const SubmissionRun &m_run;
    const Table &m_software;
    QLabel *m_label = nullptr;
    QProgressBar *m_bar = nullptr;
    QTimer *m_tick = nullptr;
    QElapsedTimer m_clock;
};
