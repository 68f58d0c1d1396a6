#include "app/MainUnit.h"

#include "template/StringFactory.h"

#include <QBoxLayout>
#include <QPushButton>

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

} // namespace

TMainForm::TMainForm(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint), FRowArea(new QWidget(this))
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

    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

TMainForm::~TMainForm() = default;

void TMainForm::ChainTabOrder()
{
    // Controls are created hidden on the form and moved into their rows later, which leaves the
    // focus chain in creation order with the buttons first: chain it anew, row by row. Only the
    // form's own window is chained: a combo box's popup list is a window of its own.
    QList<QWidget*> order;
    for (QWidget* control : FRowArea->findChildren<QWidget*>()) {
        if ((control->focusPolicy() & Qt::TabFocus) && control->window() == this)
            order << control;
    }
    order << OKButton << CancelButton;
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    // Without a marked input the first control in that order has the focus when the dialog opens.
    if (!focusWidget())
        order.first()->setFocus();
}
