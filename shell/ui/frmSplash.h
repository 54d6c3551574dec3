#pragma once
// The start-up window: the program's name and version; its timer shows the login window.
#include "ui/Forms.h"

class QLabel;
class QTimer;

class frmSplash : public ui::Form {
    Q_OBJECT
public:
    frmSplash();

    // The version the labels show.
    static constexpr int kMajor = 3;
    static constexpr int kMinor = 2002;
    static constexpr int kRevision = 508;

public slots:
    void Timer1_Timer();

protected:
    void Form_Load() override;
    void Form_Unload() override;

private:
    QLabel* Pic = nullptr;
    QLabel* l = nullptr;
    QLabel* lb = nullptr;
    QTimer* Timer1 = nullptr;
};
