#pragma once
// The one wrapper every event handler runs through. A statement the engine
// rejects (DbError) or any other failure rolls back every open transaction,
// shows the error box with the engine's text and skips the rest of the
// handler; no exception ever reaches Qt's event loop.

#include <QObject>

#include <functional>
#include <type_traits>
#include <utility>

// Runs fn; returns false when it failed (the error box has been shown).
bool guarded(const std::function<void()>& fn);

// connect() through guarded(): the slot's exceptions end in the error box.
template <typename Sender, typename Signal, typename Fn>
QMetaObject::Connection connectGuarded(Sender* sender, Signal signal, QObject* context, Fn fn) {
    return QObject::connect(sender, signal, context, [fn = std::move(fn)](auto&&... args) mutable {
        guarded([&] {
            if constexpr (std::is_invocable_v<Fn&, decltype(args)...>) fn(std::forward<decltype(args)>(args)...);
            else fn();
        });
    });
}
