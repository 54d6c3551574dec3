#pragma once
// The staff window: the record frame for the staff, who are also the users, with the password
// panel and the number-group box brought up from the grid's header.
#include "RecordWindow.h"

#include <optional>

class QLabel;
class QLineEdit;

class frmSta : public records::RecordWindow {
    Q_OBJECT
public:
    frmSta();

public slots:
    void cmdPaSet_Click(); // 密碼設定
    void cmdPass_Click();  // 變更
    void cmdCnC_Click();   // 取消變更
    // A right-click on the header of a column.
    void HFG_MouseDown(int column);

protected:
    void afterSaved() override;
    void afterCancel() override;
    void afterChoiceDropped() override;
    bool checkBeforeSave() override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void showPanel(bool open);
    void clearPasswords();
    // The stored password of the member of that name; none (after saying why) without a row.
    std::optional<QString> memberPassword(const QString& name);
    // The member is no longer stored: it leaves the list and the password panel closes.
    void memberGone(const QString& name);

    QPushButton* cmdPaSet = nullptr;
    QPushButton* cmdPass = nullptr;
    QPushButton* cmdCnC = nullptr;
    QLabel* lbOp = nullptr;
    QLabel* lbNp = nullptr;
    QLabel* lbCp = nullptr;
    QLineEdit* txtOp = nullptr;
    QLineEdit* txtNp = nullptr;
    QLineEdit* txtCp = nullptr;
    std::optional<int> m_heightBeforePanel;
};
