#pragma once
// The print choice of the customer and vendor windows: mailing labels or a list report.
#include "RecordKind.h"
#include "ui/Forms.h"

#include <array>

class QProgressBar;
class QPushButton;
class QRadioButton;

class frmPsel : public ui::Form {
    Q_OBJECT
public:
    frmPsel();

    std::array<QRadioButton*, 2> oPsel{}; // 0 列印標籤, 1 列印報表
    QPushButton* cmdNext = nullptr;
    QPushButton* cmdCancel = nullptr;
    QProgressBar* ani = nullptr;

public slots:
    void cmdNext_Click();
    void cmdCancel_Click();
};

namespace records {
// 列印 of a record window: the print choice for customers and vendors, the column chooser for
// staff (who have no labels).
void openListPrint(Party party);
// The customer (1) and vendor (2) windows' 列印: the print choice for that table, modally.
void openPrintChoice(int party);
// The staff window's 列印 (3), and 列印報表 of the print choice: the column chooser, modally.
void openFieldChooser(int party);
} // namespace records
