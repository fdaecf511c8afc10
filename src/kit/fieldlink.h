#pragma once

#include "data/datasource.h"
#include "data/query.h" // DataSource::DataSet() needs the complete type

#include <QObject>
#include <QPointer>

#include <functional>


namespace kit {

// Follows one field of the current row of a DataSource and reports its text whenever the
// query is opened, closed, rerun or moves (empty when there is no row or no such field).
class FieldLink : public QObject {
    Q_OBJECT
public:
    explicit FieldLink(std::function<void(const QString&)> show, QObject* parent = nullptr);

    void setDataSource(data::DataSource* source);
    data::DataSource* dataSource() const { return m_source; }
    void setDataField(const QString& field);
    QString dataField() const { return m_field; }

    // The field's text in the current row.
    QString text() const;
    void update();

private:
    std::function<void(const QString&)> m_show;
    QPointer<data::DataSource> m_source;
    QString m_field;
    QMetaObject::Connection m_changed, m_current;
};

} // namespace kit
