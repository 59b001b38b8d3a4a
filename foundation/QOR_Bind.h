// Event handlers bound to the lifetime of an object.
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <type_traits>
#include <utility>

namespace qor {

/// Wraps a handler so that it runs only while `context` lives: assign the result to an
/// On... event when the handler uses an object that may die before the event's owner
/// (`meter->OnOverFlow = qor::Bind(panel, [panel](TObject*) { panel->Warn(); });`).
/// After the context is destroyed the handler is not called and returns a default value.
template <class F>
auto Bind(const QObject* context, F handler)
{
    return [guard = QPointer<const QObject>(context), handler = std::move(handler)](auto&&... args) mutable {
        using R = std::invoke_result_t<F&, decltype(args)...>;
        if (!guard) {
            if constexpr (std::is_void_v<R>)
                return;
            else
                return R{};
        }
        return handler(std::forward<decltype(args)>(args)...);
    };
}

} // namespace qor
