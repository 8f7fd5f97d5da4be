#include "shell/runprogressline.h"

#include "platform/table.h"
#include "submit/run/runprogress.h"
#include "submit/run/submissionrun.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>

RunProgressLine::RunProgressLine(const SubmissionRun &run, const Table &software, QWidget *parent)
    : QFrame(parent), m_run(run), m_software(software)
{
    setObjectName(QStringLiteral("Panel_run_progress"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    m_label = new QLabel(this);
    m_label->setObjectName(QStringLiteral("Label_run_progress"));
    m_label->setTextFormat(Qt::PlainText);
    m_bar = new QProgressBar(this);
    m_bar->setObjectName(QStringLiteral("ProgressBar_run"));
    m_bar->setTextVisible(false);
    m_bar->setFixedWidth(120);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 1, 4, 1);
    layout->addWidget(m_label, 1);
    layout->addWidget(m_bar);
    // The time so far moves on between pairs.
    m_tick = new QTimer(this);
    m_tick->setInterval(1000);
    connect(m_tick, &QTimer::timeout, this, &RunProgressLine::refresh);
    hide();
}

QString RunProgressLine::text() const
{
    return isVisibleTo(parentWidget()) ? m_label->toolTip() : QString();
}

int RunProgressLine::barValue() const
{
    return m_bar->value();
}

void RunProgressLine::update()
{
    if (!m_run.isRunning()) {
        m_tick->stop();
        m_clock.invalidate();
        hide();
        return;
    }
    if (!m_clock.isValid())
        m_clock.start();
    m_tick->start();
    refresh();
    show();
    raise();
}

void RunProgressLine::refresh()
{
    const SubmissionRun::Progress progress = m_run.progress();
    const std::optional<SubmissionRun::Pair> pair = m_run.openPair();
    const QString product = pair ? m_software.cell(0, pair->softwareRow) : QString();
    const QString line = RunProgress::text(progress, product, m_clock.isValid() ? m_clock.elapsed() : 0);
    m_label->setToolTip(line);
    m_label->setText(m_label->fontMetrics().elidedText(line, Qt::ElideMiddle,
                                                       std::max(0, m_label->width())));
    m_bar->setRange(0, std::max(1, progress.total));
    m_bar->setValue(std::max(0, progress.current - 1));
}
