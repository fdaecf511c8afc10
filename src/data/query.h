#pragma once

#include "data/rowstore.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QObject>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <map>
#include <memory>

namespace data {

class Database;
class DataSource;

// The parameter names (":name") of a statement outside quoted text, in order, as written (a
// name may repeat). With `positional`, also the statement with a '?' in place of each.
QStringList parameterNames(const QString& text, QString* positional = nullptr);

// The statement text of a query, built line by line.
class SqlText {
public:
    void Clear() { m_lines.clear(); }
    void Add(const QString& line) { m_lines.append(line); }
    QString Text() const { return m_lines.join(QLatin1Char('\n')); }
    void setText(const QString& text) { m_lines = text.split(QLatin1Char('\n')); }
    int Count() const { return int(m_lines.size()); }

private:
    QStringList m_lines;
};

// One named parameter: set as integer, text or floating value.
class Param {
public:
    void AsInteger(int v) { m_value = v; }
    void AsString(const QString& v) { m_value = v; }
    void AsFloat(double v) { m_value = v; }
    void Clear() { m_value = QVariant(); }
    // A value as read from a row (its type kept): the paging keys of a query.
    void AsValue(const QVariant& v) { m_value = v; }
    const QVariant& Value() const { return m_value; }

private:
    QVariant m_value;
};

// One column of the current row. A field of an empty result reads as "", 0, 0.0.
class Field {
public:
    Field(QString name, QVariant value) : m_name(std::move(name)), m_value(std::move(value)) {}
    QString AsString() const;
    int AsInteger() const;        // ConvertError when the text is not a whole number
    double AsFloat() const;       // ConvertError when the text is not a number
    QDateTime AsDateTime() const; // invalid QDateTime for empty/NULL
    bool IsNull() const { return m_value.isNull(); }
    const QVariant& Value() const { return m_value; }
    const QString& Name() const { return m_name; }

private:
    QString m_name;
    QVariant m_value;
};

// A query on the connection handed to it. Open() runs the statement and keeps its rows;
// the cursor moves over them. Detail queries follow a master DataSource: their parameters
// take the master's current-row columns of the same name, and they rerun when it moves.
class Query : public QObject {
    Q_OBJECT
public:
    // A query without a connection yet: a window hands it its own when it gets one (see
    // TFormSrgBase::setDatabase). Run without one, it fails with a DatabaseError.
    explicit Query(QObject* parent = nullptr);
    // A query on `db` (none when null).
    explicit Query(Database* db, QObject* parent = nullptr);
    ~Query() override;

    // The connection the statement runs on from now on (none when null).
    void setDatabase(Database* db);

    SqlText SQL;

    Param& ParamByName(const QString& name);
    bool hasParam(const QString& name) const;
    // Names of the parameters that appear in the statement text, in order of appearance.
    QStringList paramNamesInText() const;

    void Open();
    void ExecSQL();
    void Close();
    bool Active() const { return m_active; }
    void setActive(bool active);

    // Paging: the statement reads one page of rows at a time, in the order of an integer
    // key column. It has the parameters :page_after (only rows whose key is greater) and
    // :page_rows (at most that many rows), and orders by the key. Open() reads the first
    // page; the rows of the next page are read when asked for (FetchMore, Next past the
    // last row read, Last, FetchAll). Rows once read stay; RecordCount counts them.
    // A page is its own statement, so no cursor is held open between pages.
    void setPaging(const QString& keyField, int pageRows);
    // The same, newest first: the statement orders by the key descending and has
    // :page_before (only rows whose key is smaller; the first page passes a value above
    // every 32-bit key) instead of :page_after.
    void setPagingDescending(const QString& keyField, int pageRows);
    // Paging on a key of several columns (a name and a unique key after it), ascending. The
    // statement has :page_first (1 for the first page, 0 after), :page_after_<field> for each
    // key field (the last row read's values, as read; NULL on the first page) and
    // :page_rows. It may return more rows than :page_rows (a page of articles and their firm
    // numbers, say), as long as it returns at least one row per unit :page_rows counts and
    // the key values of its last row start the next page; a page with fewer rows than
    // :page_rows is the last.
    void setPaging(const QStringList& keyFields, int pageRows);
    bool paged() const { return m_pageRows > 0; }
    bool CanFetchMore() const { return m_active && m_more; }
    void FetchMore();
    void FetchAll();

