#include "inputs/PathCompleter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QAbstractItemView>
#include <QFileSystemModel>
#include <QPointer>

namespace {

// One model serves every path field of the program: each model reads the file system in a thread
// of its own, and a dialog may hold thousands of path fields.
QFileSystemModel* SharedFileSystemModel()
{
    static QPointer<QFileSystemModel> model;
    if (!model) {
        model = new QFileSystemModel(QCoreApplication::instance());
        // The model reads no directory at all until it has a root path, even an empty one.
        model->setRootPath(QString());
        model->setFilter(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    }
    return model;
}

} // namespace

TPathCompleter::TPathCompleter(QObject* parent) : QCompleter(parent), FModel(SharedFileSystemModel())
{
    setModel(FModel);
    setCompletionMode(QCompleter::PopupCompletion);
    setCaseSensitivity(Qt::CaseSensitive);
    connect(FModel, &QFileSystemModel::directoryLoaded, this, &TPathCompleter::OfferLoadedDirectory);
}

// The completer offers the entries of a directory that arrived late by itself only for
// absolute paths; a relative one is offered here.
void TPathCompleter::OfferLoadedDirectory(const QString& directory)
{
    if (FRelativeBase.isEmpty() || !widget() || !widget()->hasFocus() || popup()->isVisible())
        return;
    if ((FRelativeBase + completionPrefix()).startsWith(directory))
        complete();
}

QStringList TPathCompleter::splitPath(const QString& path) const
{
    FRelativeBase.clear();
    QString absolute = path;
    if (!path.isEmpty() && !QDir::isAbsolutePath(path)) {
        FRelativeBase = QDir::currentPath();
        if (!FRelativeBase.endsWith('/'))
            FRelativeBase += '/';
        absolute = FRelativeBase + path;
    }
    FetchDirectoryOf(absolute);
    return QCompleter::splitPath(absolute);
}

QString TPathCompleter::pathFromIndex(const QModelIndex& index) const
{
    const QString path = QCompleter::pathFromIndex(index);
    if (!FRelativeBase.isEmpty() && path.startsWith(FRelativeBase))
        return path.mid(FRelativeBase.size());
    return path;
}

// The model reads a directory only when asked, in the background; the completer then offers
// its entries as soon as they arrive.
void TPathCompleter::FetchDirectoryOf(const QString& absolutePath) const
{
    if (absolutePath.isEmpty())
        return;
    const QModelIndex directory = FModel->index(QFileInfo(absolutePath).path());
    if (directory.isValid() && FModel->canFetchMore(directory))
        FModel->fetchMore(directory);
}
