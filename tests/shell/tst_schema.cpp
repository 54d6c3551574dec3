// The main database built from resources/kavo3/schema.sql and seed.sql: the tables, column
// positions, keys and saved queries the windows rely on, and the consistency of the demo data.
#include "TempProgramFolder.h"
#include "db/Database.h"
#include "mdM.h"
#include "text/RocDate.h"

#include <QtTest/QtTest>

namespace {

const QString kPassword = QString::fromUtf8(mdM::kMainDbPassword);

// Every row of a snapshot, each as a list of texts.
QVector<QStringList> texts(db::Recordset rs) {
    QVector<QStringList> result;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
        QStringList row;
        for (int i = 0; i < rs.fieldCount(); ++i)
            row << rs.text(i);
        result << row;
    }
    return result;
}

// Every row of a query.
QVector<QStringList> rows(db::Database& d, const QString& sql, const QVariantList& params = {}) {
    return texts(d.query(sql, params));
}

QStringList column(db::Database& d, const QString& sql, const QVariantList& params = {}) {
    QStringList result;
    for (const QStringList& r : rows(d, sql, params))
        result << r.value(0);
    return result;
}

// The rows of a view as it is opened by name.
QVector<QStringList> viewRows(db::Database& d, const QString& name) {
    return texts(d.openRecordset(name));
}

} // namespace

class TestSchema : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void schemaAloneCreatesEmptyTables();
    void columns_data();
    void columns();
    void lookupsIgnoreCase_data();
    void lookupsIgnoreCase();
    void duplicateName_data();
    void duplicateName();
    void sameNameInOtherTable();
    void catalogueNamesMayRepeat();
    void newStaffHasNoRights();
    void plainSelectKeepsTableOrder_data();
    void plainSelectKeepsTableOrder();
    void views_data();
    void views();
    void catalogueViewsMatchTables();
    void categoryFilterOffersNewCategory();
    void superUserAndCompany();
    void demoLogins_data();
    void demoLogins();
    void vocabularies_data();
    void vocabularies();
    void catalogueLinksByName();
    void recordNumbers_data();
    void recordNumbers();
    void recordFieldForms();

private:
    // A writable copy of the demo database, thrown away with the test's temporary folder.
    db::DatabasePtr scratchCopy();

    QTemporaryDir m_dir;
    QString m_path;
    db::DatabasePtr m_db;
    int m_copies = 0;
};

void TestSchema::initTestCase() {
    QVERIFY(m_dir.isValid());
    const QString schema = TempProgramFolder::readResource(QStringLiteral("schema.sql"));
    const QString seed = TempProgramFolder::readResource(QStringLiteral("seed.sql"));
    QVERIFY2(!schema.isEmpty() && !seed.isEmpty(), "schema.sql or seed.sql missing");
    m_path = m_dir.filePath(QStringLiteral("Kavo3.mdb"));
    try {
        // Concatenated as the set-up program does: schema first, then the data.
        m_db = db::Database::create(m_path, kPassword, schema + QStringLiteral("\n") + seed);
    } catch (const db::DbError& e) {
        QFAIL(qPrintable(QStringLiteral("%1 %2").arg(e.number()).arg(e.description())));
    }
    QVERIFY(m_db);
}

db::DatabasePtr TestSchema::scratchCopy() {
    const QString copy = m_dir.filePath(QStringLiteral("copy%1.mdb").arg(++m_copies));
    if (!QFile::copy(m_path, copy))
        return {};
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
    return db::Database::open(copy, kPassword);
}

void TestSchema::schemaAloneCreatesEmptyTables() {
    const QString path = m_dir.filePath(QStringLiteral("empty.mdb"));
    db::DatabasePtr d =
        db::Database::create(path, kPassword, TempProgramFolder::readResource(QStringLiteral("schema.sql")));
    const QStringList tables = {"super", "company", "別",   "種",   "k2a",  "t2w",    "w2d",    "u",   "行業",
                                "地區",  "收款",    "付款", "ps",   "工班", "材料",   "案",     "Ctp", "Ptp",
                                "Qps",   "sc",      "客戶", "廠商", "員工", "商vs工", "商vs料", "縣市"};
    for (const QString& t : tables) {
        QVERIFY2(d->tableExists(t), qPrintable(t));
        QCOMPARE(d->openRecordset(t).recordCount(), 0);
    }
    for (const QString& v : QStringList{"Tp4C", "Tp4P", "Pk2a", "Pt2w", "Pt2w2d"})
        QCOMPARE(d->openRecordset(v).recordCount(), 0);
}

