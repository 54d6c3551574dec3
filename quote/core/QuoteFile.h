#pragma once
// The quotation file: a line-oriented text file in CP950 (UTF-8 with a byte-order mark only when a
// character CP950 cannot hold appears), every line ended by CR LF.
//
//   "0n" / "1n"            work-types-only flag and the format letter
//   [Title]                then customer, project, salesperson, category, number, address, date,
//                          and an empty line
//   [Tree]                 one line per leaf (its full path), depth first; then an empty line
//   [Grid]                 one line per store-grid row: columns 1 to 12 joined by "|"; empty line
//   [PageEndPs]            the five page-end remarks; an empty line
//   [D&L]                  design fee: name,True|False,base,rate,amount
//                          supervision fee: the same
//                          totals: before tax:tax rate:tax:with tax:discount:quoted total
//                          check boxes: design,supervision,tax as 0 or 1
//
// The reader also takes the older format (first line "0" or "1", grid fields joined by ","; any
// other first line is the current format), files
// without [PageEndPs] and [D&L] (the file ends after the grid's empty line, or another line stands
// there), and a [D&L] that stops after its second or third line; what such a file lacks takes the
// values a new quotation starts with (tax box ticked, fees 設計費 and 監工費 by total price). The last line may lack its CR LF
// when it holds every field of its kind. A file of the current format cut short anywhere else is
// refused: it would lose what is missing at the next save.
//
// A value holding its line's separator is written with the full-width form ("|" in a cell as "｜",
// "," in a fee field as "，", ":" in a totals field as "："), and a line break as a space, so that
// every field reads back in its place.
#include "QuoteDocument.h"
#include "ui/Dialogs.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <optional>

namespace quote {

// A failure to report to the user: message box text, title and icon, and what went wrong.
struct FileError {
    QString message;
    QString title;
    ui::Icon icon = ui::Icon::None;
    QString detail;
};

// A file as it stood on disk: its size, time and content. Two states differ when the file was
// written in between (by another window or workstation).
struct DiskState {
    QString path; // absolute; empty: no file
    bool exists = false;
    qint64 size = -1;
    QDateTime modified;
    QByteArray digest; // of the content

    bool operator==(const DiskState&) const = default;
};

namespace QuoteFile {

// The state of the file at `path` now.
DiskState diskState(const QString& path);
// The state of the file at `path` as holding `content` (the bytes just written to it): its size
// and time now, the digest of `content`.
DiskState stateOf(const QString& path, const QByteArray& content);

// The file's text for the document as it stands (the store grid as it is).
QString format(const QuoteDocument& doc);
// Shows the root first (which stores the rows of the shown leaf), then gives the file's text.
QString text(QuoteDocument& doc);
// The file's bytes: text() in the file's code page.
QByteArray bytes(QuoteDocument& doc);
// Writes the file whole or not at all (a failed write leaves an existing file as it was).
// The error is "存檔錯誤", the error number and the reason, one per line. `written`, when given,
// receives the state of the file as written.
std::optional<FileError> write(QuoteDocument& doc, const QString& path, DiskState* written = nullptr);

// Reads a quotation into `doc`. The file is read into a new document that replaces `doc` only when
// the whole file was read, and the root is then shown with every row. A structure error ("開啟檔案錯誤"
// and the reason on a second line, title "KavoIII") leaves `doc` as it was.
std::optional<FileError> read(const QString& text, QuoteDocument& doc);
std::optional<FileError> readBytes(const QByteArray& bytes, QuoteDocument& doc);
// As readBytes from a file; a missing file gives "檔案不存在". `state`, when given, receives the
// state of the bytes read: their digest, with the size and time taken before reading them.
std::optional<FileError> readFile(const QString& path, QuoteDocument& doc, DiskState* state = nullptr);

// What a quotation just read holds that no cell can show (cellCanShow), one line for each field:
// "Ｑ‧客廳‧木作「床頭櫃」數量：數字過長，以 0 計算，請更正" for the numbers of the rows (named by their
// 階層 and 品名) in the order the root lists them, then the fees' bases and rates, the tax rate and the
// discount. A field the user's rights hide (prices, costs) is not told to him, but to a user with the
// right to it. Nothing is changed: the user corrects them.
QStringList unshowableNumbers(const QuoteDocument& doc, bool pricesHidden = false, bool costsHidden = false);

} // namespace QuoteFile

} // namespace quote
