// Every input is a sequence of player events; any broken invariant aborts with
// a description, and the sanitizers catch undefined behaviour and bad memory use.
#include <cstdio>
#include <cstdlib>

#include "zemkari/fuzz/events.h"
#include "zemkari/fuzz/session.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<zemkari::PlayerEvent> events = zemkari::fuzz::DecodeEvents({data, size});
    if (const auto broken = zemkari::fuzz::Play(events)) {
        std::fprintf(stderr, "zemkari invariant broken at %s\n", broken->c_str());
        std::abort();
    }
    return 0;
}
