// What the layer writes opens in a real spreadsheet application: the shipped templates, filled as
// the printouts fill them, are converted to PDF by LibreOffice and their texts and pages found.
#include "LibreOffice.h"
#include "SmallTemplates.h"
#include "TemplateDescription.h"

#include <QDir>
#include <QtTest>

using namespace wb;

namespace {

const QList<QPair<QString, QString>> kValues = {
    {"#客戶名稱#", "王小明"},       {"#工程名稱#", "仁愛路住宅"}, {"#工程地址#", "台北市仁愛路一段1號"},
    {"#客戶電話#", "0912345678"},   {"#客戶傳真#", "02-27654321"}, {"#客戶聯絡人#", "王太太"},
    {"#年#", "91"},                 {"#月#", "5"},                 {"#日#", "8"},
    {"#單號#", "Q910508"},          {"#業務#", "陳業務"},          {"#公司名稱#", "好室設計"},
    {"#公司地址#", "新北市板橋區"}, {"#公司電話#", "02-29998888"}, {"#公司傳真#", "02-29997777"},
    {"#公司統編#", "12345678"},     {"#公司email#", "info@example.com"}};

void replacePlaceholders(Sheet& s, int lastCol) {
    for (int r = 1; r <= 6; ++r)
        for (int c = 1; c <= lastCol; ++c) {
            QString text = s.text(r, c);
            bool hit = false;
            for (const auto& [p, v] : kValues)
                if (text.contains(p)) {
                    text.replace(p, v);
                    hit = true;
                }
            if (hit)
                s.setText(r, c, text);
        }
}

// The page-copy layout: cover lines, then `pages` detail pages of 30 lines each.
void fillWithCover(Workbook& book, int pages, int lastCol) {
    replacePlaceholders(book.sheet(1), lastCol);
    replacePlaceholders(book.sheet(2), lastCol);
    Sheet& cover = book.sheet(1);
    cover.addColumnBreak(8);
    cover.setText(8, 1, "壹");
    cover.setText(8, 2, "客廳");
    cover.setText(8, 3, "式");
    cover.setNumber(8, 4, 1);
    cover.setNumber(8, 5, 123456);
    cover.setText(9, 2, "設計費");
    cover.setNumber(9, 4, 0.05);
    cover.setHorizontalAlignment(9, 4, HAlign::Right);
    cover.setNumberFormat(9, 4, "0%");
    cover.setText(13, 2, "  總價合計:  新台幣 壹拾貳萬參仟肆佰伍拾陸 元整(含稅)");
    cover.setBold(13, 2);
    for (int j = 0; j < 5; ++j) {
        cover.setHorizontalAlignment(33 + j, 1, HAlign::Left);
        cover.setText(33 + j, 1, QStringLiteral("備註%1：本報價單有效期限三十天").arg(j + 1));
    }
    Sheet& detail = book.sheet(2);
    detail.addColumnBreak(11);
    const RangeRef page = range(lastCol > 7 ? u"A1:J39" : u"A1:G39");
    for (int i = 1; i < pages; ++i) {
        detail.copyRange(page, CellRef{39 * i + 1, 1});
        detail.addRowBreak(39 * i + 1);
        for (int r = 1; r <= 39; ++r)
            detail.setRowHeight(39 * i + r, detail.rowHeight(r));
    }
    for (int i = 0; i < 30 * pages; ++i) {
        const int row = 8 + (i / 30) * 39 + i % 30;
        detail.setNumber(row, 1, i + 1);
        detail.setText(row, 2, QStringLiteral("明細項目%1").arg(i + 1));
        detail.setText(row, 3, "式");
        detail.setNumber(row, 4, 2);
        detail.setNumber(row, 5, 1500);
        detail.setNumber(row, 6, 3000);
    }
}

// Header texts as users type them: addresses of mail and web, dates and percentages joined by wide
// punctuation, long Latin words, Chinese mixed with digits.
const char* const kHeaderTexts[] = {
    "工程名稱：王公館分期施工：112/12/01、112/12/15、113/01/05、113/01/20、113/02/03",
    "工程名稱：陳宅翻修：112/12/01，112/12/15，113/01/05，113/01/20，113/02/03",
    "付款方式：簽約付30%，進場施工付40%，完工驗收付30%。",
    "簽約付30%，進場施工付40%，木作完成付20%，完工驗收付10%。",
    "15%、15%、20%、20%、30%",
    "15%，15%，20%，20%，30%，25%，10%，5%",
    "分期：10%、20%、30%、40%，尾款保留5%。",
    "工期：112/12/01、112/12/15、113/01/05",
    "112/12/01、112/12/15、113/01/05、113/01/20、113/02/03、113/02/17、113/03/01",
    "2023/12/01，2023/12/15，2024/01/05，2024/01/20",
    "施工日期112/5/8至112/6/30，驗收日期112/7/15",
    "林公館（112/03/01、112/04/15、112/05/30三期）",
    "黃宅浴室翻新112/09/01、112/09/02兩日施工",
    "大安區仁愛路四段300巷20弄15號3樓之2：112/11/01、112/11/20",
    "E-mail：wang.xiaoming@chengzhu-design.com.tw",
    "E-mail：wang.xiaoming-renovation-project@chengzhu-interior-design-group.com.tw",
    "service@kavo.com.tw、sales@kavo.com.tw、wang.da.ming@gmail.com",
    "聯絡信箱：lin_meihua@yahoo.com.tw，chen.office@hinet.net",
    "info@example.com；sales@example.com；service@example.com；hr@example.com",
    "mail：a.very.long.mailbox.name.for.the.office@some-company-name.example.com.tw",
    "https://www.chengzhu-interior.com.tw/projects/2023/wang-residence/index.html",
    "網址：http://www.example.com.tw/陳公館/照片",
    "網站：www.kavo-design.com.tw、www.kavo-build.com.tw",
    "參考：https://goo.gl/maps/AbCdEfGhIjKlMnOp，https://line.me/ti/p/abcdefg",
    "ftp://files.example.org/shared/drawings/2023-12-01_floorplan_v3.dwg",
    "Supercalifragilisticexpialidociousrenovationproject",
    "Pneumonoultramicroscopicsilicovolcanoconiosis and Antidisestablishmentarianism",
    "The quick brown fox jumps over the lazy dog near the riverside apartment",
    "Renovation of the Grand Hyatt Taipei ballroom, phase II (lighting & ceiling)",
    "MODEL-XR2000-PRO-MAX-ULTRA-SLIM-TYPE-C-USB-HUB-WITH-ETHERNET",
    "Wang_Residence_Renovation_Phase_Two_Kitchen_and_Bathroom_Final",
    "TOTO CS767RB、Panasonic FV-40BU1R、HCG C4232T、Kohler K-17662T",
    "台北市信義區信義路五段7號12樓之3",
    "新北市板橋區文化路一段188巷66弄33號5樓",
    "桃園市中壢區中大路300號A棟12F-5室",
    "台中市西屯區台灣大道三段99號（市政大樓）B1停車場",
    "高雄市前鎮區成功二路88號25樓之1、25樓之2",
    "客廳天花板12尺x15尺，主臥8尺x12尺，次臥7尺x10尺",
    "系統櫃W120xD60xH240公分共3組，W90xD60xH240公分2組",
    "電話：02-2345-6789、0912-345-678、0988-765-432",
    "電話02-27001234分機123，傳真02-27005678",
    "統一編號：12345678　電話：(02)2700-1234　傳真：(02)2700-5678",
    "地址：台北市大安區忠孝東路四段100號10樓　電話：02-2771-1234　傳真：02-2771-5678",
    "澄築室內裝修設計工程有限公司　報價單",
    "陳公館新建工程第二期室內裝修暨水電空調整合工程",
    "王小明、李大華、張美麗、陳志明、林淑芬",
    "預算NT$1,250,000元（含稅5%），追加NT$85,000元",
    "總價3,580,000元，已付1,074,000元，餘款2,506,000元",
    "A棟3F、A棟5F、B棟2F、B棟7F、C棟1F",
    "1F、2F、3F、B1、B2、RF",
    "R1、R2、R3、K1、K2、B1、B2",
    "門片色號：LG-2035、LG-2036、LG-2101，把手：HB-01",
    "磁磚：30x60cm、60x60cm、60x120cm，共三款",
    "規格：W60/D45/H85cm、W90/D45/H85cm",
    "Mr. Wang、Ms. Lin、Dr. Chen",
    "案號：2023-A-0158、2023-A-0159、2023-B-0011",
    "報價單號Q1121201-003、Q1121201-004",
    "第1期30%、第2期30%、第3期30%、保固金10%",
    "第一期款30%（簽約時），第二期款40%（進場時），第三期款30%（完工時）",
    "折扣8.5%，稅率5%，服務費10%",
    "100%、95%、90%、85%、80%、75%、70%",
    "工程進度：拆除100%、水電80%、泥作60%、木作30%、油漆0%",
    "3.5%、4.25%、12.75%、0.5%",
    "v1.2.3、v2.0.0-beta、v10.4.1",
    "C:\\Users\\wang\\Documents\\報價\\2023\\王公館.kav",
    "/home/office/quotes/2023/wang-residence/final-v3.kav",
    "IKEA、B&Q、HOLA、特力屋、IKEA台北店",
    "abc、def、ghi、jkl、mno、pqr、stu、vwx、yz",
    "ABCDEFGHIJKLMNOPQRSTUVWXYZ、abcdefghijklmnopqrstuvwxyz、0123456789",
    "12345678901234567890123456789012345678901234567890",
    "工程名稱：ABCDEFGHIJ KLMNOPQRST UVWXYZ 王公館",
    "備註：依現場實際尺寸計價，追加減另計（112/12/01起適用）",
    "訂金三成於簽約時支付，餘款於完工驗收後七日內付清",
    "本報價單有效期限為三十日，逾期請重新報價。",
    "客戶名稱：Chengzhu Interior Design & Construction Co., Ltd.",
    "客戶名稱：好室設計、好住建設、好家營造（三家聯合承攬）",
    "地址：No. 7, Sec. 5, Xinyi Rd., Xinyi Dist., Taipei City 110, Taiwan (R.O.C.)",
    "工程名稱：張公館客廳、餐廳及主臥室全室翻修工程（含水電、空調、系統櫃）",
    "工程名稱：信義區集合住宅12F-3室內裝修，工期112/08/01至112/10/31",
    "工程名稱：吳宅二期：113/03/01、113/03/15、113/04/01三次進場",
    "工程名稱：辦公室隔間工程（A區30%、B區45%、C區25%）",
    "工程名稱：林口長庚員工宿舍第3、4、5棟浴室防水改善工程",
    "工程名稱：天母SOGO百貨B1美食街櫃位裝修（櫃號B1-023、B1-024）",
    "工程名稱：新竹科學園區力行路10號2F無塵室外圍裝修",
    "客戶名稱：台灣積體電路製造股份有限公司新竹十二廠行政大樓",
    "客戶名稱：Dr. Lee's Dental Clinic（李牙醫診所）",
    "客戶名稱：陳美玲、陳志豪（共同承租人）",
    "工程地址：台北市中山區南京東路二段100號8樓之1（電梯大樓）",
    "工程地址：新北市新店區北新路三段207號14樓（碧潭捷運站旁）",
    "工程地址：No. 88, Zhongxiao E. Rd., Sec. 4, Da'an Dist., Taipei City",
    "工程地址：宜蘭縣礁溪鄉中山路二段58巷3弄7號",
    "聯絡人：王小姐0912-345-678、李先生0988-123-456",
    "電話：(02)2700-1234#123、(02)2700-5678#456",
    "E-mail：lin.meihua@chengzhu.com.tw、wang.xiaoming@chengzhu.com.tw",
    "E-mail：chengzhu.interior.design.and.renovation.service@gmail.com",
    "業務：陳業務（0912-000-111，chen@kavo.com.tw）",
    "日期：112/12/01、112/12/15",
    "單號：Q1121201-0001-A、Q1121201-0002-B、Q1121201-0003-C",
    "簽約付30%，拆除完成付20%，水電完成付20%，木作完成付20%，完工驗收付10%。",
    "訂金10%、一期30%、二期30%、三期20%、尾款10%（驗收後七日內）",
    "付款：簽約50%，完工50%；保固一年，保固金5%於一年後退還",
    "報價有效期限30天（112/12/31止），逾期另議。",
    "稅率5%，如需開立三聯式發票另加5%營業稅",
    "https://drive.google.com/drive/folders/1AbCdEfGhIjKlMnOpQrStUvWxYz",
    "設計圖：http://www.kavo-design.com.tw/cases/2023/chen-residence/plan-v2.pdf",
    "LINE ID：@chengzhu_design，Facebook：fb.com/chengzhu.design",
    "Interior renovation of the Chen residence, 3F, No. 7, Lane 100, Section 2",
    "Antidisestablishmentarianism-floccinaucinihilipilification-pneumonoultramicroscopic",
    "系統櫃W90xD58xH220cm×3、W60xD58xH220cm×2、W120xD35xH90cm×1",
    "冷氣：日立RAS-50NJP/RAC-50JP、大金FTHF50VAVLT/RHF50VAVLT",
    "木地板：12mm超耐磨（AC4等級），約25.5坪，損料5%另計",
    "油漆：ICI得利乳膠漆（A991/A986）兩底兩度，天花板及牆面共約68坪",
    "第一期112/12/01開工、第二期113/01/15、第三期113/03/01、完工113/04/30",
    "1、2、3、4、5、6、7、8、9、10、11、12、13、14、15、16、17、18、19、20",
};

} // namespace

