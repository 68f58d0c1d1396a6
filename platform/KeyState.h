#pragma once
// TKeyState: which modifier keys are held, as of the input event being handled.

#include <QtCore/qnamespace.h>

class TKeyState {
public:
    virtual ~TKeyState() = default;
    virtual Qt::KeyboardModifiers Modifiers() const = 0;
};

/// QGuiApplication::keyboardModifiers(): the state that the events delivered so far carried.
/// (queryKeyboardModifiers() reads the keyboard now, when the keys may have been released.)
class TApplicationKeyState : public TKeyState {
public:
    Qt::KeyboardModifiers Modifiers() const override;
};
