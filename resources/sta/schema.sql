-- The statistics database sta.mdb: one record per item row of the quotation, rebuilt for every
-- statistics view and printout, and the saved queries the windows and printouts read.
-- Columns by position: the program writes them in this order.

CREATE TABLE 統計 (
    tre TEXT,     -- path of the row's leaf, parts joined by '‧' (part 0 the root)
    Des TEXT,     -- item name
    Siz TEXT,     -- 規格 (size)
    Uni TEXT,     -- unit
    Qua REAL,     -- quantity
    Unp REAL,     -- unit price
    Top REAL,     -- amount
    Unc REAL,     -- unit cost
    Toc REAL,     -- cost total
    Rat REAL,     -- price-to-cost ratio
    Rem TEXT,     -- remark
    AoT TEXT,     -- first path part below the root (area, or work type of a work-types-only quotation)
    T TEXT,       -- second path part (work type under an area)
    sn INTEGER,   -- group number
    sot INTEGER   -- row number in tree order
);
CREATE INDEX 統計_tre ON 統計(tre);

-- Average ratios (fields named Rat) are the plain quotient SUM(Top)/SUM(Toc), NULL when the cost is
-- 0; readers round it. Every group query lists its groups in the order of their first row.

-- The whole quotation: amount, cost, profit, average ratio.
CREATE VIEW "TOTAL" AS
SELECT TOTAL(Top) AS Top, TOTAL(Toc) AS Toc, TOTAL(Top) - TOTAL(Toc) AS Pro,
       CASE WHEN TOTAL(Toc) = 0 THEN NULL ELSE TOTAL(Top) / TOTAL(Toc) END AS Rat
FROM 統計;

-- First-level groups: areas, or the work types of a work-types-only quotation.
CREATE VIEW Aot AS
SELECT AoT AS AoT, TOTAL(Top) AS Top, TOTAL(Toc) AS Toc, TOTAL(Top) - TOTAL(Toc) AS Pro,
       CASE WHEN TOTAL(Toc) = 0 THEN NULL ELSE TOTAL(Top) / TOTAL(Toc) END AS Rat
FROM 統計
WHERE AoT IS NOT NULL
GROUP BY AoT
ORDER BY MIN(sot);

-- Work types. Rows of an area without a work type form a group named after the area.
CREATE VIEW T AS
SELECT COALESCE(T, AoT) AS T, TOTAL(Top) AS Top, TOTAL(Toc) AS Toc, TOTAL(Top) - TOTAL(Toc) AS Pro,
       CASE WHEN TOTAL(Toc) = 0 THEN NULL ELSE TOTAL(Top) / TOTAL(Toc) END AS Rat
FROM 統計
WHERE COALESCE(T, AoT) IS NOT NULL
GROUP BY COALESCE(T, AoT)
ORDER BY MIN(sot);

-- One row per path: each closes with one subtotal line.
CREATE VIEW LC AS
SELECT tre AS Tre, COUNT(*) AS Ct
FROM 統計
WHERE tre <> ''
GROUP BY tre
ORDER BY MIN(sot);

-- The item records in print order: by group number, the rows of one path together (paths in the
-- order of their first row), then by row.
CREATE VIEW AlbyP AS
SELECT s.tre AS tre, s.Des AS Des, s.Siz AS Siz, s.Uni AS Uni, s.Qua AS Qua, s.Unp AS Unp,
       s.Top AS Top, s.Unc AS Unc, s.Toc AS Toc, s.Rat AS Rat, s.Rem AS Rem, s.AoT AS AoT,
       s.T AS T, s.sn AS sn, s.sot AS sot
FROM 統計 AS s
JOIN (SELECT tre, MIN(sot) AS first FROM 統計 GROUP BY tre) AS f ON f.tre = s.tre
WHERE s.tre <> ''
ORDER BY s.sn, f.first, s.sot;

-- Areas with their amount and their number of item rows.
CREATE VIEW AotS AS
SELECT AoT AS AoT, TOTAL(Top) AS Top, COUNT(*) AS Ct
FROM 統計
WHERE AoT IS NOT NULL
GROUP BY AoT
ORDER BY MIN(sot);

-- Paths with their number of item rows and their area, in the order of their first row.
CREATE VIEW SAoT AS
SELECT COUNT(*) AS Ct, AoT AS AoT, tre AS Tre
FROM 統計
WHERE tre <> ''
GROUP BY tre
ORDER BY MIN(sot);

-- The same for the work-type grouping: paths in group-number order.
CREATE VIEW ST AS
SELECT COUNT(*) AS Ct, COALESCE(T, AoT) AS T, tre AS Tre
FROM 統計
WHERE tre <> ''
GROUP BY tre
ORDER BY MIN(sn), MIN(sot);
