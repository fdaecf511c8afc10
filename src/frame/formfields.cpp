#include "frame/formfields.h"

#include "frame/tformsrgbase.h"

#include "kit/button.h"
#include "kit/dbedit.h"
#include "kit/edit.h"
#include "kit/label.h"
#include "kit/pagecontrol.h"
#include "kit/panel.h"
#include "data/query.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include <functional>

namespace frame {

kit::Edit* inputField(QWidget* parent, const QString& name, int maxLength)
{
    auto* edit = new kit::Edit(parent);
    edit->setObjectName(name);
    edit->setUpperCase(true);
    edit->setFont(kit::inputFont());
    if (maxLength > 0)
        edit->setTypingLimit(maxLength);
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

kit::Label* addFieldRow(QFormLayout* form, QWidget* parent, const QString& labelName, const QString& caption, QWidget* field)
{
    auto* label = new kit::Label(caption, parent);
    label->setObjectName(labelName);
    label->setBuddy(field);
    form->addRow(label, field);
    return label;
}

namespace {

void placeWithSaveButton(QWidget* window, const std::function<void(QVBoxLayout*)>& addFields, QWidget* button)
{
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(button);
    auto* column = new QVBoxLayout;
    addFields(column);
    column->addLayout(buttons);
    column->addStretch(1);
    auto* outer = new QHBoxLayout(window);
    outer->setContentsMargins(12, 12, 12, 12);
    outer->addLayout(column);
    outer->addStretch(1);
}

} // namespace

void placeWithSaveButton(QWidget* window, QWidget* fields, QWidget* button)
{
    placeWithSaveButton(
        window, [fields](QVBoxLayout* column) { column->addWidget(fields); }, button);
}

void placeWithSaveButton(QWidget* window, QLayout* form, QWidget* button)
{
    placeWithSaveButton(
        window,
        [form](QVBoxLayout* column) {
            column->addLayout(form);
            column->addSpacing(6);
        },
        button);
}

kit::Button* saveButton(QWidget* window, const QString& caption)
{
    auto* button = new kit::Button(caption, window);
    button->setObjectName(QStringLiteral("Button1"));
    button->setMinimumWidth(90);
    return button;
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

data::Query* statementQuery(TFormSrgBase* window, const QString& name, const QStringList& lines)
{
    auto* q = new data::Query(window->database(), window);
    q->setObjectName(name);
    for (const QString& line : lines)
        q->SQL.Add(line);
    return q;
}

kit::PageControl* fillingPageControl(QWidget* window, const QString& name)
{
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(2, 2, 2, 2);
    auto* pages = new kit::PageControl(window);
    pages->setObjectName(name);
    pages->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(pages);
    return pages;
}

SearchStrip searchStrip(QWidget* parent, const QString& caption, const QColor& color)
{
    SearchStrip s{new kit::Panel(parent), nullptr, nullptr};
    s.panel->setObjectName(QStringLiteral("Panel1"));
    s.panel->setColor(color);
    auto* row = new QHBoxLayout(s.panel);
    row->setContentsMargins(8, 6, 8, 6);
    s.label = new kit::Label(caption, s.panel);
    s.label->setObjectName(QStringLiteral("Label1"));
    s.edit = inputField(s.panel, QStringLiteral("Edit1"));
    s.edit->setMinimumWidth(280);
    s.label->setBuddy(s.edit);
    row->addWidget(s.label);
    row->addWidget(s.edit);
    row->addStretch(1);
    return s;
}

} // namespace frame
