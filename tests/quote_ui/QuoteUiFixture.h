#pragma once
// The shell's window fixture (a fresh program folder with its own main database) with a fixed date
// for the quotation window and the folder of quotation files.
#include "../shell_ui/ShellUiFixture.h"
#include "frmQ.h"
#include "ui/Twips.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTableView>
#include <QTreeWidget>

class QuoteUiFixture : public ShellUiFixture {
public:
    QString quotes; // the quotation-file folder of Mdbpath.ini

    bool setUp(int rights = 4095) {
        if (!ShellUiFixture::setUp())
            return false;
        quotes = folder->file(QStringLiteral("quotes"));
        mdM::UserRights = rights;
        frmQ::setToday(QDate(2026, 3, 7));
        return true;
    }

    void tearDown() {
        ShellUiFixture::tearDown();
        frmQ::setToday({});
    }

    // Empties the catalogue and vocabulary tables (the tests fill what they need).
    void clearCatalogue() const {
        auto db = openDb();
        for (const char* t : {"別", "k2a", "t2w", "w2d", "u", "sc", "Qps", "ps", "案", "客戶"})
            db->execute(QStringLiteral("DELETE FROM ") + QString::fromUtf8(t));
    }

    // The window, loaded and shown.
    frmQ* open() { return showForm<frmQ>(); }
};

inline QString leafPath(std::initializer_list<const char*> parts) {
    QString p = quote::kRootKey;
    for (const char* s : parts)
        p += quote::kPathSeparator + QString::fromUtf8(s);
    return p;
}
