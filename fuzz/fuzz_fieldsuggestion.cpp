// libFuzzer target for the field suggestion: an input's name and its label
// come from a page we do not control (bytes before the first line break are
// the name, the rest the label). Any text must give no suggestion or one a
// field map may name, in bounded time.
#include "submit/formwalk/fieldchoices.h"
#include "submit/formwalk/fieldsuggestion.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const FieldSuggester suggester;   // built once: the catalogue does not change
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype cut = text.indexOf(u'\n');
    const QString name = cut < 0 ? text : text.left(cut);
    const QString label = cut < 0 ? QString() : text.mid(cut + 1);
    const std::optional<int> field = suggester.suggest(name, label);
    if (field && FieldChoices::caption(*field).isEmpty()) {
        std::fprintf(stderr, "fuzz_fieldsuggestion: suggested field %d no entry may name\n", *field);
        std::abort();
    }
    for (const QString &word : suggester.words(label))
        if (word.size() < 2) {
            std::fprintf(stderr, "fuzz_fieldsuggestion: a word of one letter\n");
            std::abort();
        }
    return 0;
}
