#pragma once
// 品名加入: the modeless report of the command that adds the item names of the item grid to the
// catalogue: the names the work type held already, and how many names were added.
#include "ui/Forms.h"

class QLabel;
class QListWidget;
class QPushButton;

class frmAddw : public ui::Form {
    Q_OBJECT
public:
    frmAddw();

    // The list and the count label start afresh with this result, and the window is shown.
    void showResult(const QStringList& existing, int added);

    QListWidget* lstW = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* lb2 = nullptr;
    QPushButton* Command1 = nullptr;

public slots:
    void Command1_Click();

protected:
    void Form_Load() override;
};