// clang-format off
void TestSchema::columns_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("names");
    const auto names = [](const char* list) { return QString::fromUtf8(list).split(QLatin1Char(' ')); };
    QTest::newRow("客戶 (35)") << "客戶" << names(
        "客戶編號 客戶名稱 客戶代號 統一編號 公司地址 郵遞區號 發票地址 施工地址 電子郵件 電話1 "
        "電話2 公司傳真 負責人 負責人身分證號 負責人公司電話 負責人大哥大 負責人住家電話 負責人職稱 "
        "連絡人 連絡人公司電話 連絡人大哥大 連絡人職稱 介紹人 負責業務 會計人員 會計職稱 會計電話 "
        "地區性 行業別 登錄日期 結帳日 請款日 收款方式 備註 type");
    QTest::newRow("廠商 (38)") << "廠商" << names(
        "廠商編號 廠商名稱 廠商代號 統一編號 公司地址 郵遞區號 發票地址 電子郵件 電話1 電話2 傳真 "
        "負責人 負責人身分證號 負責人公司電話 負責人大哥大 負責人住家電話 負責人職稱 連絡人 "
        "連絡人公司電話 連絡人大哥大 連絡人職稱 介紹人 負責業務 會計人員 會計職稱 會計電話 地區性 "
        "行業別 登錄日期 結帳日 請款日 付款方式 備註 支票抬頭 發票抬頭 供應類別 敘述 type");
    QTest::newRow("員工 (19)") << "員工" << names(
        "員工編號 中文姓名 英文姓名 部門 身分字號 地址 郵遞區號 電子郵件 住家電話 行動電話 生日 "
        "僱用日期 薪水 緊急連絡人姓名 緊急連絡人電話 備註 權限 pass 職稱");
    QTest::newRow("商vs工") << "商vs工" << names("廠商名稱 工");
    QTest::newRow("商vs料") << "商vs料" << names("廠商名稱 料");
    QTest::newRow("縣市") << "縣市" << names("id 縣市 電話區碼");
    QTest::newRow("super") << "super" << names("super_id super_pass");
    QTest::newRow("company") << "company" << names("名稱 地址 電話 傳真 統編 E-MAIL");
    QTest::newRow("別") << "別" << names("k_id k");
    QTest::newRow("種") << "種" << names("t_id t");
    QTest::newRow("k2a") << "k2a" << names("k a sort");
    QTest::newRow("t2w") << "t2w" << names("t w sort u c s");
    QTest::newRow("w2d") << "w2d" << names("w d c sort");
    QTest::newRow("u") << "u" << names("sort u");
    QTest::newRow("行業") << "行業" << names("sort 行");
    QTest::newRow("地區") << "地區" << names("sort 地");
    QTest::newRow("收款") << "收款" << names("sort 收");
    QTest::newRow("付款") << "付款" << names("sort 付");
    QTest::newRow("ps") << "ps" << names("sort ps");
    QTest::newRow("工班") << "工班" << names("w_id 工班");
    QTest::newRow("材料") << "材料" << names("p_id 材料");
    QTest::newRow("案") << "案" << names("sort 案");
    QTest::newRow("Ctp") << "Ctp" << names("tp_id tp");
    QTest::newRow("Ptp") << "Ptp" << names("tp_id tp");
    QTest::newRow("Qps") << "Qps" << names("sort ps");
    QTest::newRow("sc") << "sc" << names("sort sc");
}
// clang-format on

void TestSchema::columns() {
    QFETCH(QString, table);
    QFETCH(QStringList, names);
    const QStringList actual = m_db->columns(table);
    QCOMPARE(actual.size(), names.size());
    QCOMPARE(actual, names);
    // A snapshot of the table reads the fields at the same positions.
    QCOMPARE(m_db->openRecordset(table).fieldCount(), names.size());
}

// clang-format off
void TestSchema::lookupsIgnoreCase_data() {
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("login name") << "select 中文姓名 from 員工 where 英文姓名 = ?" << "MING" << "王小明";
    QTest::newRow("customer name") << "select 客戶編號 from 客戶 where 客戶名稱 = ?" << "sunrise COFFEE" << "S001";
    QTest::newRow("vendor name") << "select 廠商編號 from 廠商 where 廠商名稱 = ?" << "greenfloor 地板工坊" << "G001";
    QTest::newRow("SuperUser id") << "select super_pass from super where super_id = ?" << "WEXA" << "1234";
    QTest::newRow("number group") << "select 客戶名稱 from 客戶 where 客戶編號 like ?" << "s%" << "Sunrise Coffee";
    QTest::newRow("detail of item") << "select c from w2d where w = ? and d = ?" << "強化清玻璃|8MM" << "40";
}
// clang-format on

