#pragma once
// TMainForm: the dialog, with the input rows above a button row holding OK and Cancel.

#include <QDialog>

#include <memory>

class QPushButton;
class TStringFactory;

class TMainForm : public QDialog {
    Q_OBJECT

public:
    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    /// The vertical box that the input rows are appended to.
    QWidget* RowArea() const { return FRowArea; }
    /// Puts OK and Cancel after every input in the tab order; called once the rows exist.
    void PutButtonsLastInTabOrder();

    QWidget* ButtonPanel;
    QPushButton* OKButton;
    QPushButton* CancelButton;
    std::unique_ptr<TStringFactory> FFactory;

private:
    QWidget* FRowArea;
};
