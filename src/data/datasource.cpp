#include "data/datasource.h"

#include "data/query.h"

namespace data {

DataSource::DataSource(QObject* parent) : QObject(parent) {}

DataSource::DataSource(Query* dataSet, QObject* parent) : QObject(parent)
{
    setDataSet(dataSet);
}

void DataSource::setDataSet(Query* dataSet)
{
    disconnect(m_open);
    disconnect(m_close);
    disconnect(m_scroll);
    m_dataSet = dataSet;
    if (dataSet) {
        m_open = connect(dataSet, &Query::afterOpen, this, &DataSource::changed);
        m_close = connect(dataSet, &Query::afterClose, this, &DataSource::changed);
        m_scroll = connect(dataSet, &Query::afterScroll, this, &DataSource::currentChanged);
    }
    emit changed();
}

} // namespace data
