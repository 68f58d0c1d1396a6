#pragma once
// TMainForm: the dialog, with the input rows above a button row holding OK and Cancel, and what
// its buttons and keys do.

#include <QDialog>

#include <memory>
#include <string>

class QPushButton;
class QShortcutEvent;
class TDesktopWindows;
class TKeyState;
class TLauncher;
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

    /// Builds the command line. With Alt held it is only shown; otherwise it is launched with OK
    /// disabled, and the dialog closes unless Shift is held or the start failed (which is shown).
    void OKButtonClick();
    void CancelButtonClick();
    /// Centres the dialog, frame included, over the window in front; not kept on the screen.
    void FormShow();
    /// Sees every key before the focused control. Enter with Shift or Alt runs OK; Enter with only
    /// Ctrl does nothing. Returns true when the key is used up.
    bool FormKeyDown(int key, Qt::KeyboardModifiers shift);

    QWidget* ButtonPanel;
    QPushButton* OKButton;
    QPushButton* CancelButton;
    std::unique_ptr<TStringFactory> FFactory;
    // The system services the handlers use; tests put stand-ins in their place.
    std::unique_ptr<TKeyState> FKeyState;
    std::unique_ptr<TDesktopWindows> FDesktopWindows;
    std::unique_ptr<TLauncher> FLauncher;
    /// OK writes the command line to standard output and accepts the dialog instead of starting it.
    bool FPrintOnly = false;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    /// OK's click action: an exception it raises is shown, and the dialog carries on.
    void ClickOK();
    void LaunchCommand(const std::string& command, bool keepOpen);
    void PrintCommand(const std::string& command);
    void ShowCommandLine(const std::string& command);
    void ShowError(const std::string& message);
    bool OKShortcut(QShortcutEvent* event);
    bool KeysAreOurs(QObject* receiver) const;

    QWidget* FRowArea;
};
