#pragma once
// TMessageBoxes: for the dialog tests, records and closes every message box that opens, so that
// no test waits for a user.

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>

struct TBox {
    QString Title;
    QString Text;
    QMessageBox::Icon Icon;
    Qt::TextFormat Format;
    bool Selectable;
    QWidget* Parent;
    QMessageBox::StandardButtons Buttons;
};

class TMessageBoxes {
public:
    TMessageBoxes()
    {
        QObject::connect(&FWatch, &QTimer::timeout, [this] { CloseOpenBox(); });
        FWatch.start(10);
    }

    QList<TBox> Shown;

private:
    void CloseOpenBox()
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        const auto* label = box->findChild<QLabel*>("qt_msgbox_label");
        Shown << TBox{box->windowTitle(), box->text(), box->icon(), box->textFormat(),
                      label && (label->textInteractionFlags() & Qt::TextSelectableByMouse),
                      box->parentWidget(), box->standardButtons()};
        box->done(QMessageBox::Ok);
    }

    QTimer FWatch;
};
