#pragma once
// The one boundary between Qt's signals and the program's handlers. An
// exception must not leave a slot (Qt does not carry it through its signal
// calls), so a handler that may fail (a database failure) is connected
// through guarded(): what it throws is shown as the application shows any
// failure (DbError with its Turkish text and the engine's detail) and the
// operation ends there.
//
//   connect(BitBtn1, &QPushButton::clicked, this, guarded(this, &TScreen::BitBtn1Click));
//   QObject::connect(&timer, &QTimer::timeout, guarded([this] { tick(); }));
//   Guard::run([&] { handler(); });       // in an event handler or callback

#include <exception>
#include <utility>

namespace Guard {
// Shows the failure held by `e` in an error box; never throws.
void show(const std::exception_ptr& e) noexcept;

template <class F>
void run(F&& f) noexcept
{
    try {
        std::forward<F>(f)();
    } catch (...) {
        show(std::current_exception());
    }
}
} // namespace Guard

// A member handler as a slot that shows what it throws.
template <class T, class R, class... A>
auto guarded(T* receiver, R (T::*handler)(A...))
{
    return [receiver, handler](A... args) { Guard::run([&] { (receiver->*handler)(args...); }); };
}

// A handler without arguments as a slot that shows what it throws.
template <class F>
auto guarded(F handler)
{
    return [handler = std::move(handler)]() mutable { Guard::run(handler); };
}
