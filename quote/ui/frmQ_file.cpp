// The quotation window's file commands: open, save, save as, autosave and the recent-files list.
#include "CellEditors.h"
#include "EditingCommands.h"
#include "EditorRules.h"
#include "PageEndRules.h"
#include "PickLists.h"
#include "QuoteFile.h"
#include "frmQ.h"
#include "mdM.h"
#include "system/System.h"
#include "text/Codec.h"
#include "frmPe.h"
#include "ui/Dialogs.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QTreeWidget>

using namespace quote;

namespace {
const QString kTitle = QStringLiteral("Kavo III");
const QString kFilter =
    QStringLiteral("All Files (*.*)|*.*|澄築工房 檔案(*.kav)|*.kav|Text Files(*.txt)|*.txt");

ui::FileRequest fileRequest(const QString& title, const QString& folder, const QString& fileName) {
    ui::FileRequest r;
    r.title = title;
    r.folder = folder;
    r.fileName = fileName;
    r.filter = kFilter;
    r.filterIndex = 2;
    return r;
}

void tell(const QString& text, ui::Icon icon = ui::Icon::None, const QString& title = kTitle) {
    ui::msgBox(text, ui::Buttons::OK, icon, title);
}

// A menu caption shows "&" as itself.
QString menuText(const QString& path) {
    QString s = path;
    return s.replace(u'&', QStringLiteral("&&"));
}
} // namespace

void frmQ::mOpen_Click() {
    AutoSaveTicks = 0;
    Loading = true;
    const bool given = OpenGivenPath;
    const QString givenPath = m_givenPath;
    auto stop = [this] {
        Loading = false;
        OpenGivenPath = false;
        m_givenPath.clear();
    };
    showRoot();
    if (!askToSave())
        return stop();

    QString path;
    if (given) {
        path = givenPath;
    } else {
        path = ui::openFileDialog(fileRequest(QStringLiteral("開啟舊檔"), quoteFolder(), QString()));
        if (path.isEmpty()) {
            tell(QStringLiteral("取消開啟檔案"));
            return stop();
        }
    }
    if (!QFileInfo(path).isFile()) {
        tell(QStringLiteral("檔案不存在"), ui::Icon::Critical);
        return stop();
    }

    // The lists and the customer that follow the quotation read: a held database costs them one
    // wait and one message.
    const db::LoadSession session;
    // The quotation in hand is replaced only by a file read whole.
    // The state of the bytes read, not of the file after: a save made elsewhere meanwhile is asked about.
    DiskState read;
    if (const auto error = QuoteFile::readFile(path, m_doc, &read)) {
        tell(error->message, error->icon, error->title);
        showRoot();
        return stop();
    }
    m_disk = read;
    CurrentFile = path;
    setCaption(path);
    setWorkTypesOnly(m_doc.WorkTypesOnly);
    showHeader();
    rebuildTree();
    selectTreeNode(m_doc.lbPath);
    m_cells->clearUndo();
    lookUpCustomer();
    emit documentReplaced();
    // A file keeps the figures of its last save; the rows decide them.
    RecalcGrandTotal();
    AddRecentFile(path);
    // A number no cell can show (an earlier build saved what was typed) is named, not changed.
    if (QStringList told = QuoteFile::unshowableNumbers(m_doc, PricesHidden, CostsHidden); !told.isEmpty()) {
        constexpr qsizetype kNamed = 10;
        if (told.size() > kNamed)
            told = told.mid(0, kNamed) << QStringLiteral("……共 %1 處").arg(told.size());
        tell(told.join(u'\n'), ui::Icon::Exclamation);
    }
    stop();
}

void frmQ::RecalcGrandTotal() {
    if (frmPe* frame = pageEndFrame(this))
        frame->RecalcGrandTotal();
    else
        quote::RecalcGrandTotal(m_doc);
}

void frmQ::lookUpCustomer() {
    std::optional<PickLists::CustomerDetails> c;
    if (mdM::MainDb) {
        try {
            c = PickLists::customerDetails(*mdM::MainDb, txtCn->text());
        } catch (const db::DbError& e) {
            if (db::LoadSession::sayOnce(e))
                tell(mdM::dbErrorText(e), ui::Icon::Critical);
        }
    }
    showCustomer(c);
}

void frmQ::showCustomer(const std::optional<PickLists::CustomerDetails>& c) {
    const QuoteHeader& h = m_doc.header;
    mdM::QuoteCustName = h.txtCn;
    mdM::QuoteProjectName = h.cbEcn;
    mdM::QuoteSiteAddress = h.txtAddr;
    mdM::QuoteDate = h.txtQD;
    mdM::QuoteSalesperson = h.cbSal;
    mdM::QuoteNo = h.txtNo;
    mdM::QuoteCustPhone = c ? mdM::SemicolonsToSpaces(c->phone) : QString();
    mdM::QuoteCustFax = c ? mdM::SemicolonsToSpaces(c->fax) : QString();
    mdM::QuoteContact = c ? c->contact : QString();
    m_customerShown = c ? txtCn->text() : QString();
    lbCtel->setText(mdM::QuoteCustPhone);
    lbConn->setText(mdM::QuoteContact);
}

