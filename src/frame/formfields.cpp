#include "frame/formfields.h"

#include "frame/tformsrgbase.h"

#include "kit/button.h"
#include "kit/dbedit.h"
#include "kit/dbgrid.h"
#include "kit/edit.h"
#include "kit/label.h"
#include "kit/pagecontrol.h"
#include "kit/panel.h"
#include "kit/splitter.h"
#include "data/datasource.h"
#include "data/query.h"

#include <QFormLayout>
#include <QGridLayout>
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

void placeDetailBoxes(kit::Panel* panel, const QList<DetailBox>& boxes, int firstLabel)
{
    auto* fields = new QGridLayout(panel);
    fields->setContentsMargins(12, 10, 12, 10);
    fields->setHorizontalSpacing(10);
    fields->setVerticalSpacing(6);
    int row = 0;
    for (const DetailBox& b : boxes) {
        auto* edit = detailField(panel, QStringLiteral("DBEdit%1").arg(row + 1), b.source, b.field);
        edit->setFixedWidth(b.width);
        auto* label = new kit::Label(b.caption, panel);
        label->setObjectName(QStringLiteral("Label%1").arg(row + firstLabel));
        label->setBuddy(edit);
        fields->addWidget(label, row, 0, Qt::AlignRight | Qt::AlignVCenter);
        fields->addWidget(edit, row, 1, Qt::AlignLeft | Qt::AlignVCenter);
        *b.label = label;
        *b.edit = edit;
        ++row;
    }
    fields->setColumnStretch(2, 1);
}

kit::Splitter* listBesideDetails(QWidget* window, QLayout* body, QWidget* list, QWidget* panel, QWidget* details,
                                 const QList<int>& sizes)
{
    auto* right = new QWidget(window);
    right->setObjectName(QStringLiteral("Panel2"));
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->setSpacing(4);
    rightLayout->addWidget(panel);
    rightLayout->addWidget(details, 1);

    auto* split = new kit::Splitter(Qt::Horizontal, window);
    split->setObjectName(QStringLiteral("Splitter1"));
    split->addWidget(list);
    split->addWidget(right);
    split->setStretchFactor(0, 0);
    split->setStretchFactor(1, 1);
    split->setSizes(sizes);
    if (auto* box = qobject_cast<QBoxLayout*>(body))
        box->addWidget(split, 1);
    else
        body->addWidget(split);
    return split;
}

kit::Splitter* gridBesidePanel(QWidget* window, QVBoxLayout* body, QWidget* grid, QWidget* panel)
{
    auto* split = new kit::Splitter(Qt::Horizontal, window);
    split->setObjectName(QStringLiteral("Splitter1"));
    body->removeWidget(grid);
    split->addWidget(grid);
    split->addWidget(panel);
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 1);
    split->setSizes({340, 560});
    body->insertWidget(0, split, 1);
    return split;
}

kit::Splitter* gridAboveGrid(QWidget* window, QWidget* top, QWidget* bottom)
{
    auto* split = new kit::Splitter(Qt::Vertical, window);
    split->setObjectName(QStringLiteral("Splitter2"));
    split->addWidget(top);
    split->addWidget(bottom);
    return split;
}

data::DataSource* namedSource(data::Query* query, QObject* owner, const char* name)
{
    auto* s = new data::DataSource(query, owner);
    s->setObjectName(QString::fromLatin1(name));
    return s;
}

kit::DBGrid* listGrid(QWidget* owner, const char* name, data::DataSource* source)
{
    auto* g = new kit::DBGrid(owner);
    g->setObjectName(QString::fromLatin1(name));
    g->setBoldFont(true);
    g->setTabStop(false);
    g->setDataSource(source);
    return g;
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
