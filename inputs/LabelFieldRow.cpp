#include "inputs/LabelFieldRow.h"

#include <QBoxLayout>
#include <QLabel>

void SetCaption(QLabel* label, const std::string& caption)
{
    label->setTextFormat(Qt::PlainText);
    label->setText(QString::fromLocal8Bit(caption));
}

void SetupLabelAndField(QBoxLayout* row, QLabel* label, QWidget* field, const std::string& caption)
{
    SetCaption(label, caption);
    label->setBuddy(field);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setFixedSize(label->sizeHint().width(), field->sizeHint().height());
    row->addWidget(label, 0, Qt::AlignTop);
    row->addWidget(field, 1, Qt::AlignTop);
    label->show();
    field->show();
}
