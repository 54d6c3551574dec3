#pragma once
// The supply-links editor: which work crews or materials the current vendor (mdPro) supplies.
// Shown modally by the vendor window; writes the links itself at 確定.
#include "SupplyLinks.h"
#include "ui/Forms.h"

class QLabel;
class QListWidget;
class QPushButton;

class frmWP : public ui::Form {
    Q_OBJECT
public:
    frmWP();

    const records::SupplyLinkLists& lists() const { return m_lists; }
    // Why the last editor's last read or write failed when another workstation held the database,
    // empty otherwise: that failure was waited for and said, for the whole command that showed the
    // editor.
    static QString heldDatabaseFailure();
    // Whether the last editor's 確定 found the vendor no longer stored (nothing was written).
    static bool vendorWasGone();

public slots:
    void cmAd_Click();     // 加入
    void cmMv_Click();     // 移除
    void Command1_Click(); // 確定
    void Command2_Click(); // 取消
    void Command3_Click(); // 恢復原始狀態
    void Command4_Click(); // 離開

protected:
    void Form_Load() override;

private:
    void LoadLists();
    void showLists();

    records::SupplyLinkLists m_lists;
    bool m_loaded = false; // the lists were read; nothing is written otherwise
    QLabel* lbCusName = nullptr;
    QLabel* LbO = nullptr;
    QLabel* LbNew = nullptr;
    QLabel* LbAll = nullptr;
    QListWidget* LsO = nullptr;
    QListWidget* LsNew = nullptr;
    QListWidget* LsAll = nullptr;
    QPushButton* cmAd = nullptr;
    QPushButton* cmMv = nullptr;
    QPushButton* Command1 = nullptr;
};
