#pragma once

#include "kit/fieldlink.h"

#include <QLineEdit>

namespace kit {

// Read-only field showing one field of the current row of a DataSource.
class DBEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit DBEdit(QWidget* parent = nullptr);

    void setDataSource(data::DataSource* source) { m_link->setDataSource(source); }
    void setDataField(const QString& field) { m_link->setDataField(field); }
    QString Text() const { return text(); }

private:
    FieldLink* m_link;
};

} // namespace kit
