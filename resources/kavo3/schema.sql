-- Kavo3.mdb: tables, indexes and saved queries of the main database.
--
-- The program reads and writes whole rows by column position, so the order of the columns in
-- every CREATE TABLE below is part of the file format: never insert, drop or reorder a column.
--
-- Conventions:
-- * Text that is looked up or used as a key compares without regard to letter case
--   (COLLATE NOCASE), as users expect from the lists and the record windows.
-- * Rows are kept in insertion order (the rowid): "table order" is the order in which rows were
--   added. Order and id columns that hold a row's 1-based place in its list are the rowid itself
--   (INTEGER PRIMARY KEY), so the table order and the list order always agree.
-- * Indexes on single text columns are partial ("WHERE column IS NOT NULL"). Lookups by value
--   use them all the same, but a plain "select column from table" can never be answered from
--   the index, which would hand the rows back sorted by name instead of in table order.
-- * The statistics and report databases are separate files and have their own scripts.

---------------------------------------------------------------------------------------------
-- Log-in and company data
---------------------------------------------------------------------------------------------

-- The SuperUser: one row, super_id 'wexa', its password in plain text.
CREATE TABLE super (
    super_id   TEXT NOT NULL COLLATE NOCASE PRIMARY KEY,
    super_pass TEXT NOT NULL DEFAULT ''
);

-- The user's own company: exactly one row, six texts read by position by the printouts.
CREATE TABLE company (
    名稱     TEXT NOT NULL DEFAULT '',
    地址     TEXT NOT NULL DEFAULT '',
    電話     TEXT NOT NULL DEFAULT '',
    傳真     TEXT NOT NULL DEFAULT '',
    統編     TEXT NOT NULL DEFAULT '',
    "E-MAIL" TEXT NOT NULL DEFAULT ''
);

---------------------------------------------------------------------------------------------
-- Construction catalogue
-- Tables refer to each other by display name, not by id: k2a.k is a 別.k, t2w.t a 種.t and
-- w2d.w a t2w.w. The same name may be entered twice; nothing here refuses it.
---------------------------------------------------------------------------------------------

-- Project categories (工程類別); k_id is the category's place in the list.
CREATE TABLE 別 (
    k_id INTEGER PRIMARY KEY,
    k    TEXT COLLATE NOCASE
);

-- Work kinds (工程種類); t_id is the kind's place in the list.
CREATE TABLE 種 (
    t_id INTEGER PRIMARY KEY,
    t    TEXT COLLATE NOCASE
);

-- Areas of each category; sort = area grid * 20 + row + 1 within the category.
CREATE TABLE k2a (
    k    TEXT COLLATE NOCASE,
    a    TEXT COLLATE NOCASE,
    sort INTEGER
);
CREATE INDEX k2a_k ON k2a (k) WHERE k IS NOT NULL;

-- Work items of each work kind: unit, cost and ratio (price / cost). The first item of a kind
-- has sort 2.
CREATE TABLE t2w (
    t    TEXT COLLATE NOCASE,
    w    TEXT COLLATE NOCASE,
    sort INTEGER,
    u    TEXT,
    c    REAL DEFAULT 0,
    s    REAL DEFAULT 0
);
CREATE INDEX t2w_t ON t2w (t) WHERE t IS NOT NULL;
CREATE INDEX t2w_w ON t2w (w) WHERE w IS NOT NULL;

-- Detail markups of each work item: a detail text and the cost it adds. The first
-- detail of an item has sort 2.
CREATE TABLE w2d (
    w    TEXT COLLATE NOCASE,
    d    TEXT COLLATE NOCASE,
    c    REAL DEFAULT 0,
    sort INTEGER
);
CREATE INDEX w2d_w ON w2d (w) WHERE w IS NOT NULL;

---------------------------------------------------------------------------------------------
-- Vocabulary lists: position 0 the entry's 1-based line number, position 1 its text.
---------------------------------------------------------------------------------------------

CREATE TABLE u (                -- 單位: units
    sort INTEGER PRIMARY KEY,
    u    TEXT COLLATE NOCASE
);

CREATE TABLE 行業 (             -- 行業別: trades
    sort INTEGER PRIMARY KEY,
    行   TEXT COLLATE NOCASE
);

CREATE TABLE 地區 (             -- 地區性: regions
    sort INTEGER PRIMARY KEY,
    地   TEXT COLLATE NOCASE
);

CREATE TABLE 收款 (             -- 收款方式: customers' payment terms
    sort INTEGER PRIMARY KEY,
    收   TEXT COLLATE NOCASE
);

CREATE TABLE 付款 (             -- 付款方式: our payment terms to vendors
    sort INTEGER PRIMARY KEY,
    付   TEXT COLLATE NOCASE
);

CREATE TABLE ps (               -- 頁尾備註: page-end remarks of a quotation
    sort INTEGER PRIMARY KEY,
    ps   TEXT
);

CREATE TABLE 工班 (             -- 工班: work crews
    w_id INTEGER PRIMARY KEY,
    工班 TEXT COLLATE NOCASE
);

