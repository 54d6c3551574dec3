// The three-way merge of a writer that finds the stored data changed since it read it: the base
// (read when the window opened), mine (the window) and theirs (stored now).
#include "db/FieldMerge.h"

#include <QtTest>

class TestFieldMerge : public QObject {
    Q_OBJECT
private slots:
};

QTEST_APPLESS_MAIN(TestFieldMerge)
#include "tst_fieldmerge.moc"
