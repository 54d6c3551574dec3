-- The report database ptdemo.mdb: the tables the cover-page report (fpdemo) and the details report
-- (pbdemo) read. Rows are read in the order they were written.

-- The quotation header: one row.
CREATE TABLE phead (
    con TEXT, coa TEXT, cot TEXT, cof TEXT, cono TEXT, coe TEXT,
    cn TEXT, ct TEXT, cf TEXT, en TEXT, ea TEXT, dy TEXT, qno TEXT, sl TEXT
);

-- Detail lines: headings, items, subtotals and blank lines, in print order.
CREATE TABLE pbody (
    no TEXT, des TEXT, uni TEXT, qua TEXT, unp TEXT, top TEXT, rem TEXT
);

-- Cover-page lines: groups, fees, totals, the amount in words and blank lines.
CREATE TABLE pfp (
    no TEXT, des TEXT, uni TEXT, qua TEXT, top TEXT
);

-- The five page-end remarks: at most one row each.
CREATE TABLE ps0 (rem TEXT);
CREATE TABLE ps1 (rem TEXT);
CREATE TABLE ps2 (rem TEXT);
CREATE TABLE ps3 (rem TEXT);
CREATE TABLE ps4 (rem TEXT);
