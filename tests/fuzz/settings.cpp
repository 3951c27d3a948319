// The settings file: whatever its bytes, the loader gives at most what a file can hold, and a
// box only 0 or 1; and the values of a file written from what it gave read back the same.

#include "fuzzcheck.h"
#include "settings/settingsfile.h"

using namespace tavex;
using namespace tavex::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const LoadedSettings loaded = parseSettingsFile(Input{data, size}.bytes());
    SettingsValues values;
    for (std::size_t i = 0; i < values.times.size(); ++i)
        values.times[i] = loaded.times[i].value_or(QString());
    for (std::size_t i = 0; i < values.boxes.size(); ++i)
        values.boxes[i] = loaded.boxes[i].value_or(false);

    const QByteArray file = settingsFileContents(values);
    FUZZ_CHECK(file.count("\r\n") == kSettingsLineCount);
    const LoadedSettings again = parseSettingsFile(file);
    for (std::size_t i = 0; i < values.times.size(); ++i) {
        FUZZ_CHECK(!values.times[i].contains(u'\r') && !values.times[i].contains(u'\n'));
        FUZZ_CHECK(again.times[i] == values.times[i]);
    }
    for (std::size_t i = 0; i < values.boxes.size(); ++i)
        FUZZ_CHECK(again.boxes[i] == values.boxes[i]);
    return 0;
}
