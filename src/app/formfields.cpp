#include "app/formfields.h"

#include "kit/dbedit.h"
#include "kit/edit.h"
#include "kit/label.h"

#include <QFormLayout>

namespace app {

kit::Edit* inputField(QWidget* parent, const QString& name, int maxLength)
{
    auto* edit = new kit::Edit(parent);
    edit->setObjectName(name);
    edit->setUpperCase(true);
    edit->setFont(kit::inputFont());
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    return edit;
}

QFormLayout* fieldForm()
{
    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->setFormAlignment(Qt::AlignLeft | Qt::AlignTop);
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    form->setRowWrapPolicy(QFormLayout::DontWrapRows);
    form->setHorizontalSpacing(10);
    form->setVerticalSpacing(6);
    return form;
}

kit::Label* addFieldRow(QFormLayout* form, QWidget* parent, const QString& labelName, const QString& caption,
                        QWidget* field)
{
    auto* label = new kit::Label(caption, parent);
    label->setObjectName(labelName);
    label->setBuddy(field);
    form->addRow(label, field);
    return label;
}

void moveOnEnterChain(const QList<kit::Edit*>& fields, QWidget* last)
{
    for (qsizetype i = 0; i < fields.size(); ++i) {
        QWidget* next = i + 1 < fields.size() ? static_cast<QWidget*>(fields.at(i + 1)) : last;
        fields.at(i)->OnKeyDown = [next](int& key, Qt::KeyboardModifiers) { kit::moveOnEnter(key, next); };
    }
}

kit::DBEdit* detailField(QWidget* parent, const QString& name, data::DataSource* source, const QString& field)
{
    auto* box = new kit::DBEdit(parent);
    box->setObjectName(name);
    box->setFocusPolicy(Qt::ClickFocus);
    box->setDataSource(source);
    box->setDataField(field);
    return box;
}

QColor nameHighlight()
{
    return QColor(0x9c, 0xe6, 0x9c);
}

void setBackground(QWidget* widget, const QColor& color)
{
    QPalette pal = widget->palette();
    pal.setColor(QPalette::Base, color);
    widget->setPalette(pal);
}

} // namespace app
