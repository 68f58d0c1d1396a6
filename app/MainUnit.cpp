#include "app/MainUnit.h"

#include "app/CommandLauncher.h"
#include "platform/DesktopLauncher.h"
#include "platform/Exceptions.h"
#include "platform/KeyState.h"
#include "platform/X11DesktopWindows.h"
#include "template/StringFactory.h"

#include <QApplication>
#include <QBoxLayout>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QShortcutEvent>

#include <cstdint>
#include <cstdio>

namespace {

constexpr int kClientWidth = 331;
constexpr int kClientHeight = 592;
constexpr int kButtonPanelHeight = 41;

// A 12-pixel proportional Gothic face with Japanese glyphs, else the default sans face.
QFont DialogFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic"),
                      QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Sans Serif")});
    font.setPixelSize(12);
    return font;
}

QPushButton* CreateButton(const QString& caption, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setFixedSize(75, 25);
    return button;
}

bool TakesTab(const QWidget* widget)
{
    return widget->focusPolicy() & Qt::TabFocus;
}

// The parts of a compound control (the text field of a combo box) are reached through it.
bool InsideTabStop(const QWidget* widget)
{
    for (const QWidget* parent = widget->parentWidget(); parent; parent = parent->parentWidget()) {
        if (TakesTab(parent))
            return true;
    }
    return false;
}

// The top-left corner that centres a window of the given outer size over rect, whose right and
// bottom edges lie just outside it. The halves truncate toward zero, so (-1000 + -600 - 339) / 2
// is -969, not -970; the sums are taken in 64 bits, where no rectangle can overflow them.
QPoint CentredOver(const QRect& rect, const QSize& size)
{
    const std::int64_t left = rect.x(), top = rect.y();
    const std::int64_t right = left + rect.width(), bottom = top + rect.height();
    return QPoint(static_cast<std::int32_t>((left + right - size.width()) / 2),
                  static_cast<std::int32_t>((top + bottom - size.height()) / 2));
}

// Keeps OK disabled while a launch runs and enables it again however the launch ends. Disabling
// the focused button moves the focus on; it comes back, or Enter would hit Cancel next time.
class TLaunchGuard {
public:
    TLaunchGuard(QWidget* form, QPushButton* button) : FForm(form), FButton(button), FFocus(form->focusWidget())
    {
        FButton->setEnabled(false);
    }
    ~TLaunchGuard()
    {
        FButton->setEnabled(true);
        if (FFocus && FForm->focusWidget() != FFocus)
            FFocus->setFocus();
    }
    TLaunchGuard(const TLaunchGuard&) = delete;
    TLaunchGuard& operator=(const TLaunchGuard&) = delete;

private:
    QWidget* FForm;
    QPushButton* FButton;
    QPointer<QWidget> FFocus;
};

bool IsEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

} // namespace

TMainForm::TMainForm(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint), FKeyState(std::make_unique<TApplicationKeyState>()),
      FDesktopWindows(std::make_unique<TX11DesktopWindows>()), FLauncher(std::make_unique<TDesktopLauncher>()),
      FRowArea(new QWidget(this))
{
    setWindowTitle(QStringLiteral("MainForm"));
    setFont(DialogFont());
    resize(kClientWidth, kClientHeight);

    auto* rows = new QVBoxLayout(FRowArea);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(0);

    ButtonPanel = new QWidget(this);
    ButtonPanel->setFixedHeight(kButtonPanelHeight);
    OKButton = CreateButton(tr("&OK"), ButtonPanel);
    OKButton->setDefault(true);
    CancelButton = CreateButton(tr("&Cancel"), ButtonPanel);
    // OK keeps 24 pixels from the left edge, Cancel 19 from the right, whatever the width.
    auto* buttons = new QHBoxLayout(ButtonPanel);
    buttons->setContentsMargins(24, 8, 19, 8);
    buttons->addWidget(OKButton);
    buttons->addStretch(1);
    buttons->addWidget(CancelButton);

    auto* form = new QVBoxLayout(this);
    form->setContentsMargins(0, 0, 0, 0);
    form->setSpacing(0);
    form->addWidget(FRowArea);
    form->addStretch(1);
    form->addWidget(ButtonPanel);

    connect(OKButton, &QPushButton::clicked, this, &TMainForm::ClickOK);
    connect(CancelButton, &QPushButton::clicked, this, &TMainForm::CancelButtonClick);
    // Key preview, and OK's mnemonic handled at once (see OKShortcut).
    qApp->installEventFilter(this);
}

TMainForm::~TMainForm() = default;

