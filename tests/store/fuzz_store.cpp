// libFuzzer's entries to the store: any input, and every check must hold.
// Built with STORE_FUZZ_FILES, each input goes through the whole store and
// its files; without, through the document in memory, which is much faster.
#include <cstdio>
#include <cstdlib>

#include <QTemporaryDir>

#include "storecheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
#ifdef STORE_FUZZ_FILES
    static QTemporaryDir folder;
    const QString failure = quintara::CheckStore(input, folder.path());
#else
    const QString failure = quintara::CheckDocument(input);
#endif
    if (!failure.isEmpty()) {
        std::fprintf(stderr, "store check failed: %s\n", qPrintable(failure));
        std::abort();
    }
    return 0;
}