CREATE TABLE 材料 (             -- 供應材料: materials
    p_id INTEGER PRIMARY KEY,
    材料 TEXT COLLATE NOCASE
);

CREATE TABLE 案 (               -- 工程案名: project names
    sort INTEGER PRIMARY KEY,
    案   TEXT COLLATE NOCASE
);

CREATE TABLE Ctp (              -- 客戶分類: customer categories
    tp_id INTEGER PRIMARY KEY,
    tp    TEXT COLLATE NOCASE
);

CREATE TABLE Ptp (              -- 廠商分類: vendor categories
    tp_id INTEGER PRIMARY KEY,
    tp    TEXT COLLATE NOCASE
);

CREATE TABLE Qps (              -- 報價單項備註: item remarks
    sort INTEGER PRIMARY KEY,
    ps   TEXT
);

-- 比例: ratios. Numbers, since the quotation editor also offers them as tax rates.
CREATE TABLE sc (
    sort INTEGER PRIMARY KEY,
    sc   REAL
);

---------------------------------------------------------------------------------------------
-- Customers, vendors and staff
-- Every column is text except 廠商.供應類別 and 員工.權限. Record numbers are a stroke-count
-- code (two digits) or a capital letter followed by a three-digit running number. Two-part
-- columns hold county;street or areacode;number. Dates are ROC year/month/day text.
-- The name column is the key: a second row with the same name, whatever its letter case, is
-- refused as a duplicate.
---------------------------------------------------------------------------------------------

CREATE TABLE 客戶 (
    客戶編號       TEXT COLLATE NOCASE,   -- 0
    客戶名稱       TEXT NOT NULL COLLATE NOCASE,
    客戶代號       TEXT,
    統一編號       TEXT,
    公司地址       TEXT,                  -- county;street
    郵遞區號       TEXT,                  -- 5
    發票地址       TEXT,                  -- county;street
    施工地址       TEXT,                  -- county;street
    電子郵件       TEXT,
    電話1          TEXT,                  -- areacode;number
    電話2          TEXT,                  -- 10
    公司傳真       TEXT,
    負責人         TEXT,
    負責人身分證號 TEXT,
    負責人公司電話 TEXT,
    負責人大哥大   TEXT,                  -- 15
    負責人住家電話 TEXT,
    負責人職稱     TEXT,
    連絡人         TEXT,
    連絡人公司電話 TEXT,
    連絡人大哥大   TEXT,                  -- 20
    連絡人職稱     TEXT,
    介紹人         TEXT,
    負責業務       TEXT,                  -- a 員工.中文姓名
    會計人員       TEXT,
    會計職稱       TEXT,                  -- 25
    會計電話       TEXT,
    地區性         TEXT,
    行業別         TEXT,
    登錄日期       TEXT,
    結帳日         TEXT,                  -- 30
    請款日         TEXT,
    收款方式       TEXT,
    備註           TEXT,
    type           TEXT COLLATE NOCASE    -- 34: customer category
);
CREATE UNIQUE INDEX 客戶_客戶名稱 ON 客戶 (客戶名稱) WHERE 客戶名稱 IS NOT NULL;

CREATE TABLE 廠商 (
    廠商編號       TEXT COLLATE NOCASE,   -- 0
    廠商名稱       TEXT NOT NULL COLLATE NOCASE,
    廠商代號       TEXT,
    統一編號       TEXT,
    公司地址       TEXT,                  -- county;street
    郵遞區號       TEXT,                  -- 5
    發票地址       TEXT,                  -- county;street
    電子郵件       TEXT,
    電話1          TEXT,                  -- areacode;number
    電話2          TEXT,
    傳真           TEXT,                  -- 10
    負責人         TEXT,
    負責人身分證號 TEXT,
    負責人公司電話 TEXT,
    負責人大哥大   TEXT,
    負責人住家電話 TEXT,                  -- 15
    負責人職稱     TEXT,
    連絡人         TEXT,
    連絡人公司電話 TEXT,
    連絡人大哥大   TEXT,
    連絡人職稱     TEXT,                  -- 20
    介紹人         TEXT,
    負責業務       TEXT,
    會計人員       TEXT,
    會計職稱       TEXT,
    會計電話       TEXT,                  -- 25
    地區性         TEXT,
    行業別         TEXT,
    登錄日期       TEXT,
    結帳日         TEXT,
    請款日         TEXT,                  -- 30
    付款方式       TEXT,
    備註           TEXT,
    支票抬頭       TEXT,
    發票抬頭       TEXT,
    供應類別       INTEGER DEFAULT 0,     -- 35: 1 work crew, 2 materials, 3 both, 0 neither
    敘述           TEXT,
    type           TEXT COLLATE NOCASE    -- 37: vendor category
);
CREATE UNIQUE INDEX 廠商_廠商名稱 ON 廠商 (廠商名稱) WHERE 廠商名稱 IS NOT NULL;

