// The plug-in boundary: a call that lets no exception out. What it throws is logged
// with the routine's name and the call gives false, 0, nullptr or an empty value.
#pragma once
#include <exception>
#include <type_traits>

#include "shell/UserDll.h"

template <class R>
R UserFailed() {
    if constexpr (std::is_void_v<R>) {
        return;
    } else if constexpr (std::is_reference_v<R>) {
        static std::remove_reference_t<R> Empty{};
        return Empty;
    } else {
        return R{};
    }
}

template <class F>
auto UserGuarded(const char* Routine, F&& Call) noexcept -> decltype(Call()) {
    try {
        return Call();
    } catch (const std::exception& e) {
        UserHostFault(Routine, e.what());
    } catch (...) {
        UserHostFault(Routine, "unknown exception");
    }
    return UserFailed<decltype(Call())>();
}
