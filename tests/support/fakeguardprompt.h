#pragma once

#include "submit/run/submitguard.h"

#include <QList>

// Records every check before a run and answers from a queue; with the queue
// empty it sends anyway, as runs went before there was a check.
class FakeGuardPrompt : public SubmitGuard::Prompt
{
public:
    QList<SubmitGuard::Findings> asked;
    QList<SubmitGuard::Answer> answers;

    SubmitGuard::Answer ask(const SubmitGuard::Findings &findings) override
    {
        asked.append(findings);
        return answers.isEmpty() ? SubmitGuard::Answer::SendAnyway : answers.takeFirst();
    }
};
