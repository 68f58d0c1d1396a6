#pragma once
// TPathCompleter: offers the file system's entries for absolute paths and paths relative to the
// current directory, in a popup list.

#include <QCompleter>

class QFileSystemModel;

class TPathCompleter : public QCompleter {
    Q_OBJECT

public:
    explicit TPathCompleter(QObject* parent = nullptr);

    QStringList splitPath(const QString& path) const override;
    QString pathFromIndex(const QModelIndex& index) const override;

private:
    void FetchDirectoryOf(const QString& absolutePath) const;
    void OfferLoadedDirectory(const QString& directory);

    QFileSystemModel* FModel;
    // The file-system model completes absolute paths only: a relative path is completed with the
    // current directory in front, which is taken off again in what is offered.
    mutable QString FRelativeBase;
};
