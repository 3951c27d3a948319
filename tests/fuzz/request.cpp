// A request as any peer may send it, in chunks of any size. It is taken whole up to its line
// end within the bound, or refused once past the bound; a line taken is a request whose own
// line reads back to the same request, or a bad use.

#include "commands/reply.h"
#include "commands/request.h"
#include "fuzzcheck.h"

using namespace tavex;
using namespace tavex::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Input input{data, size};
    const qsizetype chunk = 1 + input.take<uint8_t>() % 64;
    const QByteArrayView bytes = input.bytes();
    RequestFrame frame;
    for (qsizetype at = 0; at < bytes.size() && frame.state() == RequestFrame::State::Incomplete; at += chunk)
        frame.add(bytes.sliced(at, std::min(chunk, bytes.size() - at)));
    const qsizetype end = bytes.indexOf('\n');
    const bool fits = end >= 0 && end < kMaxRequestBytes;
    FUZZ_CHECK(frame.state() == (fits ? RequestFrame::State::Complete
                                      : bytes.size() > kMaxRequestBytes ? RequestFrame::State::TooLong
                                                                        : RequestFrame::State::Incomplete));
    if (!fits)
        return 0;
    FUZZ_CHECK(frame.line() == bytes.first(end + 1));
    const auto parsed = parseRequestLine(frame.line());
    if (const auto *request = std::get_if<Request>(&parsed)) {
        const auto again = parseRequestLine(requestLine(*request));
        const auto *same = std::get_if<Request>(&again);
        FUZZ_CHECK(same && same->verb == request->verb && same->relay == request->relay && same->json == request->json);
        FUZZ_CHECK(request->verb == Verb::Estado || request->verb == Verb::Mostrar || request->verb == Verb::Ajuda
                   || request->verb == Verb::Versao || (request->relay >= 1 && request->relay <= 8));
    }
    return 0;
}