class TestLibreOffice : public QObject {
    Q_OBJECT

    QTemporaryDir folder;
    QTemporaryDir out;
    QStringList filled;

private slots:
    void initTestCase() {
        QString error;
        QVERIFY2(tpl::writeMissing(folder.path(), nullptr, &error), qPrintable(error));
        QDir().mkpath(out.filePath(QStringLiteral("filled")));
        auto path = [&](const char* f) { return QDir(folder.path()).filePath(QString::fromUtf8(f)); };
        auto target = [&](const char* f) { return out.filePath(QStringLiteral("filled/") + QString::fromUtf8(f)); };

        auto q = Workbook::open(path("PrintQ/報價單.xlsx"));
        fillWithCover(*q, 3, 7);
        q->save(target("quote.xlsx"));
        auto c = Workbook::open(path("PrintC/成本分析.xlsx"));
        fillWithCover(*c, 2, 10);
        c->save(target("cost.xlsx"));

        // Single sheet: rows inserted at row 10 for the lines past one page.
        auto nf = Workbook::open(path("PrintNF/單張報價單.xlsx"));
        Sheet& s = nf->sheet(1);
        replacePlaceholders(s, 7);
        s.insertRows(10, 20);
        for (int i = 0; i < 50; ++i) {
            s.setNumber(8 + i, 1, i + 1);
            s.setText(8 + i, 2, QStringLiteral("單張項目%1").arg(i + 1));
        }
        nf->save(target("single.xlsx"));

        auto st = Workbook::open(path("Pother/統計.xlsx"));
        const QStringList head = {"", "區域", "金額", "成本", "利潤", "平均比例", "佔總價"};
        for (int j = 1; j <= 6; ++j)
            st->sheet(1).setText(1, j, head[j]);
        st->sheet(1).setText(2, 1, "客廳");
        st->sheet(1).setText(2, 2, "123,456");
        st->save(target("stats.xlsx"));
        filled = QStringList{target("quote.xlsx"), target("cost.xlsx"), target("single.xlsx"), target("stats.xlsx")};
    }

