#include "submit/guarddialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QTreeWidget *pairList(const char *objectName, const QStringList &headings,
                      const QList<QStringList> &rows, QWidget *parent)
{
    auto *list = new QTreeWidget(parent);
    list->setObjectName(QLatin1String(objectName));
    list->setRootIsDecorated(false);
    list->setSelectionMode(QAbstractItemView::NoSelection);
    list->setFocusPolicy(Qt::NoFocus);
    list->setHeaderLabels(headings);
    QList<QTreeWidgetItem *> items;
    for (const QStringList &row : rows)
        items.append(new QTreeWidgetItem(row));
    list->setUniformRowHeights(true);
    list->addTopLevelItems(items);
    // Measured once: a run over many sites can list thousands of pairs.
    for (int c = 0; c < headings.size(); ++c)
        list->resizeColumnToContents(c);
    return list;
}

} // namespace

GuardDialog::GuardDialog(const SubmitGuard::Findings &findings, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("GuardDialog"));
    setWindowTitle(tr("Before the submission"));
    auto *layout = new QVBoxLayout(this);

    if (!findings.sent.isEmpty()) {
        auto *heading = new QLabel(
            tr("These sites have taken this release already; sending it again can get you "
               "banned:"),
            this);
        heading->setWordWrap(true);
        layout->addWidget(heading);
        QList<QStringList> rows;
        for (const SubmitGuard::SentPair &p : findings.sent)
            rows.append({p.site, p.product, p.date});
        layout->addWidget(pairList("List_sent", {tr("Site"), tr("Product"), tr("Sent on")},
                                   rows, this));
    }
    if (!findings.policy.isEmpty()) {
        auto *heading =
            new QLabel(tr("These sites say they do not take this kind of program:"), this);
        heading->setWordWrap(true);
        layout->addWidget(heading);
        QList<QStringList> rows;
        for (const SubmitGuard::PolicyPair &p : findings.policy)
            rows.append({p.site, p.product, p.note});
        layout->addWidget(pairList("List_policy", {tr("Site"), tr("Product"), tr("Site's note")},
                                   rows, this));
    }

    auto *buttons = new QDialogButtonBox(this);
    auto *skip = buttons->addButton(tr("Skip these"), QDialogButtonBox::AcceptRole);
    skip->setObjectName(QStringLiteral("Button_skip"));
    auto *send = buttons->addButton(tr("Send anyway"), QDialogButtonBox::ActionRole);
    send->setObjectName(QStringLiteral("Button_send_anyway"));
    auto *cancel = buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("Button_cancel"));
    layout->addWidget(buttons);

    // Enter skips: the choice that cannot get the user banned.
    send->setAutoDefault(false);
    cancel->setAutoDefault(false);
    skip->setDefault(true);
    skip->setFocus();

    connect(skip, &QPushButton::clicked, this,
            [this] { answerWith(SubmitGuard::Answer::SkipThese); });
    connect(send, &QPushButton::clicked, this,
            [this] { answerWith(SubmitGuard::Answer::SendAnyway); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    resize(560, 320);
}

void GuardDialog::answerWith(SubmitGuard::Answer answer)
{
    m_answer = answer;
    accept();
}

SubmitGuard::Answer GuardDialogPrompt::ask(const SubmitGuard::Findings &findings)
{
    GuardDialog dialog(findings, m_parent);
    dialog.exec();
    return dialog.answer();
}
