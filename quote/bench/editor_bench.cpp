// Timings of the quotation window on the reference quotation (ReferenceQuotation.h), offscreen,
// each beside the same work done by the document alone.
//
//   editor_bench [runs]     (build with optimisation, e.g. RelWithDebInfo)
#include "CellEditors.h"
#include "Pricing.h"
#include "QuoteFile.h"
#include "TreeMenu.h"
#include "ReferenceQuotation.h"
#include "TempProgramFolder.h"
#include "frmQ.h"
#include "mdM.h"
#include "ui/Dialogs.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTableView>

using namespace quote;
using namespace quote::bench;

namespace {

// Answers the window's dialogs: the file to open or save, No to the save question, Yes to the
// delete question, the ratio.
class BenchDialogs final : public ui::DialogBackend {
public:
    QString openPath, savePath, inputText;
    ui::Answer message(const ui::MessageRequest& r) override {
        if (r.buttons == ui::Buttons::YesNo)
            return ui::Answer::Yes;
        return r.buttons == ui::Buttons::YesNoCancel ? ui::Answer::No : ui::Answer::OK;
    }
    std::optional<QString> input(const ui::InputRequest&) override { return inputText; }
    QString openFile(const ui::FileRequest&) override { return openPath; }
    QString saveFile(const ui::FileRequest&) override { return savePath; }
    QString folder(const ui::FileRequest&) override { return {}; }
};

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 10;
    QTextStream out(stdout);

    TempProgramFolder folder;
    if (folder.createMainDb().isEmpty() ||
        !folder.writeMdbPath(folder.path(), folder.path(), folder.mkdir(QStringLiteral("quotes"))))
        qFatal("cannot make the program folder");
    mdM::UserRights = 4095;
    BenchDialogs dialogs;
    ui::setDialogBackend(&dialogs);
    dialogs.openPath = folder.file(QStringLiteral("quotes/reference.kav"));
    dialogs.savePath = folder.file(QStringLiteral("quotes/saved.kav"));
    QuoteDocument doc = referenceQuotation();
    if (QuoteFile::write(doc, dialogs.openPath))
        qFatal("cannot write the reference quotation");
    const QStringList leaves = doc.tree.leaves(kRootKey);
    const QString leafA = leaves.at(17);
    const QString leafB = leaves.at(923);

    frmQ* w = ui::Default<frmQ>::get();
    w->showMaximized();
    QApplication::processEvents();

    std::vector<Timing> timings;
    // Open: from the command to the root listed and painted in the grid.
    timings.push_back(measure("window: open the file (root listed)", 1000, runs, nullptr, [&] {
        w->mOpen_Click();
        QApplication::processEvents();
    }));
    if (w->CurrentFile != dialogs.openPath || w->document().hfgQ.rows() - 1 != leaves.size() * kRowsPerLeaf)
        qFatal("the window did not open the reference quotation");
    timings.push_back(measure("core: read the file", 0, runs, nullptr, [&] {
        if (QuoteFile::readFile(dialogs.openPath, doc))
            qFatal("read failed");
    }));

    bool atA = false;
    timings.push_back(measure("window: switch between two leaves", 50, runs * 10, nullptr, [&] {
        atA = !atA;
        w->tv_NodeClick(atA ? leafA : leafB);
        QApplication::processEvents();
    }));
    timings.push_back(measure("core: switch between two leaves", 0, runs * 10, nullptr, [&] {
        atA = !atA;
        doc.tv_NodeClick(atA ? leafA : leafB);
    }));

    timings.push_back(measure("window: save (from a leaf)", 500, runs, [&] { w->tv_NodeClick(leafA); }, [&] {
        if (!w->mSaveF_Click())
            qFatal("save failed");
        QApplication::processEvents();
    }));
    timings.push_back(measure("core: write the file (from a leaf)", 0, runs, [&] { doc.tv_NodeClick(leafA); }, [&] {
        if (QuoteFile::write(doc, dialogs.savePath))
            qFatal("write failed");
    }));

    // A keystroke in the quantity cell of row 7 at a leaf of 20 rows: the cell, the row, the totals.
    w->tv_NodeClick(leafA);
    CellEditors* cells = w->cellEditors();
    cells->CurRow = 7;
    cells->CurCol = ColQty;
    cells->BeginCellEdit();
    int qty = 1;
    timings.push_back(measure("window: keystroke in a quantity cell", 5, runs * 10, nullptr, [&] {
        cells->txt->setText(QString::number(++qty));
        QApplication::processEvents();
    }));
    doc.tv_NodeClick(leafA);
    const PricingSwitches sw;
    timings.push_back(measure("core: recalculate a row with the grid totals", 0, runs * 10, nullptr, [&] {
        doc.SetCell(7, ColQty, QString::number(++qty));
        RecalcAfterEdit(doc.hfgQ.dataRows()[6], ColQty, sw);
        doc.RefreshTotals();
    }));

    // One ratio for all rows at the root.
    w->showRoot();
    dialogs.inputText = QStringLiteral("1.2");
    timings.push_back(measure("window: one ratio for all rows (root)", 300, runs, nullptr, [&] {
        w->lbSc_DblClick();
        QApplication::processEvents();
    }));
    doc.tv_NodeClick(kRootKey);
    timings.push_back(measure("core: one ratio for all rows (root)", 0, runs, nullptr, [&] {
        SetRatioShown(doc.hfgQ.dataRows(), QStringLiteral("1.2"));
        SetRatioStored(doc.hfgB.dataRows(), QStringLiteral("1.2"));
        doc.RefreshTotals();
    }));

    // Deleting the shown leaf with its 20 rows: the rows stored, the root listed, the tree rebuilt.
    TreeMenu* treeMenu = w->findChild<TreeMenu*>();
    timings.push_back(measure(
        "window: delete the shown leaf with rows", 50, runs,
        [&] {
            w->mOpen_Click();
            w->tv_NodeClick(leafA);
            treeMenu->tv_MouseDown(Qt::LeftButton, leafA, QPoint());
            QApplication::processEvents();
        },
        [&] {
            w->action(QStringLiteral("mDelN"))->trigger();
            QApplication::processEvents();
        }));
    if (w->document().tree.contains(leafA))
        qFatal("the leaf was not deleted");
    const QuoteDocument whole = doc;
    timings.push_back(measure(
        "core: delete the shown leaf with rows", 0, runs,
        [&] {
            doc = whole;
            doc.tv_NodeClick(leafA);
        },
        [&] { mDelN_Click(doc, leafA); }));

    out << "reference quotation: " << doc.tree.count() << " nodes, " << leaves.size() << " leaves, "
        << doc.hfgB.rows() - 1 << " item rows\n";
    report(out, timings);
    ui::setDialogBackend(nullptr);
    delete w;
    return 0;
}