QString frmQ::quoteFolder() const {
    // A quotation folder that is missing is made; failing that, the program folder.
    if (!mdM::QuoteFolder.isEmpty() && QDir().mkpath(mdM::QuoteFolder))
        return mdM::QuoteFolder;
    return sys::programFolder();
}

QString frmQ::saveFileDialog(const QString& title, const QString& folder, const QString& fileName) {
    ui::FileRequest r = fileRequest(title, folder, fileName);
    r.defaultSuffix = QStringLiteral("kav");
    return ui::saveFileDialog(r);
}

bool frmQ::mSaveAs_Click() {
    const QString path = saveFileDialog(QStringLiteral("另存新檔"), quoteFolder(), QString());
    if (path.isEmpty()) {
        tell(QStringLiteral("取消另存檔案"));
        return false;
    }
    return writeQuotation(path);
}

bool frmQ::mSaveF_Click() {
    const QString folder = CurrentFile.isEmpty() ? quoteFolder() : QFileInfo(CurrentFile).absolutePath();
    const QString path = saveFileDialog(QStringLiteral("儲存檔案"), folder, CurrentFile);
    if (path.isEmpty()) {
        tell(QStringLiteral("取消存檔"));
        return false;
    }
    return writeQuotation(path);
}

bool frmQ::writeQuotation(const QString& path) {
    // Another window or workstation saved this file since this window read or wrote it: replacing
    // it would lose that save unless the user says so.
    const DiskState onDisk = QuoteFile::diskState(path);
    if (onDisk.exists && onDisk.path == m_disk.path && onDisk != m_disk) {
        const QString question = QStringLiteral("%1 已在別處變更（開啟後有人存檔）。要取代它嗎?")
                                     .arg(QFileInfo(path).fileName());
        if (ui::msgBox(question, ui::Buttons::YesNo, ui::Icon::Exclamation, kTitle, 2) != ui::Answer::Yes)
            return false;
    }
    RecalcGrandTotal();
    DiskState written;
    const auto error = QuoteFile::write(m_doc, path, &written); // shows the root first
    selectTreeNode(m_doc.lbPath);
    if (error) {
        tell(error->message, error->icon, error->title);
        return false;
    }
    m_disk = written;
    CurrentFile = path;
    setCaption(path);
    AddRecentFile(path);
    return true;
}

// ---------------------------------------------------------------- autosave

void frmQ::TimeSv_Timer() {
    if (isUnloaded() || !autoSaveTick(AutoSaveTicks, mdM::AutoSaveInterval) || m_autoSaveWaiting)
        return;
    // Not while a dialog of the program is open: the save follows once it has closed, without
    // counting a tick of its own.
    const auto saveOnceFree = [](frmQ* w, const auto& again) -> void {
        if (w->isUnloaded())
            return;
        const QWidget* modal = QApplication::activeModalWidget();
        w->m_autoSaveWaiting = modal && modal != w->window();
        if (w->m_autoSaveWaiting)
            QTimer::singleShot(250, w, [w, again] { again(w, again); });
        else
            w->AutoSaveFile();
    };
    saveOnceFree(this, saveOnceFree);
}

void frmQ::AutoSaveFile() {
    // The timer holds while the file is written and while its failure is shown.
    const bool running = TimeSv->isActive();
    TimeSv->stop();
    // Written from a copy of the quotation as it stands (the shown leaf's rows as the grid holds
    // them): the shown node, the grid and an open cell editor stay as they are.
    QuoteDocument copy = m_doc;
    copy.hooks = {};
    quote::RecalcGrandTotal(copy);
    DiskState written;
    const auto error = QuoteFile::write(copy, sys::autosavePath(), &written);
    if (error)
        tell(error->message);
    else if (written.path == m_disk.path) // the file open is the autosave file: it holds this save now
        m_disk = written;
    if (running && !isUnloaded())
        TimeSv->start();
}

// ---------------------------------------------------------------- recent files

void frmQ::readRecentFiles() {
    m_recent.load(text::readLines(sys::programFile(QStringLiteral("Of.ini"))).value_or(QStringList()),
                  sys::programFolder());
    showRecentFiles();
}

void frmQ::writeRecentFiles() {
    QString reason;
    if (!text::writeLines(sys::programFile(QStringLiteral("Of.ini")),
                          m_recent.storedLines(sys::programFolder()), &reason))
        tell(QStringLiteral("存檔錯誤") + QStringLiteral("\r\n") + reason);
}

void frmQ::showRecentFiles() {
    for (int i = 0; i < RecentFiles::kCount; ++i) {
        const RecentFiles::Entry& e = m_recent.entries()[size_t(i)];
        mRF[size_t(i)]->setText(menuText(e.caption));
        mRF[size_t(i)]->setVisible(e.visible);
    }
}

void frmQ::AddRecentFile(const QString& path) {
    m_recent.AddRecentFile(path);
    showRecentFiles();
}

void frmQ::mRF_Click(int index) {
    if (index < 0 || index >= RecentFiles::kCount)
        return;
    m_givenPath = m_recent.entries()[size_t(index)].caption;
    OpenGivenPath = true;
    mOpen_Click();
}