void TestSchema::lookupsIgnoreCase() {
    QFETCH(QString, sql);
    QFETCH(QString, value);
    QFETCH(QString, expected);
    QVariantList params;
    for (const QString& p : value.split(QLatin1Char('|')))
        params << p;
    QCOMPARE(column(*m_db, sql, params), QStringList{expected});
}

// clang-format off
void TestSchema::duplicateName_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("name");
    QTest::newRow("customer, same name") << "客戶" << "林志明";
    QTest::newRow("customer, other case") << "客戶" << "SUNRISE coffee";
    QTest::newRow("vendor, other case") << "廠商" << "Greenfloor 地板工坊";
    QTest::newRow("staff") << "員工" << "李美華";
}
// clang-format on

void TestSchema::duplicateName() {
    QFETCH(QString, table);
    QFETCH(QString, name);
    db::DatabasePtr d = scratchCopy();
    QVERIFY(d);
    const int before = d->openRecordset(table).recordCount();
    db::Recordset rs = d->openRecordset(table);
    rs.addNew();
    rs.setField(0, QStringLiteral("A999"));
    rs.setField(1, name);
    rs.setField(2, QStringLiteral("dup"));
    try {
        rs.update();
        QFAIL("a second row with the same name was stored");
    } catch (const db::DbError& e) {
        QCOMPARE(e.number(), int(db::ErrDuplicateKey));
    }
    rs.cancelUpdate();
    QCOMPARE(d->openRecordset(table).recordCount(), before);
}

void TestSchema::sameNameInOtherTable() {
    // A customer and a vendor may share a name.
    db::DatabasePtr d = scratchCopy();
    QVERIFY(d);
    db::Recordset rs = d->openRecordset(QStringLiteral("廠商"));
    rs.addNew();
    rs.setField(0, QStringLiteral("08003"));
    rs.setField(1, QStringLiteral("林志明"));
    rs.update();
    QCOMPARE(d->scalar(QStringLiteral("select count(*) from 廠商 where 廠商名稱 = ?"), {"林志明"}).toInt(),
             1);
}

void TestSchema::catalogueNamesMayRepeat() {
    // The list editor may add a name that exists already; renaming onto it merges the links.
    db::DatabasePtr d = scratchCopy();
    QVERIFY(d);
    const int n = d->openRecordset(QStringLiteral("別")).recordCount();
    d->execute(QStringLiteral("insert into 別 values (?, ?)"), {n + 1, QStringLiteral("住宅")});
    QCOMPARE(column(*d, QStringLiteral("select k from 別 where k = ?"), {"住宅"}).size(), 2);
    // ... and the catalogue printout still lists that category's areas once.
    QCOMPARE(d->scalar(QStringLiteral("select count(*) from Pk2a where k = ?"), {"住宅"}),
             d->scalar(QStringLiteral("select count(*) from k2a where k = ?"), {"住宅"}));
}

void TestSchema::newStaffHasNoRights() {
    // The staff window writes every column but 權限 and pass.
    db::DatabasePtr d = scratchCopy();
    QVERIFY(d);
    db::Recordset rs = d->openRecordset(QStringLiteral("員工"));
    rs.addNew();
    for (int i = 0; i <= 15; ++i)
        rs.setField(i, i == 1 ? QStringLiteral("林小芳") : QString());
    rs.setField(18, QStringLiteral("助理"));
    rs.update();
    const QVector<QStringList> r =
        rows(*d, QStringLiteral("select 權限, pass from 員工 where 中文姓名 = ?"), {"林小芳"});
    QCOMPARE(r.size(), 1);
    QCOMPARE(r[0][0], QStringLiteral("0"));
    QVERIFY(d->scalar(QStringLiteral("select pass from 員工 where 中文姓名 = ?"), {"林小芳"}).isNull());
}

// clang-format off
void TestSchema::plainSelectKeepsTableOrder_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("name");
    // Names that sort before every stored one: an index on the name must not reorder the rows.
    QTest::newRow("salesperson list") << "員工" << "丁一";
    QTest::newRow("customers") << "客戶" << "Aaron";
    QTest::newRow("vendors") << "廠商" << "一心水電行";
}
// clang-format on