void TMainForm::ChainTabOrder()
{
    // Controls are created hidden on the form and moved into their rows later, which leaves the
    // focus chain in creation order with the buttons first: chain it anew, row by row. Only the
    // form's own window is chained: a combo box's popup list is a window of its own.
    QList<QWidget*> order;
    for (QWidget* control : FRowArea->findChildren<QWidget*>()) {
        if (TakesTab(control) && control->window() == this && !InsideTabStop(control))
            order << control;
    }
    order << OKButton << CancelButton;
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    // Without a marked input the first control in that order has the focus when the dialog opens.
    if (!focusWidget())
        order.first()->setFocus();
}

void TMainForm::OKButtonClick()
{
    // The keys as of the click or key press being handled, read before anything can change them.
    const Qt::KeyboardModifiers keys = FKeyState->Modifiers();
    const std::string command = FFactory ? FFactory->MakeString() : std::string();
    if (keys & Qt::AltModifier)
        ShowCommandLine(command);
    else if (FPrintOnly)
        PrintCommand(command);
    else
        LaunchCommand(command, keys & Qt::ShiftModifier);
}

void TMainForm::CancelButtonClick()
{
    close();
}

void TMainForm::FormShow()
{
    const QMargins frame = FDesktopWindows->FrameExtents(this);
    const QPoint outer = CentredOver(FDesktopWindows->ForegroundRect(), size().grownBy(frame));
    setGeometry(QRect(outer + QPoint(frame.left(), frame.top()), size()));
}

bool TMainForm::FormKeyDown(int key, Qt::KeyboardModifiers shift)
{
    if (!IsEnter(key))
        return false;
    if (shift & (Qt::ShiftModifier | Qt::AltModifier)) {
        // The action itself, not OKButton->click(), which does nothing while OK is disabled.
        ClickOK();
        return true;
    }
    // A focused button would take Ctrl+Enter as a click of its own.
    return shift & Qt::ControlModifier;
}

void TMainForm::showEvent(QShowEvent* event)
{
    // Shown by the program, not restored by the window system: placed before it is mapped.
    if (!event->spontaneous())
        FormShow();
    QDialog::showEvent(event);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == OKButton && event->type() == QEvent::Shortcut)
        return OKShortcut(static_cast<QShortcutEvent*>(event));
    // A key's first delivery is to the focus widget; the Enter keys acted on are used up there,
    // so they never come back while the event travels to the parents.
    if (event->type() == QEvent::KeyPress && KeysAreOurs(watched)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        return FormKeyDown(key->key(), key->modifiers());
    }
    return QDialog::eventFilter(watched, event);
}

void TMainForm::ClickOK()
{
    try {
        OKButtonClick();
    } catch (const Exception& e) {
        ShowError(e.Message());
    } catch (const std::bad_alloc&) {
        ShowError("Out of memory");
    } catch (const std::exception& e) {
        ShowError(e.what());
    }
}

void TMainForm::LaunchCommand(const std::string& command, bool keepOpen)
{
    std::optional<std::string> failure;
    {
        TLaunchGuard guard(this, OKButton);
        failure = RunCommand(command, *FLauncher);
        if (!failure && !keepOpen)
            close();
    }
    // A failed start keeps the dialog and its values, so the user can correct them and try again.
    if (failure)
        ShowError(*failure);
}

void TMainForm::PrintCommand(const std::string& command)
{
    std::fwrite(command.data(), 1, command.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
    accept();
}

void TMainForm::ShowCommandLine(const std::string& command)
{
    const QString text = QString::fromLocal8Bit(command);
    QMessageBox box(QMessageBox::NoIcon, text, text, QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box.exec();
}

void TMainForm::ShowError(const std::string& message)
{
    QMessageBox box(QMessageBox::Critical, QStringLiteral("cmdform"), QString::fromLocal8Bit(message),
                    QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

// QAbstractButton answers its mnemonic with animateClick(), which clicks 100 ms later, when Alt
// may be up already: Alt+O would then run the command instead of showing it. Clicking here reads
// the keys as of the Alt+O key press.
bool TMainForm::OKShortcut(QShortcutEvent* event)
{
    if (event->isAmbiguous())
        return false; // another control has the same mnemonic: the button only takes the focus
    ClickOK();
    return true;
}

// Keys pressed in this dialog, unless a popup (an open list) or another modal window has them.
bool TMainForm::KeysAreOurs(QObject* receiver) const
{
    const auto* widget = qobject_cast<QWidget*>(receiver);
    const QWidget* modal = QApplication::activeModalWidget();
    return widget && widget->window() == this && !QApplication::activePopupWidget() && (!modal || modal == this);
}
