#include "BulkInsert.h"

#include <QStringList>
#include <utility>

namespace stats {

namespace {
constexpr int kMaxValues = 999; // bound values per statement the engine accepts
}

BulkInsert::BulkInsert(db::Database& d, const QString& table, const QStringList& columns)
    : m_db(d), m_columns(int(columns.size())), m_perStatement(std::max(1, kMaxValues / int(columns.size()))) {
    m_head = QStringLiteral("INSERT INTO %1 (%2) VALUES ").arg(table, columns.join(QStringLiteral(", ")));
    QStringList marks;
    for (int i = 0; i < m_columns; ++i)
        marks << QStringLiteral("?");
    m_group = u'(' + marks.join(QStringLiteral(", ")) + u')';
    m_full = statement(m_perStatement);
    m_values.reserve(m_perStatement * m_columns);
}

QString BulkInsert::statement(int rows) const {
    QStringList groups;
    for (int i = 0; i < rows; ++i)
        groups << m_group;
    return m_head + groups.join(QStringLiteral(", "));
}

void BulkInsert::add(const QVariantList& row) {
    Q_ASSERT(row.size() == m_columns);
    m_values += row;
    if (m_values.size() == qsizetype(m_perStatement) * m_columns) {
        m_db.execute(m_full, m_values);
        m_values.clear();
    }
}

void BulkInsert::flush() {
    if (m_values.isEmpty())
        return;
    const int rows = int(m_values.size() / m_columns);
    const QVariantList values = std::exchange(m_values, {});
    m_db.execute(statement(rows), values);
}

} // namespace stats
