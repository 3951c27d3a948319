// The port table reader: whatever the table's bytes, every port number it maps is positive
// and names a device path with no blanks around it and no line break in it, the speed stays
// positive, and reading the same table over its own result changes nothing.

#include "fuzzcheck.h"
#include "link/portmap.h"

using namespace tavex;
using namespace tavex::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The bytes as loadPortMap() reads a table file within the size limit.
    const QString table = Input{data, size}.rest();
    const PortMap map = withOverrides(PortMap::platformDefault(), table);

    FUZZ_CHECK(map.baudRate > 0);
    for (auto it = map.devices.cbegin(); it != map.devices.cend(); ++it) {
        FUZZ_CHECK(it.key() > 0);
        FUZZ_CHECK(!it.value().isEmpty() && it.value() == it.value().trimmed());
        FUZZ_CHECK(!it.value().contains(u'\n'));
    }
    const PortMap again = withOverrides(map, table);
    FUZZ_CHECK(again.devices == map.devices && again.baudRate == map.baudRate);
    return 0;
}
