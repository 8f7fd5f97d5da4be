// A site library that breaks one promise, chosen at build time, for the
// loader's refusals.

#include <cstdint>
#include <cstdio>
#include <unistd.h>

#define EXPORT extern "C" __attribute__((visibility("default")))

namespace {

constexpr char Record[] = "TestSite\rhttp://www.testsite.example\r\ryes\r"
                          "http://www.testsite.example/submit.php\r0\r\r\r57=padurl\r";

#ifdef TESTSITE_UNTERMINATED
// Readable memory well past the loader's limit, with no zero inside it.
struct Long
{
    char text[70000];
    char zero;
};
constexpr Long Unterminated = [] {
    Long l{};
    for (char &c : l.text)
        c = 'A';
    l.zero = '\0';
    return l;
}();
#endif

} // namespace

#ifndef TESTSITE_ROWS
#define TESTSITE_ROWS 2
#endif

#ifndef TESTSITE_NO_NUMOFROWS
EXPORT std::int32_t NumOfRows()
{
#if defined(TESTSITE_HANG)
    for (;;)
        ::sleep(1);
#elif defined(TESTSITE_NOISY)
    // Writes of its own where the checker answers.
    std::fputs("\x08\x00\x00\x00passed\r\n", stdout);
    std::fflush(stdout);
#endif
    return TESTSITE_ROWS;
}
#endif

#ifndef TESTSITE_NO_LOADSTRINGS
EXPORT const char *LoadStrings(std::int32_t number)
{
#if defined(TESTSITE_UNTERMINATED)
    return number == 2 ? Unterminated.text : Record;
#elif defined(TESTSITE_WILD_POINTER)
    // Not a text at all: reading it faults.
    return number == 2 ? reinterpret_cast<const char *>(std::uintptr_t(16)) : Record;
#elif defined(TESTSITE_MANY_FIELDS)
    static char wide[2 * 1100 + 1] = {};
    for (int i = 0; i < 1100; ++i) {
        wide[2 * i] = 'f';
        wide[2 * i + 1] = '\r';
    }
    return number == 2 ? wide : Record;
#elif defined(TESTSITE_NO_FINAL_CR)
    return number == 1 ? "NoFinalCr\rhttp://www.nofinalcr.example\r\ryes\r"
                         "http://www.nofinalcr.example/submit.php\r0\r\r\r57=padurl"
                       : Record;
#else
    return number == 1 ? Record : "";
#endif
}
#endif

#if defined(TESTSITE_NO_NUMOFROWS) && defined(TESTSITE_NO_LOADSTRINGS)
EXPORT int SomethingElse()
{
    return 0;
}
#endif
