#pragma once

#include <QPointer>

#include <utility>

// A top-level window that its owner makes when first needed and deletes when the owner goes.
// The window has no parent, so the desktop treats it as a window of its own rather than a
// dialog of the main window. It may delete itself when its frame closes it
// (Qt::WA_DeleteOnClose): the owner then holds nothing, and the next use makes a new one.
template <typename Window>
class OwnedWindow
{
public:
    OwnedWindow() = default;
    OwnedWindow(const OwnedWindow &) = delete;
    OwnedWindow &operator=(const OwnedWindow &) = delete;
    ~OwnedWindow() { reset(); }

    template <typename... Arguments>
    Window *make(Arguments &&...arguments)
    {
        reset();
        window_ = new Window(std::forward<Arguments>(arguments)...);
        return window_;
    }
    void reset() { delete window_.data(); }

    Window *get() const { return window_; }
    Window *operator->() const { return window_; }
    explicit operator bool() const { return !window_.isNull(); }

private:
    QPointer<Window> window_;
};
