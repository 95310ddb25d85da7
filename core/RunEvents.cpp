// The one run-event listener.
#include "core/RunEvents.h"

#include <utility>

namespace runevents {
namespace {
Listener& TheListener() {
    static Listener listener;
    return listener;
}
} // namespace

void Listen(Listener listener) { TheListener() = std::move(listener); }

void Emit(Kind kind, const std::string& text) {
    if (const Listener& listener = TheListener()) listener(kind, text);
}

} // namespace runevents