    void filledWorkbooksPrint() {
        QString error;
        QVERIFY2(testlo::convertToPdf(filled, out.path(), &error), qPrintable(error));

        const QString quote = testlo::pdfPathFor(filled[0], out.path());
        // One cover page and one printed page per page range.
        QCOMPARE(testlo::pdfPages(quote), 1 + 3);
        const QString text = testlo::pdfText(quote);
        for (const char* t : {"王小明", "0912345678", "91/5/8", "好室設計", "info@example.com", "Q910508", "5%",
                              "123,456", "元整(含稅)", "備註5：本報價單有效期限三十天", "明細項目1", "明細項目30",
                              "明細項目31", "明細項目90", "3,000"})
            QVERIFY2(text.contains(QString::fromUtf8(t)), t);
        QVERIFY(!text.contains(u'#'));

        const QString cost = testlo::pdfPathFor(filled[1], out.path());
        QCOMPARE(testlo::pdfPages(cost), 1 + 2);
        QVERIFY(testlo::pdfText(cost).contains(QStringLiteral("成本複計")));

        const QString single = testlo::pdfText(testlo::pdfPathFor(filled[2], out.path()));
        for (const char* t : {"單張項目1", "單張項目50", "客戶簽認"})
            QVERIFY2(single.contains(QString::fromUtf8(t)), t);
        QVERIFY(testlo::pdfText(testlo::pdfPathFor(filled[3], out.path())).contains(QStringLiteral("平均比例")));
    }

