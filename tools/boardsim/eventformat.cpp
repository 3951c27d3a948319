#include "eventformat.h"

#include <cinttypes>
#include <cstdio>

namespace tavex::boardsim {

namespace {

// Plain ASCII that is safe to echo between quotes.
bool isShowable(unsigned char byte)
{
    return byte >= 0x20 && byte < 0x7f;
}

} // namespace

std::string formatConsoleLine(double elapsedMs, unsigned char byte,
                              const std::optional<RelayCommand> &command)
{
    char buffer[96];
    if (command) {
        std::snprintf(buffer, sizeof buffer, "%.3f 0x%02x '%c' relay %d %s", elapsedMs,
                      unsigned(byte), char(byte), command->relay, command->on ? "ON" : "OFF");
    } else if (isShowable(byte)) {
        std::snprintf(buffer, sizeof buffer, "%.3f 0x%02x '%c' UNKNOWN", elapsedMs,
                      unsigned(byte), char(byte));
    } else {
        std::snprintf(buffer, sizeof buffer, "%.3f 0x%02x UNKNOWN", elapsedMs, unsigned(byte));
    }
    return buffer;
}

std::string formatRecordLine(std::int64_t epochUs, unsigned char byte,
                             const std::optional<RelayCommand> &command)
{
    char buffer[96];
    if (command) {
        std::snprintf(buffer, sizeof buffer, "%" PRId64 " %02x %c %d %s", epochUs,
                      unsigned(byte), char(byte), command->relay, command->on ? "ON" : "OFF");
    } else {
        std::snprintf(buffer, sizeof buffer, "%" PRId64 " %02x ? 0 UNKNOWN", epochUs,
                      unsigned(byte));
    }
    return buffer;
}

} // namespace tavex::boardsim
