#pragma once

#include "reports/engine/document.h"
#include "reports/engine/report.h"

#include <QHash>
#include <QList>
#include <QTemporaryFile>
#include <QVector>

#include <memory>

namespace report {

// The pages of a long report, kept in a temporary file as they are laid out: memory holds
// one page at a time however long the report is. The preview reads the page it shows,
// printing and PDF export read page after page. Items whose text waits for the page count
// are kept aside and put in place as a page is read.
class PageSpool : public PageSink, public PageSource {
public:
    explicit PageSpool(QSizeF paperSize);
    ~PageSpool() override;

    // PageSink
    void addPage(Page&& page) override;
    void setItem(int page, int item, const Item& value) override;
    void finish(int pageCount) override;

    // PageSource
    QSizeF paper() const override { return m_paper; }
    int count() const override { return int(m_offsets.size()); }
    Page pageAt(int index) const override;

    // Every page laid out, and every item final.
    bool complete() const { return m_complete; }
    // False when the temporary file could not be written (the disk full, say).
    bool ok() const { return m_ok; }
    QString errorText() const;

private:
    int stringIndex(const QString& s);

    QSizeF m_paper;
    std::unique_ptr<QTemporaryFile> m_file;
    QVector<qint64> m_offsets;
    QStringList m_strings; // names, band names and font families, written by index
    QHash<QString, int> m_stringIndex;
    QHash<int, QList<QPair<int, Item>>> m_patches;
    bool m_complete = false;
    bool m_ok = true;
    mutable int m_cachedIndex = -1;
    mutable Page m_cached;
};

} // namespace report
