#pragma once
// TEditForPath: a line edit that switches on file-system completion at its first text change.

#include <QLineEdit>

class TEditForPath : public QLineEdit {
    Q_OBJECT

public:
    explicit TEditForPath(QWidget* parent = nullptr);

    /// Whether completion is still to be switched on (true until the first change).
    bool CompletionPending() const { return FAutoCompleteFlags != 0; }

protected:
    void focusInEvent(QFocusEvent* event) override;

private:
    void Change();
    void InstallCompleter();

    int FAutoCompleteFlags = 1;
};
