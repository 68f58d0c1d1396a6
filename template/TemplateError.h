#pragma once
// ETemplateError: a template line that cannot be turned into a dialog, with the reason as its message.

#include "platform/Exceptions.h"

class ETemplateError : public Exception {
public:
    using Exception::Exception;
};