void TestSchema::plainSelectKeepsTableOrder() {
    QFETCH(QString, table);
    QFETCH(QString, name);
    db::DatabasePtr d = scratchCopy();
    QVERIFY(d);
    const QString nameColumn = d->columns(table).at(1);
    const QStringList before = column(*d, QStringLiteral("select %1 from %2").arg(nameColumn, table));
    db::Recordset rs = d->openRecordset(table);
    rs.addNew();
    rs.setField(1, name);
    rs.update();
    QCOMPARE(column(*d, QStringLiteral("select %1 from %2").arg(nameColumn, table)),
             before + QStringList{name});
}

void TestSchema::views_data() {
    QTest::addColumn<QString>("view");
    QTest::addColumn<int>("fields");
    QTest::addColumn<QString>("first");
    QTest::newRow("Tp4C: customer categories") << "Tp4C" << 1 << "個人住宅";
    QTest::newRow("Tp4P: vendor categories") << "Tp4P" << 1 << "施工廠商";
    QTest::newRow("Pk2a: category, area") << "Pk2a" << 2 << "住宅";
    QTest::newRow("Pt2w: kind, item, unit, cost, ratio") << "Pt2w" << 5 << "拆除工程";
    QTest::newRow("Pt2w2d: kind, item, detail, markup") << "Pt2w2d" << 4 << "泥作工程";
}

void TestSchema::views() {
    QFETCH(QString, view);
    QFETCH(int, fields);
    QFETCH(QString, first);
    QCOMPARE(m_db->columns(view).size(), fields);
    db::Recordset rs = m_db->openRecordset(view);
    QCOMPARE(rs.fieldCount(), fields);
    QVERIFY(rs.recordCount() > 0);
    rs.moveFirst();
    QCOMPARE(rs.text(0), first);
}

void TestSchema::catalogueViewsMatchTables() {
    // Every area, item and markup of the catalogue appears in its printout, in its order.
    QVector<QStringList> expected;
    for (const QString& k : column(*m_db, QStringLiteral("select k from 別 order by k_id")))
        for (const QString& a :
             column(*m_db, QStringLiteral("select a from k2a where k = ? order by sort"), {k}))
            expected << QStringList{k, a};
    QCOMPARE(viewRows(*m_db, QStringLiteral("Pk2a")), expected);

    expected.clear();
    for (const QString& t : column(*m_db, QStringLiteral("select t from 種 order by t_id")))
        for (QStringList r :
             rows(*m_db, QStringLiteral("select w, u, c, s from t2w where t = ? order by sort"), {t}))
            expected << (QStringList{t} + r);
    QCOMPARE(viewRows(*m_db, QStringLiteral("Pt2w")), expected);

    expected.clear();
    for (const QString& t : column(*m_db, QStringLiteral("select t from 種 order by t_id")))
        for (const QString& w :
             column(*m_db, QStringLiteral("select w from t2w where t = ? order by sort"), {t}))
            for (QStringList r :
                 rows(*m_db, QStringLiteral("select d, c from w2d where w = ? order by sort"), {w}))
                expected << (QStringList{t, w} + r);
    QCOMPARE(viewRows(*m_db, QStringLiteral("Pt2w2d")), expected);
}

void TestSchema::categoryFilterOffersNewCategory() {
    // The filter lists the categories in use; one typed into a record appears after its save.
    db::DatabasePtr d = scratchCopy();
    QVERIFY(d);
    QStringList used = column(*d, QStringLiteral("select distinct type from 客戶 where type <> ''"));
    QStringList offered = column(*d, QStringLiteral("select * from Tp4C"));
    QCOMPARE(QSet<QString>(offered.begin(), offered.end()), QSet<QString>(used.begin(), used.end()));

    db::Recordset rs = d->openRecordset(QStringLiteral("客戶"));
    rs.addNew();
    rs.setField(0, QStringLiteral("A001"));
    rs.setField(1, QStringLiteral("Aaron"));
    rs.setField(34, QStringLiteral("網路客戶"));
    rs.update();
    offered = column(*d, QStringLiteral("select * from Tp4C"));
    QCOMPARE(offered.count(QStringLiteral("網路客戶")), 1);
    QCOMPARE(offered.last(), QStringLiteral("網路客戶"));  // not in the category list: last
    QCOMPARE(offered.first(), QStringLiteral("個人住宅")); // the others in the list's order

    used = column(*d, QStringLiteral("select distinct type from 廠商 where type <> ''"));
    offered = column(*d, QStringLiteral("select * from Tp4P"));
    QCOMPARE(QSet<QString>(offered.begin(), offered.end()), QSet<QString>(used.begin(), used.end()));
}

