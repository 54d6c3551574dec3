#pragma once
// The customer window; opened by the quotation editor it is also the customer picker, whose
// 傳回報價單 hands the customer on screen back through mdM.
#include "RecordWindow.h"

class frmCus : public records::RecordWindow {
    Q_OBJECT
public:
    frmCus();

public slots:
    void cmd2Q_Click(); // 傳回報價單

protected:
    void Form_Load() override;
    void Form_Unload() override;

private:
    QPushButton* cmd2Q = nullptr;
};
