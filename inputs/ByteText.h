#pragma once
// TByteText: a text shown in a widget that gives back the template's exact bytes while unchanged.

#include <QString>

#include <string>

/// Widgets hold QString, but a value taken from the template may be bytes that do not decode
/// cleanly (invalid UTF-8, another encoding). As long as the user has not changed the shown text,
/// the original bytes are the value; once changed, the widget's text in the local encoding is.
class TByteText {
public:
    TByteText() = default;
    explicit TByteText(std::string bytes) : FBytes(std::move(bytes)), FShown(QString::fromLocal8Bit(FBytes)) {}

    const QString& Shown() const { return FShown; }
    std::string ValueOf(const QString& current) const
    {
        return current == FShown ? FBytes : current.toLocal8Bit().toStdString();
    }

private:
    std::string FBytes;
    QString FShown;
};
