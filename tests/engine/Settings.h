// Engine settings set in one statement, through their setters and in the order given.
#pragma once

#include <initializer_list>
#include <utility>

using Setting = std::pair<void (*)(int), int>;
inline void Apply(std::initializer_list<Setting> settings) {
    for (auto [set, value] : settings)
        set(value);
}
