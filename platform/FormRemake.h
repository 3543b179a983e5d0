// Making a form: start-up may run again (the tests do), so the form made before
// goes first and the new one takes its place.
#pragma once
#include <memory>

template <class F>
F* RemakeForm() {
    static std::unique_ptr<F> Made;
    Made.reset();
    Made = std::make_unique<F>();
    return Made.get();
}
