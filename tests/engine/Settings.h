// Engine settings set in one statement: setter, value, setter, value... in the order given.
#pragma once

inline void Apply() {}
template <typename... Rest> void Apply(void (*set)(int), int value, Rest... rest) {
    set(value);
    Apply(rest...);
}
