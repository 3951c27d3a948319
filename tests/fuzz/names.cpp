// The names file: whatever its bytes, at most eight entries are read, none with a line end;
// and whatever the rename boxes hold, the file written from them reads back as eight entries,
// each name upper-cased, without what a box refuses and, unless quoted for a comma, without
// its outer blanks.

#include "common/windows1252.h"
#include "fuzzcheck.h"
#include "names/namesfile.h"

using namespace tavex;
using namespace tavex::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes = Input{data, size}.bytes();
    const QList<QString> entries = readNameEntries(bytes);
    FUZZ_CHECK(entries.size() <= 8);
    for (const QString &entry : entries)
        FUZZ_CHECK(!entry.contains(u'\r') && !entry.contains(u'\n'));

    // The same bytes, decoded, as the texts of the eight boxes.
    const QStringList names = fromWindows1252(bytes).split(u'\n').mid(0, 8);
    QStringList expected;
    for (int n = 0; n < 8; ++n) {
        const QString kept = nameText(upperWindows1252(names.value(n)));
        expected << (kept.contains(u',') ? kept : trimBlanks(kept));
    }
    const QByteArray file = namesFileContents(names);
    FUZZ_CHECK(file.count("\r\n") == 8 && file.endsWith("\r\n"));
    FUZZ_CHECK(readNameEntries(file) == expected);
    return 0;
}
