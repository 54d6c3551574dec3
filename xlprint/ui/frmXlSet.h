#pragma once
// The print settings window: start cell, page range, rows per page and fixed header of the
// quotation templates, kept in Xp.ini and fastP.ini.
#include "ui/Forms.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QToolButton;

class frmXlSet : public ui::Form {
    Q_OBJECT
public:
    frmXlSet();

public slots:
    void Command1_Click(); // 套用
    void Command2_Click(); // 離開
    // The spin arrows beside a box: one step up (+1) or down (-1) within the box's range.
    void UpDown1_Change(int step);
    void UpDown2_Change(int step);
    void UpDown3_Change(int step);

protected:
    void Form_Load() override;

private:
    QLineEdit* txtRow = nullptr; // 起始列
    QLineEdit* Text3 = nullptr;  // 起始行 (the column letter)
    QLineEdit* txtPr = nullptr;  // 每一頁列數
    QLineEdit* txtLU = nullptr;  // 左上
    QLineEdit* txtRD = nullptr;  // 右下
    QCheckBox* ckf = nullptr;    // 固定頁首
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
};
