#pragma once
// The column chooser of the record lists: the columns to print (left, in print order) picked from
// all columns of the table (right), then printed into the table's list template.
#include "ui/Forms.h"

class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QToolButton;

class frmPrt : public ui::Form {
    Q_OBJECT
public:
    frmPrt();

    // The opener: every printable column of the subject's table into lstOr (those already in
    // lstTa stay there only).
    void fillFields(int party);

    QListWidget* lstTa = nullptr; // to print, in order
    QListWidget* lstOr = nullptr; // all columns not chosen
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* cmAd = nullptr;
    QPushButton* cmMv = nullptr;
    QToolButton* cmdUp = nullptr;
    QToolButton* cmdDn = nullptr;
    QPushButton* cmdP = nullptr;
    QPushButton* Command1 = nullptr;
    QProgressBar* ani = nullptr;

public slots:
    void cmAd_Click();
    void cmMv_Click();
    void cmdUp_Click();
    void cmdDn_Click();
    void cmdP_Click();
    void Command1_Click();

private:
    void moveUpOrDown(int step);
};
