#pragma once
// A fresh main database with the demo catalogue for each test.
#include "MainDbFixture.h"
#include "mdM.h"

#include <QStringList>

struct CatalogDb : MainDbFixture {
    QStringList texts(const QString& sql, const QVariantList& params = {}) const {
        db::Recordset rs = db->query(sql, params);
        QStringList out;
        for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
            QStringList fields;
            for (int i = 0; i < rs.fieldCount(); ++i)
                fields << rs.text(i);
            out << fields.join(QLatin1Char('|'));
        }
        return out;
    }
    int count(const QString& sql, const QVariantList& params = {}) const {
        return db->scalar(sql, params).toInt();
    }
    // Makes every insert into `table` whose column `col` holds `value` fail.
    void failInsert(const QString& table, const QString& col, const QString& value) const {
        db->executeScript(QStringLiteral("CREATE TRIGGER fail_%1 BEFORE INSERT ON \"%1\" WHEN NEW.\"%2\" = '%3' "
                                         "BEGIN SELECT RAISE(ABORT, 'refused'); END;")
                              .arg(table, col, value));
    }
};