    bool IsEmpty() const { return m_rows.isEmpty(); }
    int RecordCount() const { return int(m_rows.size()); }
    void First();
    void Next();
    void Prior();
    void Last();
    bool Eof() const { return m_eof; }
    bool Bof() const { return m_bof; }
    // Current row, 0-based; -1 when empty.
    int RecNo() const { return m_rows.isEmpty() ? -1 : m_cursor; }
    void setRecNo(int row);

    Field FieldByName(const QString& name) const;
    bool hasField(const QString& name) const;
    int fieldIndex(const QString& name) const; // first column of the name, case-insensitive; -1
    QStringList fieldNames() const { return m_fieldNames; }
    int fieldCount() const { return int(m_fieldNames.size()); }
    QVariant value(int row, int column) const;

    // Rows changed by the last ExecSQL.
    int RowsAffected() const { return m_rowsAffected; }
    // Key the database assigned to the row inserted by the last ExecSQL of this query;
    // throws DatabaseError when that statement inserted no row with a key (a key left over
    // from an earlier insert would file ledger rows under the wrong header).
    int LastInsertId() const;

    void setMasterSource(DataSource* master);
    DataSource* masterSource() const { return m_master; }

    // The name of the connection handed, empty when none was.
    QString connectionName() const { return m_connectionName; }
    // The connection handed, while it lives; nullptr when none was handed or it was closed
    // for good (destroyed).
    Database* database() const;

signals:
    void afterOpen();
    void afterClose();
    void afterScroll();
    // Around the rows of a page read after the first.
    void rowsAboutToBeAppended(int first, int last);
    void rowsAppended();

private:
    // Emits one of the signals above; a detail query that fails to follow does not stop
    // the other listeners, and its failure is thrown after the outermost emission.
    template <class Emit>
    void notifyListeners(Emit emitSignal);
    void run(bool wantRows);
    void clearRows(bool notify);
    // Reads up to `rows` rows after the last one read, and appends them.
    void fetchPage(int rows);
    // The paging parameters of the first page, and of the page after the row `last`.
    void bindFirstPage();
    void bindPageAfter(const QVector<QVariant>& last);
    // Runs the statement; reads its rows (and field names when `names`) when `rows`, else
    // notes the rows affected and the key inserted.
    void execute(RowStore* rows, QStringList* names);
    // Runs a statement without rows straight through MariaDB's client library (see
    // MariaDbWrite); false when it is to run through Qt.
    bool runWrite(Database* db, const QString& text, const QElapsedTimer& clock);
    void bindFromMaster();
    void setCursor(int row);

    Database* m_database = nullptr;
    QString m_connectionName;          // of m_database, for the errors
    std::map<QString, Param> m_params; // keys in lower case
    QStringList m_fieldNames;
    RowStore m_rows;
    int m_cursor = 0;
    bool m_eof = true;
    bool m_bof = true;
    bool m_active = false;
    bool m_following = false; // opened, and not closed since
    int m_rowsAffected = 0;
    int m_lastInsertId = 0;
    DataSource* m_master = nullptr;
    QStringList m_pageKeys; // one key: :page_after or :page_before; several: :page_after_<key>
    bool m_pageDescending = false;
    int m_pageRows = 0; // 0: not paged
    bool m_more = false;
};

// The next document number or code from a "max(...)+1" column: `first` over an empty table
// (documents start at 1, article and product codes at 0), the largest stored one plus one
// otherwise, whatever whole number it is (0 and negative ones included). A number past the
// largest the column holds is refused with a RangeError that names `what` ("goods receipt
// number"), never wrapped to a negative number.
int nextNumber(const Field& next, const QString& what, int first = 1);

} // namespace data
