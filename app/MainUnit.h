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
    /// Tab visits the rows' controls in definition order, then OK and Cancel; the first of them
    /// has the focus unless an input was marked for it. Called once the rows exist.
    void ChainTabOrder();

    QWidget* ButtonPanel;
    QPushButton* OKButton;
    QPushButton* CancelButton;
    std::unique_ptr<TStringFactory> FFactory;

private:
    QWidget* FRowArea;
};