    // A template the user saved again from the spreadsheet application fills just as well.
    void templateSavedByTheApplication() {
        const QString resaved = out.filePath(QStringLiteral("resaved"));
        QDir().mkpath(resaved);
        QString error;
        QVERIFY2(testlo::convertTo(QDir(folder.path()).filePath(QStringLiteral("PrintQ/報價單.xlsx")),
                                   QStringLiteral("xlsx:Calc MS Excel 2007 XML"), resaved, &error),
                 qPrintable(error));
        auto book = Workbook::open(QDir(resaved).filePath(QStringLiteral("報價單.xlsx")));
        fillWithCover(*book, 2, 7);
        const QString filledPath = out.filePath(QStringLiteral("resaved-filled.xlsx"));
        book->save(filledPath);
        QVERIFY2(testlo::convertToPdf({filledPath}, out.path(), &error), qPrintable(error));
        const QString pdf = testlo::pdfPathFor(filledPath, out.path());
        QCOMPARE(testlo::pdfPages(pdf), 1 + 2);
        const QString text = testlo::pdfText(pdf);
        for (const char* t : {"王小明", "明細項目60", "5%", "元整(含稅)"})
            QVERIFY2(text.contains(QString::fromUtf8(t)), t);
    }

    // The line estimate of a header cell against the lines LibreOffice draws, one row a page: each
    // text in three blocks of the cover's row 5 (A:C, D:E, B), then in a user's cells: justified,
    // distributed, indented, in 12, 14 and 16 pt, and a list column without wrap (the one line it keeps
    // shown in a wrapping block as wide as the cells it runs over). Never below, at most one above (two
    // in 16 pt, where the allowance for the advances as drawn adds up).
    void lineEstimateAgainstLibreOffice() {
        const QString user = out.filePath(QStringLiteral("kinds.xlsx"));
        QVERIFY(testwb::makeWorkbook(user, [](lxw_workbook* b) {
            lxw_worksheet* ws = workbook_add_worksheet(b, "kinds");
            worksheet_set_column(ws, 0, 3, 17, nullptr); // about 14 digits at 11 pt
            lxw_row_col_options hidden{1, 0, 0};
            worksheet_set_column_opt(ws, 4, 4, 17, nullptr, &hidden);
            const auto at = [&](int row, uint8_t align, double size, bool wrap, uint8_t indent) {
                lxw_format* f = workbook_add_format(b);
                format_set_font_name(f, tpl::kFont);
                format_set_font_size(f, size);
                format_set_align(f, align);
                if (wrap)
                    format_set_text_wrap(f);
                format_set_indent(f, indent);
                worksheet_write_blank(ws, lxw_row_t(row), 0, f);
                return f;
            };
            at(0, LXW_ALIGN_JUSTIFY, 10, false, 0);
            at(1, LXW_ALIGN_DISTRIBUTED, 10, false, 0);
            at(2, LXW_ALIGN_LEFT, 10, true, 2);
            at(3, LXW_ALIGN_LEFT, 12, true, 0);
            at(4, LXW_ALIGN_LEFT, 10, false, 0);
            worksheet_write_string(ws, 4, 3, "|", nullptr);
            worksheet_merge_range(ws, 5, 0, 5, 2, "", at(5, LXW_ALIGN_LEFT, 10, true, 0));
            at(6, LXW_ALIGN_LEFT, 14, true, 0);
            at(7, LXW_ALIGN_LEFT, 16, true, 0);
            at(8, LXW_ALIGN_LEFT, 10, false, 0); // runs on over E, hidden
            worksheet_write_string(ws, 8, 6, "|", nullptr);
            worksheet_merge_range(ws, 9, 0, 9, 5, "", at(9, LXW_ALIGN_LEFT, 10, true, 0));
        }));
        QFile f(user);
        QVERIFY(f.open(QIODevice::ReadOnly));
        auto entries = zip::read(f.readAll(), user);
        f.close();
        for (auto& e : entries) { // its own font the template font, at 9 pt, as a user's template keeps it
            e.data.replace("<scheme val=\"minor\"/>", "").replace("Calibri", tpl::kFont);
            if (e.name.ends_with("styles.xml"))
                e.data.replace(e.data.indexOf("<sz val=\"11\"/>"), 14, "<sz val=\"9\"/>");
        }
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(zip::write(entries)) > 0);
        f.close();
        auto book = Workbook::open(QDir(folder.path()).filePath(QStringLiteral("PrintQ/報價單.xlsx")));
        auto kinds = Workbook::open(user);
        QList<int> estimates, others, over;
        QString kept;
        const auto place = [&kept](Sheet& s, int row, const RangeRef& from, const QString& text, bool shown = true) {
            s.copyRange(from, CellRef{row, from.first.col});
            s.setText(row, from.first.col, text);
            s.setRowHeight(row, 300);
            shown ? s.addRowBreak(row) : s.setRowHidden(row, true);
            return textRoom(s, row, from.first.col).lines(text, 99, &kept);
        };
        for (const char* t : kHeaderTexts) {
            for (const auto& [first, last] : {std::pair(1, 3), std::pair(4, 5), std::pair(2, 2)})
                estimates << place(book->sheet(1), 41 + int(estimates.size()), RangeRef{{5, first}, {5, last}},
                                   QString::fromUtf8(t));
            for (const int k : {1, 2, 3, 4, 7, 8, 10, 5, 9}) {
                const int row = 12 + 2 * int(others.size());
                others << place(kinds->sheet(1), row, RangeRef{{k, 1}, {k, 7}}, QString::fromUtf8(t),
                                k != 5 && k != 9);
                over << 2; // a 9-pt digit taken at its narrowest: a line more at times
                if (k == 5 || k == 9) // hidden: what it keeps is put in a wrapping block as wide, on one line
                    place(kinds->sheet(1), row + 1, RangeRef{{k + 1, 1}, {k + 1, k == 5 ? 3 : 6}}, kept);
            }
        }
        const QString path = out.filePath(QStringLiteral("lines.xlsx"));
        book->save(path);
        kinds->save(user, true);
        QString error;
        QVERIFY2(testlo::convertToPdf({path, user}, out.path(), &error), qPrintable(error));
        QStringList pages = testlo::pdfText(testlo::pdfPathFor(path, out.path()), true).split(u'\f');
        QCOMPARE(pages.size(), estimates.size() + 3); // the header page, the detail sheet, after the last
        pages = pages.mid(1, estimates.size()) + testlo::pdfText(testlo::pdfPathFor(user, out.path()), true).split(u'\f').mid(1);
        QCOMPARE(pages.size(), estimates.size() + others.size() + 1);
        over = QList<int>(estimates.size(), 1) + over;
        estimates += others;
        QStringList wrong;
        int exact = 0;
        for (int i = 0; i < estimates.size(); ++i) {
            const QStringList lines = pages[i].split(u'\n').filter(QRegularExpression(QStringLiteral("\\S")));
            exact += estimates[i] == lines.size();
            if (estimates[i] < lines.size() || estimates[i] > lines.size() + over[i])
                wrong << QStringLiteral("%1 estimated: %2").arg(estimates[i]).arg(lines.join(u'|'));
        }
        qInfo("%d texts, %d cells, %d estimates exact", int(std::size(kHeaderTexts)), int(estimates.size()), exact);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(u'\n')));
    }

    // Every shipped template opens as it is.
    void shippedTemplatesOpen() {
        QStringList all;
        for (const tpl::TemplateSpec& t : tpl::allTemplates())
            all << QDir(folder.path()).filePath(t.relativePath);
        const QString pdfs = out.filePath(QStringLiteral("templates"));
        QDir().mkpath(pdfs);
        QString error;
        QVERIFY2(testlo::convertToPdf(all, pdfs, &error), qPrintable(error));
        for (const QString& name : {QStringLiteral("報價單"), QStringLiteral("空白報價單"), QStringLiteral("成本分析"),
                                    QStringLiteral("單張報價單")}) {
            const QString pdf = QDir(pdfs).filePath(name + QStringLiteral(".pdf"));
            const QString text = testlo::pdfText(pdf);
            QVERIFY2(text.contains(QStringLiteral("#公司email#")), qPrintable(name));
            QVERIFY2(text.contains(QStringLiteral("品名規格")), qPrintable(name));
            QCOMPARE(testlo::pdfPages(pdf), name == QStringLiteral("單張報價單") ? 1 : 2);
        }
        QVERIFY(testlo::pdfText(QDir(pdfs).filePath(QStringLiteral("客戶資料.pdf"))).contains(QStringLiteral("客戶資料")));
    }
};

QTEST_GUILESS_MAIN(TestLibreOffice)
#include "tst_libreoffice.moc"