void TestSchema::superUserAndCompany() {
    QCOMPARE(
        m_db->scalar(QStringLiteral("Select super_pass From super Where super_id = ?"), {"wexa"}).toString(),
        QStringLiteral("1234"));
    QCOMPARE(m_db->openRecordset(QStringLiteral("super")).recordCount(), 1);
    // The printouts read the one company row, all six fields.
    db::Recordset company = m_db->openRecordset(QStringLiteral("company"));
    QCOMPARE(company.recordCount(), 1);
    company.moveFirst();
    for (int i = 0; i < 6; ++i)
        QVERIFY2(!company.text(i).isEmpty(), qPrintable(company.fieldName(i)));
    // No staff member may log in under the SuperUser's name.
    QCOMPARE(m_db->scalar(QStringLiteral("select count(*) from 員工 where 英文姓名 = ?"), {"wexa"}).toInt(),
             0);
}

// clang-format off
void TestSchema::demoLogins_data() {
    QTest::addColumn<QString>("login");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("rights");
    QTest::newRow("everything") << "ming" << "ming123" << "王小明" << 4095;
    QTest::newRow("quotations, look-up only") << "mei" << "Mei456" << "李美華" << 1 + 2 + 4 + 16 + 64 + 256 + 1024;
    QTest::newRow("nothing") << "chen" << "chen789" << "陳志強" << 0;
}
// clang-format on

void TestSchema::demoLogins() {
    QFETCH(QString, login);
    QFETCH(QString, password);
    QFETCH(QString, name);
    QFETCH(int, rights);
    const QVector<QStringList> r = rows(
        *m_db, QStringLiteral("Select 中文姓名, 英文姓名, pass, 權限 From 員工 Where 英文姓名 = ?"), {login});
    QCOMPARE(r.size(), 1);
    QCOMPARE(r[0], (QStringList{name, login, password, QString::number(rights)}));
}

void TestSchema::vocabularies_data() {
    QTest::addColumn<QString>("sql");
    QTest::newRow("0 u") << "select sort, u from u order by sort";
    QTest::newRow("1 行業") << "select sort, 行 from 行業 order by sort";
    QTest::newRow("2 地區") << "select sort, 地 from 地區 order by sort";
    QTest::newRow("3 收款") << "select sort, 收 from 收款 order by sort";
    QTest::newRow("4 付款") << "select sort, 付 from 付款 order by sort";
    QTest::newRow("5 ps") << "select sort, ps from ps order by sort";
    QTest::newRow("6 工班") << "select w_id, 工班 from 工班 order by w_id";
    QTest::newRow("7 材料") << "select p_id, 材料 from 材料 order by p_id";
    QTest::newRow("8 案") << "select sort, 案 from 案 order by sort";
    QTest::newRow("9 Ctp") << "select tp_id, tp from Ctp order by tp_id";
    QTest::newRow("10 Ptp") << "select tp_id, tp from Ptp order by tp_id";
    QTest::newRow("11 Qps") << "select sort, ps from Qps order by sort";
    QTest::newRow("12 sc") << "select sort, sc from sc order by sort";
    QTest::newRow("別") << "select k_id, k from 別 order by k_id";
    QTest::newRow("種") << "select t_id, t from 種 order by t_id";
}

void TestSchema::vocabularies() {
    QFETCH(QString, sql);
    // Filled, numbered 1..n, and the table order is the list order.
    const QVector<QStringList> r = rows(*m_db, sql);
    QVERIFY(r.size() >= 3);
    for (int i = 0; i < r.size(); ++i) {
        QCOMPARE(r[i][0], QString::number(i + 1));
        QVERIFY(!r[i][1].isEmpty());
    }
    const QString table = sql.section(QStringLiteral(" from "), 1).section(QLatin1Char(' '), 0, 0);
    db::Recordset rs = m_db->openRecordset(table);
    int i = 0;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext(), ++i)
        QCOMPARE(rs.text(1), r[i][1]);
}

