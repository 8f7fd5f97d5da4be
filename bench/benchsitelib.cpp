// A site library for the benchmark only: as many sites as KELVANE_BENCH_SITES
// says (default 3,000), in the record layout of the real one, names in a
// scrambled order so the program's sort has work to do.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::vector<std::string> &records()
{
    static std::vector<std::string> texts;
    return texts;
}

void build(int count)
{
    std::vector<std::string> &texts = records();
    if (int(texts.size()) == count)
        return;
    texts.clear();
    for (int i = 0; i < count; ++i) {
        const int n = int((i * 7919LL) % count);
        char name[64];
        std::snprintf(name, sizeof name, "Site%05d", n);
        std::string host = std::string("http://www.site") + std::to_string(n) + ".example";
        texts.push_back(std::string(name) + "\r" + host + "/\r\ryes\r" + host + "/submit.php\r0\r\r\r"
                        + "57=padurl\r0=name\r");
    }
}

} // namespace

extern "C" __attribute__((visibility("default"))) int NumOfRows()
{
    const char *env = std::getenv("KELVANE_BENCH_SITES");
    const int count = env ? std::atoi(env) : 3000;
    build(count);
    return count;
}

extern "C" __attribute__((visibility("default"))) const char *LoadStrings(int row)
{
    const std::vector<std::string> &texts = records();
    if (row < 1 || row > int(texts.size()))
        return "";
    return texts[row - 1].c_str();
}
