#pragma once
// Loads a template line into a fresh dialog, for tests that look at the dialog or its command.

#include "app/MainUnit.h"
#include "platform/Launcher.h"
#include "template/StringFactory.h"

#include <QFile>
#include <QTemporaryDir>

#include <memory>

/// Records what OK would start, as "program|parameters", instead of starting it.
class TRecordingLauncher : public TLauncher {
public:
    std::optional<std::string> Open(const std::string& programPart, const std::string& parameterPart) override
    {
        Launches << QString::fromLocal8Bit(programPart + "|" + parameterPart);
        return std::nullopt;
    }
    QStringList Launches;
};

class TTemplateFixture {
public:
    /// Writes line to a template file and loads it; LoadTemplate's exceptions pass through.
    explicit TTemplateFixture(const QByteArray& line, const QString& name = "t.cmdform")
    {
        QFile file(FDir.filePath(name));
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(file.fileName()));
        file.write(line);
        file.close();
        auto launcher = std::make_unique<TRecordingLauncher>();
        Launcher = launcher.get();
        Form->FLauncher = std::move(launcher);
        Form->FFactory = std::make_unique<TStringFactory>(Form.get(), Form->RowArea());
        Form->FFactory->LoadTemplate(file.fileName().toStdString());
        Form->ChainTabOrder();
    }

    TStringFactory& Factory() { return *Form->FFactory; }
    QByteArray Command() { return QByteArray::fromStdString(Factory().MakeString()); }
    /// The row widget of the k-th new input (0-based), in the order the rows stack.
    QWidget* Row(int k) const;

    QTemporaryDir FDir;
    std::unique_ptr<TMainForm> Form = std::make_unique<TMainForm>();
    TRecordingLauncher* Launcher = nullptr;
};

#include <QLayout>

inline QWidget* TTemplateFixture::Row(int k) const
{
    QLayoutItem* item = Form->RowArea()->layout()->itemAt(k);
    return item ? item->widget() : nullptr;
}