void TestSchema::catalogueLinksByName() {
    const QStringList orphans = {
        "select k from k2a where k not in (select k from 別)",
        "select t from t2w where t not in (select t from 種)",
        "select w from w2d where w not in (select w from t2w)",
        "select 廠商名稱 from 商vs工 where 廠商名稱 not in (select 廠商名稱 from 廠商)",
        "select 廠商名稱 from 商vs料 where 廠商名稱 not in (select 廠商名稱 from 廠商)",
        "select 工 from 商vs工 where 工 not in (select 工班 from 工班)",
        "select 料 from 商vs料 where 料 not in (select 材料 from 材料)",
        "select 負責業務 from 客戶 where 負責業務 not in (select 中文姓名 from 員工)",
        "select type from 客戶 where type not in (select tp from Ctp)",
        "select type from 廠商 where type not in (select tp from Ptp)",
        "select 收款方式 from 客戶 where 收款方式 not in (select 收 from 收款)",
        "select 付款方式 from 廠商 where 付款方式 not in (select 付 from 付款)",
        // Supply category: 1 work crews listed, 2 materials listed, 3 both.
        "select 廠商名稱 from 廠商 where (供應類別 & 1 = 1) <> (廠商名稱 in (select 廠商名稱 from 商vs工))",
        "select 廠商名稱 from 廠商 where (供應類別 & 2 = 2) <> (廠商名稱 in (select 廠商名稱 from 商vs料))",
        // The ratios are numbers: they are also offered as tax rates.
        "select sc from sc where typeof(sc) not in ('real', 'integer') or sc <= 0",
        "select w from t2w where typeof(c) not in ('real', 'integer')",
        "select w from t2w where typeof(s) not in ('real', 'integer')",
    };
    for (const QString& sql : orphans)
        QVERIFY2(column(*m_db, sql).isEmpty(),
                 qPrintable(sql + QStringLiteral(": ") + column(*m_db, sql).join(QLatin1Char(','))));
}

void TestSchema::recordNumbers_data() {
    QTest::addColumn<QString>("table");
    QTest::newRow("customers") << "客戶";
    QTest::newRow("vendors") << "廠商";
    QTest::newRow("staff") << "員工";
}

void TestSchema::recordNumbers() {
    QFETCH(QString, table);
    // Numbered as the record windows number them: the name's capital letter or the stroke code of
    // its first character, then a running number per group from 001, in the order of entry.
    const QStringList cols = m_db->columns(table);
    QMap<QString, int> lastInGroup;
    for (const QStringList& r :
         rows(*m_db, QStringLiteral("select %1, %2 from %3").arg(cols[0], cols[1], table))) {
        const QString number = r[0];
        const QChar first = r[1].at(0);
        const QString prefix = (first.toUpper() >= QLatin1Char('A') && first.toUpper() <= QLatin1Char('Z'))
                                   ? QString(first.toUpper())
                                   : mdM::StrokeCode(QString(first));
        QVERIFY2(number.startsWith(prefix), qPrintable(number + QLatin1Char(' ') + r[1]));
        const QString serial = number.mid(prefix.size());
        QCOMPARE(serial.size(), 3);
        QCOMPARE(serial.toInt(), lastInGroup.value(prefix) + 1);
        lastInGroup[prefix] = serial.toInt();
    }
    QVERIFY(!lastInGroup.isEmpty());
}

void TestSchema::recordFieldForms() {
    // Two-part fields hold "county;street" or "areacode;number"; dates are ROC year/month/day
    // without leading zeros.
    const QMap<QString, QList<int>> pairs = {{"客戶", {4, 6, 7, 9, 10, 11, 14, 16, 19, 26}},
                                             {"廠商", {4, 6, 8, 9, 10, 13, 15, 18, 25}},
                                             {"員工", {5, 8, 14}}};
    const QMap<QString, QList<int>> dates = {{"客戶", {29}}, {"廠商", {28}}, {"員工", {10, 11}}};
    const QStringList counties = column(*m_db, QStringLiteral("select 縣市 from 縣市"));
    QCOMPARE(counties.size(), 22);
    for (const QString& table : pairs.keys()) {
        db::Recordset rs = m_db->openRecordset(table);
        for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
            for (int i : pairs[table]) {
                const QString v = rs.text(i);
                QVERIFY2(v.count(QLatin1Char(';')) == 1, qPrintable(table + rs.fieldName(i) + v));
                if (rs.fieldName(i).contains(QStringLiteral("地址")) && v != QLatin1String(";"))
                    QVERIFY2(counties.contains(v.section(QLatin1Char(';'), 0, 0)), qPrintable(v));
            }
            for (int i : dates[table]) {
                const QString v = rs.text(i);
                QCOMPARE(text::rocDate(text::parseRocDate(v)), v);
            }
        }
    }
}

QTEST_GUILESS_MAIN(TestSchema)
#include "tst_schema.moc"
