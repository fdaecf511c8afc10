#pragma once

#include "kit/fieldlink.h"

#include <QLabel>

namespace kit {

// Caption showing one field of the current row of a DataSource.
class DBText : public QLabel {
    Q_OBJECT
public:
    explicit DBText(QWidget* parent = nullptr);

    void setDataSource(data::DataSource* source) { m_link->setDataSource(source); }
    void setDataField(const QString& field) { m_link->setDataField(field); }
    QString Caption() const { return text(); }

private:
    FieldLink* m_link;
};

} // namespace kit
