#include "platform/KeyState.h"

#include <QGuiApplication>

Qt::KeyboardModifiers TApplicationKeyState::Modifiers() const
{
    return QGuiApplication::keyboardModifiers();
}