-- Staff, who are also the users. 權限 is the rights word (bit 0 = 價格可見 ... bit 11 =
-- 系統設定); a new member gets no rights and no password until they are set.
CREATE TABLE 員工 (
    員工編號       TEXT COLLATE NOCASE,   -- 0
    中文姓名       TEXT NOT NULL COLLATE NOCASE,
    英文姓名       TEXT COLLATE NOCASE,   -- log-in name
    部門           TEXT,
    身分字號       TEXT,
    地址           TEXT,                  -- 5: county;street
    郵遞區號       TEXT,
    電子郵件       TEXT,
    住家電話       TEXT,                  -- areacode;number
    行動電話       TEXT,
    生日           TEXT,                  -- 10
    僱用日期       TEXT,
    薪水           TEXT,
    緊急連絡人姓名 TEXT,
    緊急連絡人電話 TEXT,                  -- areacode;number
    備註           TEXT,                  -- 15
    權限           INTEGER DEFAULT 0,
    pass           TEXT,
    職稱           TEXT                   -- 18
);
CREATE UNIQUE INDEX 員工_中文姓名 ON 員工 (中文姓名) WHERE 中文姓名 IS NOT NULL;

-- Record numbers: the number groups of the browse lists and the numbering read them by prefix.
CREATE INDEX 客戶_客戶編號 ON 客戶 (客戶編號);
CREATE INDEX 廠商_廠商編號 ON 廠商 (廠商編號);
CREATE INDEX 員工_員工編號 ON 員工 (員工編號);

-- Supply links: the work crews (工班.工班) and the materials (材料.材料) of each vendor, by name.
CREATE TABLE 商vs工 (
    廠商名稱 TEXT COLLATE NOCASE,
    工       TEXT COLLATE NOCASE
);
CREATE INDEX 商vs工_廠商名稱 ON 商vs工 (廠商名稱) WHERE 廠商名稱 IS NOT NULL;

CREATE TABLE 商vs料 (
    廠商名稱 TEXT COLLATE NOCASE,
    料       TEXT COLLATE NOCASE
);
CREATE INDEX 商vs料_廠商名稱 ON 商vs料 (廠商名稱) WHERE 廠商名稱 IS NOT NULL;

-- Counties and cities with their telephone area codes, read in table order.
CREATE TABLE 縣市 (
    id       INTEGER PRIMARY KEY,
    縣市     TEXT COLLATE NOCASE,
    電話區碼 TEXT
);

---------------------------------------------------------------------------------------------
-- Saved queries
---------------------------------------------------------------------------------------------

-- Category filters of the customer and vendor lists: every category in use, in the order of the
-- category list, categories not (or no longer) in that list after them by name.
CREATE VIEW Tp4C AS
SELECT 客戶.type AS type
FROM 客戶 LEFT JOIN Ctp ON Ctp.tp = 客戶.type
WHERE 客戶.type <> ''
GROUP BY 客戶.type
ORDER BY MIN(IFNULL(Ctp.tp_id, 2147483647)), 客戶.type;

CREATE VIEW Tp4P AS
SELECT 廠商.type AS type
FROM 廠商 LEFT JOIN Ptp ON Ptp.tp = 廠商.type
WHERE 廠商.type <> ''
GROUP BY 廠商.type
ORDER BY MIN(IFNULL(Ptp.tp_id, 2147483647)), 廠商.type;

-- Categories with their areas: 0 category, 1 area. Categories in list order, each one's areas
-- together in their order.
CREATE VIEW Pk2a AS
SELECT cat.k AS k, k2a.a AS a
FROM k2a
     JOIN (SELECT k, MIN(k_id) AS k_id FROM 別 GROUP BY k) AS cat ON cat.k = k2a.k
ORDER BY cat.k_id, k2a.sort, k2a.rowid;

-- Work kinds with their work items: 0 kind, 1 item, 2 unit, 3 cost, 4 ratio.
CREATE VIEW Pt2w AS
SELECT kind.t AS t, t2w.w AS w, t2w.u AS u, t2w.c AS c, t2w.s AS s
FROM t2w
     JOIN (SELECT t, MIN(t_id) AS t_id FROM 種 GROUP BY t) AS kind ON kind.t = t2w.t
ORDER BY kind.t_id, t2w.sort, t2w.rowid;

-- Work items with their detail markups: 0 kind, 1 item, 2 detail, 3 markup. Kinds in list
-- order, items in their order, each item's details together in their order.
CREATE VIEW Pt2w2d AS
SELECT kind.t AS t, item.w AS w, w2d.d AS d, w2d.c AS c
FROM w2d
     JOIN (SELECT t, w, MIN(sort) AS sort FROM t2w GROUP BY t, w) AS item ON item.w = w2d.w
     JOIN (SELECT t, MIN(t_id) AS t_id FROM 種 GROUP BY t) AS kind ON kind.t = item.t
ORDER BY kind.t_id, item.sort, item.w, w2d.sort, w2d.rowid;
