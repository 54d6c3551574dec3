// The quotation-file reader on any bytes, into a document already holding a quotation: a refused
// file leaves that document exactly as it was; an accepted one writes back bytes that read back to
// the same quotation and the same bytes.
#include "FuzzSupport.h"
#include "QuoteFile.h"

#include <cstddef>
#include <cstdint>

using namespace quote;

namespace {

// A quotation with a tree, rows in two leaves, header and page-end values.
QuoteDocument heldQuotation() {
    QuoteDocument doc;
    const QString living = doc.tree.addChild(kRootKey, QStringLiteral("客廳"))->key;
    const QString wood = doc.tree.addChild(living, QStringLiteral("木作"))->key;
    const QString paint = doc.tree.addChild(living, QStringLiteral("油漆"))->key;
    const auto rowsOf = [&](const QString& leaf, const QStringList& names) {
        doc.tv_NodeClick(leaf);
        doc.hfgQ.setRows(int(names.size()) + 1);
        for (int i = 0; i < names.size(); ++i) {
            doc.hfgQ.setCell(i + 1, ColName, names[i]);
            doc.hfgQ.setCell(i + 1, ColQty, QStringLiteral("2"));
            doc.hfgQ.setCell(i + 1, ColPrice, QStringLiteral("1500"));
        }
    };
    rowsOf(wood, {QStringLiteral("系統櫃"), QStringLiteral("天花板")});
    rowsOf(paint, {QStringLiteral("乳膠漆")});
    doc.header.txtCn = QStringLiteral("王先生");
    doc.header.txtNo = QStringLiteral("1121201_");
    doc.pageEnd.cbPe[0] = QStringLiteral("訂金三成");
    doc.pageEnd.ckTax = true;
    doc.tv_NodeClick(wood);
    return doc;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool ready = (fuzz::setUp(), true);
    (void)ready;
    static const QuoteDocument held = heldQuotation();
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));

    QuoteDocument doc = held;
    if (QuoteFile::readBytes(bytes, doc)) {
        fuzz::require(doc == held, "a refused file changed the quotation in hand");
        return 0;
    }
    const QByteArray written = QuoteFile::bytes(doc);
    QuoteDocument again = held;
    fuzz::require(!QuoteFile::readBytes(written, again), "a written file is refused");
    fuzz::require(QuoteFile::bytes(again) == written, "a written file does not read back the same");
    return 0;
}
