#pragma once

#include <QObject>
#include <QPointer>

namespace data {

class Query;

// Links data-bound controls and detail queries to one query.
// changed(): the query was opened, closed or reran (rows may differ).
// currentChanged(): the current row moved.
class DataSource : public QObject {
    Q_OBJECT
public:
    explicit DataSource(QObject* parent = nullptr);
    explicit DataSource(Query* dataSet, QObject* parent = nullptr);

    void setDataSet(Query* dataSet);
    Query* DataSet() const { return m_dataSet; }

signals:
    void changed();
    void currentChanged();

private:
    QPointer<Query> m_dataSet;
    QMetaObject::Connection m_open, m_close, m_scroll;
};

} // namespace data
