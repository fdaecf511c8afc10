#include "kit/fieldlink.h"

#include "data/datasource.h"
#include "data/query.h"
#include "kit/format.h"

namespace kit {

FieldLink::FieldLink(std::function<void(const QString&)> show, QObject* parent)
    : QObject(parent), m_show(std::move(show))
{
}

void FieldLink::setDataSource(data::DataSource* source)
{
    disconnect(m_changed);
    disconnect(m_current);
    m_source = source;
    if (source) {
        m_changed = connect(source, &data::DataSource::changed, this, &FieldLink::update);
        m_current = connect(source, &data::DataSource::currentChanged, this, &FieldLink::update);
    }
    update();
}

void FieldLink::setDataField(const QString& field)
{
    m_field = field;
    update();
}

QString FieldLink::text() const
{
    data::Query* query = m_source ? m_source->DataSet() : nullptr;
    if (!query || !query->Active() || query->IsEmpty() || m_field.isEmpty())
        return {};
    const int column = query->fieldIndex(m_field);
    return column < 0 ? QString() : formatValue(query->value(query->RecNo(), column));
}

void FieldLink::update()
{
    if (m_show)
        m_show(text());
}

} // namespace kit
