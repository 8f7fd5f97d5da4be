#include "shell/commands/commands.h"

#include "shell/commands/historycommand.h"
#include "shell/commands/padcommandline.h"
#include "shell/commands/productcommands.h"

#include <QCoreApplication>

namespace Commands {

namespace {

Handler sitesCheckHandler = nullptr;

int sitesCheck(const QStringList &args, const Context &context)
{
    if (sitesCheckHandler)
        return sitesCheckHandler(args, context);
    Io io(context);
    return io.fail(QCoreApplication::translate("Commands", "The site check is not available "
                                                           "in this program."));
}

struct Command
{
    const char *group; // "pad", "sites", or nullptr for a one-word command
    const char *name;
    Handler handler;
    const char *summary;
};

constexpr Command CommandTable[] = {
    {nullptr, "list", list, QT_TRANSLATE_NOOP("Commands", "the products: name, version, release date")},
    {nullptr, "show", show, QT_TRANSLATE_NOOP("Commands", "every field of a product")},
    {nullptr, "set", set, QT_TRANSLATE_NOOP("Commands", "change a product's fields and save it")},
    {"pad", "export", padExport, QT_TRANSLATE_NOOP("Commands", "write a product's PAD file")},
    {"pad", "import", padImport, QT_TRANSLATE_NOOP("Commands", "read a PAD file, and store it with --save")},
    {"pad", "check", padCheck, QT_TRANSLATE_NOOP("Commands", "check a PAD file or product against the PAD rules")},
    {"sites", "check", sitesCheck, QT_TRANSLATE_NOOP("Commands", "open the sites' submission pages and report problems")},
    {nullptr, "history", history, QT_TRANSLATE_NOOP("Commands", "the submission history, sites by products")},
};

QString wordsOf(const Command &c)
{
    return c.group ? QStringLiteral("%1 %2").arg(QLatin1String(c.group), QLatin1String(c.name))
                   : QString::fromLatin1(c.name);
}

} // namespace

bool isCommand(const QString &word)
{
    for (const Command &c : CommandTable)
        if (word == QLatin1String(c.group ? c.group : c.name))
            return true;
    return false;
}

bool opensPages(const QString &word)
{
    return word == QLatin1String("sites");
}

int run(const QStringList &args, const Context &context)
{
    const QString first = args.value(0);
    QStringList choices;
    for (const Command &c : CommandTable) {
        if (!c.group) {
            if (first == QLatin1String(c.name))
                return c.handler(args.mid(1), context);
            continue;
        }
        if (first != QLatin1String(c.group))
            continue;
        if (args.value(1) == QLatin1String(c.name))
            return c.handler(args.mid(2), context);
        choices.append(QString::fromLatin1(c.name));
    }
    Io io(context);
    if (!choices.isEmpty())
        return io.fail(QCoreApplication::translate("Commands", "'%1' takes: %2.")
                           .arg(first, choices.join(QLatin1String(", "))));
    return io.fail(QCoreApplication::translate("Commands", "Unknown command '%1'. Try: "
                                                           "kelvanesubmit --help")
                       .arg(first));
}

void setSitesCheck(Handler handler)
{
    sitesCheckHandler = handler;
}

QString overview()
{
    QString text = QCoreApplication::translate("Commands", "Commands (each with --help):") + u'\n';
    for (const Command &c : CommandTable)
        text += QStringLiteral("  %1%2\n")
                    .arg(wordsOf(c).leftJustified(14),
                         QCoreApplication::translate("Commands", c.summary));
    return text;
}

} // namespace Commands
