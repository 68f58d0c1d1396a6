// qtfloor: the floor of the toolkit: the stock Qt dialog with three rows of a label and a line
// edit above a QDialogButtonBox with OK and Cancel. With CMDFORM_TRACE=1 it prints the same
// timeline as cmdform, with "font" once the application's first font has been loaded.

#include "app/StartupTrace.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

int main(int argc, char* argv[])
{
    TraceMark("main");
    QApplication app(argc, argv);
    TraceMark("QApplication");
    TraceFirstWindow();
    // Any dialog loads its first font while it is laid out; doing it here only makes it visible.
    QFontMetrics(QApplication::font()).height();
    TraceMark("font");

    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("qtfloor"));
    auto* rows = new QFormLayout;
    rows->addRow(QStringLiteral("&Name:"), new QLineEdit(QStringLiteral("value")));
    rows->addRow(QStringLiteral("&Folder:"), new QLineEdit(QStringLiteral("/usr/share")));
    rows->addRow(QStringLiteral("&Pattern:"), new QLineEdit);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* form = new QVBoxLayout(&dialog);
    form->addLayout(rows);
    form->addWidget(buttons);
    dialog.show();
    return dialog.exec() == QDialog::Accepted ? 0 : 1;
}
